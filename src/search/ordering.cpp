#include "search/ordering.h"

#include <cstring>

#include "board/movegen.h"
#include "board/position.h"


namespace {

constexpr uint32_t kHistoryStart = 2048;
constexpr int32_t kPickFloor = -10000;
constexpr int32_t kHashPickFloor = -2000;

// The table entry of the man that makes the move (it stands on `from`).
inline uint32_t* entryOf(SearchWorker& w, uint32_t table[2][6][64], Move move) {
    const int32_t from = moveFrom(move);
    return &table[w.pos.colour[from]][w.pos.piece[from]][moveTo(move)];
}

inline void swapEntries(SearchWorker& w, int32_t a, int32_t b) {
    const ScoredMove t = w.moveStack[a];
    w.moveStack[a] = w.moveStack[b];
    w.moveStack[b] = t;
}

// Index of the highest score above the floor from i on (earliest among equals),
// or i when none is above it.
inline int32_t bestFrom(SearchWorker& w, int32_t i, int32_t floor) {
    int32_t best = i, bestScore = floor;
    for (int32_t j = i, end = w.firstMove[w.pos.ply + 1]; j < end; j++)
        if (w.moveStack[j].score > bestScore) {
            bestScore = w.moveStack[j].score;
            best = j;
        }
    return best;
}

}  // namespace

void resetOrderingTables(SearchWorker& w) {
    for (auto& colour : w.historyValue)
        for (auto& piece : colour)
            for (uint32_t& h : piece) h = kHistoryStart;
    memset(w.triedCount, 0, sizeof w.triedCount);
    memset(w.cutCount, 0, sizeof w.cutCount);
    memset(w.killer1, 0, sizeof w.killer1);
    memset(w.killer2, 0, sizeof w.killer2);
    memset(w.mateKiller, 0, sizeof w.mateKiller);
    memset(w.pvTable, 0, sizeof w.pvTable);
}

void pickBest(SearchWorker& w, int32_t i) {
    swapEntries(w, i, bestFrom(w, i, kPickFloor));
}

void pickHashFirst(SearchWorker& w, int32_t i, Move hashMove) {
    for (int32_t j = i, end = w.firstMove[w.pos.ply + 1]; j < end; j++)
        if (w.moveStack[j].move == hashMove) {
            swapEntries(w, i, j);
            return;
        }
    pickBestBehindHash(w, i);
}

void pickBestBehindHash(SearchWorker& w, int32_t i) {
    swapEntries(w, i, bestFrom(w, i, kHashPickFloor));
}

void markFollowPv(SearchWorker& w) {
    if (!w.followPv) return;
    const int32_t ply = w.pos.ply;
    const Move wanted = w.pvTable[0][ply];
    for (int32_t j = w.firstMove[ply]; j < w.firstMove[ply + 1]; j++)
        if (w.moveStack[j].move == wanted) {
            w.moveStack[j].score = kFollowPvScore;
            return;
        }
    w.followPv = false;
}

bool enterFollowPvNode(SearchWorker& w) {
    if (!w.followPv) {
        w.followPvCounter = 0;
        return false;
    }
    if (++w.followPvCounter > 3) {
        w.followPvCounter = 0;
        return true;
    }
    return false;
}

void updatePv(SearchWorker& w, Move move) {
    const int32_t p = w.pos.ply;
    w.pvTable[p][p] = move;
    for (int32_t j = p + 1; j < w.pvLength[p + 1]; j++) w.pvTable[p][j] = w.pvTable[p + 1][j];
    w.pvLength[p] = w.pvLength[p + 1];
}

Move nodePvMove(SearchWorker& w) {
    return w.pvTable[w.pos.ply][w.pos.ply];
}

void historyReward(SearchWorker& w, Move move, int32_t depth) {
    if (!isQuietMove(move)) return;
    uint32_t* h = entryOf(w, w.historyValue, move);
    *h += (uint32_t(depth) * (65536u - *h)) >> 8;
}

void historyPenalty(SearchWorker& w, Move move, int32_t score, int32_t depth, int32_t alpha) {
    if (!isQuietMove(move) || score < alpha - 50) return;
    uint32_t* h = entryOf(w, w.historyValue, move);
    *h -= (uint32_t(depth) * *h) >> 8;
}

void updateKillers(SearchWorker& w, Move move, int32_t score) {
    if (!isQuietMove(move)) return;
    const int32_t p = w.pos.ply;
    if (move != w.killer1[p]) {
        w.killer2[p] = w.killer1[p];
        w.killer1[p] = move;
    }
    if (score >= MATE_BOUND) w.mateKiller[p] = move;
}

void countTried(SearchWorker& w, Move move) {
    *entryOf(w, w.triedCount, move) += 1;
}

void countCut(SearchWorker& w, Move move) {
    *entryOf(w, w.cutCount, move) += 100;
}
