#include "eval/passers.h"

#include "board/bitops.h"
#include "board/position.h"
#include "board/tables.h"
#include "eval/params.h"

namespace {

// Passer values by row (row 0 is rank 8), White's view.
constexpr int32_t kPasserEndgame[8] = {0, 220, 160, 110, 70, 8, 8, 0};
constexpr int32_t kPasserOpening[8] = {0, 96, 52, 36, 24, 0, 0, 0};
// Closeness of the passer's own king to the square in front of it, by distance.
constexpr int32_t kProximityOpening[10] = {0, 4, 2, 0, 0, 0, 0, 0, 0, 0};
constexpr int32_t kProximityEndgame[10] = {0, 16, 8, 4, 2, 0, 0, 0, 0, 0};

// By colour and square: the squares ahead of the square (towards rank 8 for
// White, rank 1 for Black) on its file and the two files beside it.
struct FrontSpans {
    uint64_t span[2][64];
    constexpr FrontSpans() : span() {
        for (int32_t sq = 0; sq < 64; sq++)
            for (int32_t to = 0; to < 64; to++) {
                const int32_t df = fileOf(to) - fileOf(sq);
                if (df < -1 || df > 1) continue;
                if (rowOf(to) < rowOf(sq)) span[WHITE][sq] |= squareBit(to);
                if (rowOf(to) > rowOf(sq)) span[BLACK][sq] |= squareBit(to);
            }
    }
};
constexpr FrontSpans kFrontSpans;

// King and pawn against king, the pawn inside the enemy king's square: won
// outright where the kings show it, or a draw to be scaled down.
template <int32_t C>
void kingAndPawnAgainstKing(EvalBoard& w, EvalState& e, int32_t sq) {
    constexpr int32_t O = C ^ 1, S = signOf<C>();
    constexpr int32_t forward = C == WHITE ? -8 : 8;
    const int32_t own = w.pos.kingSquare[C], enemy = w.pos.kingSquare[O];
    const int32_t f = fileOf(sq), r = relRow<C>(rowOf(sq));
    if (f == 0 || f == 7) {
        // A rook's pawn: the own king must reach the corner first, and not
        // stand on the corner or in front of it.
        const int32_t corner = relSquare<C>(f), beforeCorner = relSquare<C>(f + 8);
        if (gDistance[own][corner] < gDistance[enemy][corner] && own != corner && own != beforeCorner)
            e.blended += S * 1000;
        else
            e.drawDivisor += 4;
        return;
    }
    if (fileOf(enemy) != f) return;
    const int32_t front = sq + forward, threeAhead = sq + 3 * forward;
    if (w.pos.colour[front] == C && r >= 3 && w.pos.colour[threeAhead] == O) {
        // The kings in opposition: won with the own king on the sixth rank or
        // with the defender to move.
        if (relRow<C>(rowOf(own)) == 2 || w.pos.side == O)
            e.blended += S * 1000;
        else
            e.drawDivisor += 4;
    } else if (fileOf(own) == f && relRow<C>(rowOf(own)) <= r - 2) {
        e.blended += S * 1000;
    }
}

// Passed: the file's most advanced own pawn, no enemy pawn ahead on its file
// or the files beside it.
template <int32_t C>
bool isPassed(EvalBoard& w, const EvalState& e, int32_t sq) {
    return relRow<C>(e.pawnFront[C][fileOf(sq) + 1]) == relRow<C>(rowOf(sq)) &&
           !(kFrontSpans.span[C][sq] & w.pos.pawnBits[C ^ 1]);
}

template <int32_t C>
uint64_t passedOf(EvalBoard& w, const EvalState& e) {
    uint64_t passers = 0;
    for (int32_t i = 0; i < w.pos.pieceCount[C][PAWN]; i++) {
        const int32_t sq = w.pos.pieceList[C][PAWN][i];
        if (isPassed<C>(w, e, sq)) passers |= squareBit(sq);
    }
    return passers;
}

template <int32_t C>
void passerTerms(EvalBoard& w, EvalState& e, int32_t sq) {
    constexpr int32_t O = C ^ 1, S = signOf<C>();
    constexpr int32_t forward = C == WHITE ? -8 : 8;
    const int32_t r = relRow<C>(rowOf(sq)), f = fileOf(sq);
    const int32_t own = w.pos.kingSquare[C], enemy = w.pos.kingSquare[O];
    // 1. Outside the square of the enemy king (one row of slack when the
    // enemy is to move). Only passers use it.
    const int32_t kingRow = relRow<C>(rowOf(enemy));
    const int32_t kingFiles = fileOf(enemy) > f ? fileOf(enemy) - f : f - fileOf(enemy);
    const int32_t kd = kingRow > kingFiles ? kingRow : kingFiles;
    const bool outside = w.pos.side == C ? r < kd : r < kd - 1;

    // 2. Value by phase.
    const int32_t value = (kPasserEndgame[r] * (64 - e.phase) + kPasserOpening[r] * e.phase) / 64;
    e.passerCount[C][f + 1]++;
    e.passers[C]++;
    e.blended += S * value;
    const int32_t front = sq + forward;

    // 3. King proximity to the square in front.
    if (w.pos.pieceMaterial[O] < 1500) {
        addPhased(e, S, kProximityOpening[gDistance[own][front]], kProximityEndgame[gDistance[own][front]]);
        e.blended += S * ((2 * gDistance[enemy][front]) / 3);
    }
    // 4. Protected by an own pawn.
    if ((gPawnAttacks[O][gBitIndex[sq]] & w.pos.pawnBits[C]) && w.pos.pieceMaterial[O] < 2000)
        addPhased(e, S, 2, 12);
    // 5. Connected with a passer on the file to the right (so a pair
    // counts once, on its left pawn).
    if (f < 7) {
        const int32_t rear = relRow<C>(e.pawnRear[C][f + 2]);
        if (rear != 0 && rear < relRow<C>(e.pawnRear[O][f + 2]) && rear <= relRow<C>(e.pawnRear[O][f + 1]) &&
            (f == 6 || rear <= relRow<C>(e.pawnRear[O][f + 3]))) {
            const int32_t gap = relRow<C>(e.pawnRear[C][f + 1]) - rear;
            if (gap < 2 && gap > -2) addPhased(e, S, value / 20, value / 2);
        }
    }
    // 6. Unstoppable: outside the square with no enemy pieces.
    if (outside && w.pos.pieceMaterial[O] == 0 && r < relRow<C>(e.bestRow[C])) {
        e.bestRow[C] = rowOf(sq);
        e.bestValue[C] = value;
    }
    // 7. Blocked.
    if (w.pos.piece[front] != EMPTY)
        addPhased(e, -S, scaledTerm(value, gBlockedPasserPenaltyFactorOp, 100),
                  scaledTerm(value, gBlockedPasserPenaltyFactorEn, 100));
    // 8. The defending king in front of the pawn.
    if (w.pos.pieceMaterial[C] <= 1000 && fileOf(enemy) == f && kingRow < r)
        e.blended -= S * ((value * 16) / 100);
    // 9. King and pawn against king.
    if (!outside && w.pos.pieceNumber[C] == 0 && w.pos.pieceNumber[O] == 0 && w.pos.pawnNumber[O] == 0 &&
        w.pos.pawnNumber[C] == 1)
        kingAndPawnAgainstKing<C>(w, e, sq);
}

template <int32_t C>
void passersOf(EvalBoard& w, EvalState& e, uint64_t passers) {
    // An unstoppable passer (possible only without enemy pieces) counts again
    // after every pawn in list order; otherwise every term is a plain sum and
    // the passers alone are visited.
    if (w.pos.pieceMaterial[C ^ 1] != 0) {
        while (passers) passerTerms<C>(w, e, gBitIndex[popLowestBit(passers)]);
        return;
    }
    for (int32_t i = 0; i < w.pos.pieceCount[C][PAWN]; i++) {
        const int32_t sq = w.pos.pieceList[C][PAWN][i];
        if (passers & squareBit(sq)) passerTerms<C>(w, e, sq);
        e.blended += signOf<C>() * 2 * e.bestValue[C];
    }
}

}  // namespace

