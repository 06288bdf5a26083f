#include "search/ordering.h"

#include <cstring>

#include "board/movegen.h"
#include "board/position.h"

uint32_t gTriedCount[2][6][64];
uint32_t gCutCount[2][6][64];
Move gPvTable[kMaxPly][kMaxPly];
int32_t gPvLength[kMaxPly + 1];
bool gFollowPv = false;
int32_t gFollowPvCounter = 0;

namespace {

constexpr uint32_t kHistoryStart = 2048;
constexpr int32_t kPickFloor = -10000;
constexpr int32_t kHashPickFloor = -2000;

// The table entry of the man that makes the move (it stands on `from`).
inline uint32_t* entryOf(uint32_t table[2][6][64], Move move) {
    const int32_t from = moveFrom(move);
    return &table[gPos.colour[from]][gPos.piece[from]][moveTo(move)];
}

inline void swapEntries(int32_t a, int32_t b) {
    const ScoredMove t = gMoveStack[a];
    gMoveStack[a] = gMoveStack[b];
    gMoveStack[b] = t;
}

// Index of the highest score above the floor from i on (earliest among equals),
// or i when none is above it.
inline int32_t bestFrom(int32_t i, int32_t floor) {
    int32_t best = i, bestScore = floor;
    for (int32_t j = i, end = gFirstMove[gPos.ply + 1]; j < end; j++)
        if (gMoveStack[j].score > bestScore) {
            bestScore = gMoveStack[j].score;
            best = j;
        }
    return best;
}

}  // namespace

void resetOrderingTables() {
    for (auto& colour : gHistoryValue)
        for (auto& piece : colour)
            for (uint32_t& h : piece) h = kHistoryStart;
    memset(gTriedCount, 0, sizeof gTriedCount);
    memset(gCutCount, 0, sizeof gCutCount);
    memset(gKiller1, 0, sizeof gKiller1);
    memset(gKiller2, 0, sizeof gKiller2);
    memset(gMateKiller, 0, sizeof gMateKiller);
    memset(gPvTable, 0, sizeof gPvTable);
}

void pickBest(int32_t i) {
    swapEntries(i, bestFrom(i, kPickFloor));
}

void pickHashFirst(int32_t i, Move hashMove) {
    for (int32_t j = i, end = gFirstMove[gPos.ply + 1]; j < end; j++)
        if (gMoveStack[j].move == hashMove) {
            swapEntries(i, j);
            return;
        }
    pickBestBehindHash(i);
}

void pickBestBehindHash(int32_t i) {
    swapEntries(i, bestFrom(i, kHashPickFloor));
}

void markFollowPv() {
    if (!gFollowPv) return;
    const int32_t ply = gPos.ply;
    const Move wanted = gPvTable[0][ply];
    for (int32_t j = gFirstMove[ply]; j < gFirstMove[ply + 1]; j++)
        if (gMoveStack[j].move == wanted) {
            gMoveStack[j].score = kFollowPvScore;
            return;
        }
    gFollowPv = false;
}

bool enterFollowPvNode() {
    if (!gFollowPv) {
        gFollowPvCounter = 0;
        return false;
    }
    if (++gFollowPvCounter > 3) {
        gFollowPvCounter = 0;
        return true;
    }
    return false;
}

void updatePv(Move move) {
    const int32_t p = gPos.ply;
    gPvTable[p][p] = move;
    for (int32_t j = p + 1; j < gPvLength[p + 1]; j++) gPvTable[p][j] = gPvTable[p + 1][j];
    gPvLength[p] = gPvLength[p + 1];
}

Move nodePvMove() {
    return gPvTable[gPos.ply][gPos.ply];
}

void historyReward(Move move, int32_t depth) {
    if (!isQuietMove(move)) return;
    uint32_t* h = entryOf(gHistoryValue, move);
    *h += (uint32_t(depth) * (65536u - *h)) >> 8;
}

void historyPenalty(Move move, int32_t score, int32_t depth, int32_t alpha) {
    if (!isQuietMove(move) || score < alpha - 50) return;
    uint32_t* h = entryOf(gHistoryValue, move);
    *h -= (uint32_t(depth) * *h) >> 8;
}

void updateKillers(Move move, int32_t score) {
    if (!isQuietMove(move)) return;
    const int32_t p = gPos.ply;
    if (move != gKiller1[p]) {
        gKiller2[p] = gKiller1[p];
        gKiller1[p] = move;
    }
    if (score >= MATE_BOUND) gMateKiller[p] = move;
}

void countTried(Move move) {
    *entryOf(gTriedCount, move) += 1;
}

void countCut(Move move) {
    *entryOf(gCutCount, move) += 100;
}