uint64_t passedPawns(EvalBoard& w, const EvalState& e) {
    return passedOf<WHITE>(w, e) | passedOf<BLACK>(w, e);
}

void evaluatePassers(EvalBoard& w, EvalState& e, int32_t colour, uint64_t passers) {
    passers &= w.pos.pawnBits[colour];
    if (colour == WHITE)
        passersOf<WHITE>(w, e, passers);
    else
        passersOf<BLACK>(w, e, passers);
}

void passerMajority(EvalBoard& w, EvalState& e) {
    const int32_t W = WHITE, B = BLACK;
    auto wingPassers = [&](int32_t c) {
        return (e.passerCount[c][1] + e.passerCount[c][2]) > 0 && (e.passerCount[c][7] + e.passerCount[c][8]) > 0;
    };
    auto majority = [&](int32_t c) {
        const int32_t own = e.passers[c], other = e.passers[c ^ 1];
        return own > other ? 12 * (own - other) : own == other ? 8 : 0;
    };
    if (w.pos.pieceMaterial[B] < 316) {
        if (wingPassers(W)) addPhased(e, 1, 8, 12);
        if (w.pos.pieceMaterial[W] >= 325) {
            if (e.passers[W] > 0) e.blended += majority(W);
            return;
        }
    }
    if (w.pos.pieceMaterial[W] < 316) {
        if (wingPassers(B)) addPhased(e, -1, 8, 12);
        if (w.pos.pieceMaterial[B] >= 325 && e.passers[B] > 0) e.blended -= majority(B);
    }
}
