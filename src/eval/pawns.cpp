#include "eval/pawns.h"

#include "board/bitops.h"
#include "board/position.h"
#include "board/tables.h"
#include "eval/passers.h"
#include "eval/pawnhash.h"
#include "eval/psqt.h"

namespace {

// Penalties by square (rank 8 first), White's view; Black reads s ^ 56.
const int32_t kIsolated[64] = {
    0, 0, 0,  0,  0, 0, 0, 0,
    2, 4, 4,  6,  6, 4, 4, 2,
    3, 5, 5,  7,  7, 5, 5, 3,
    4, 6, 6,  8,  8, 6, 6, 4,
    8, 8, 8, 10, 10, 8, 8, 8,
    8, 8, 8, 10, 10, 8, 8, 8,
    8, 8, 8, 10, 10, 8, 8, 8,
    0, 0, 0,  0,  0, 0, 0, 0,
};

// Backward pawn penalty by row (row 0 is rank 8).
const int32_t kBackward[8] = {0, 0, 3, 4, 6, 8, 8, 0};

constexpr int32_t kDoubled = 12;

// The light squares (a8 is light) as a bitboard.
constexpr uint64_t lightSquares() {
    uint64_t bits = 0;
    for (int32_t s = 0; s < 64; s++)
        if (((fileOf(s) + rowOf(s)) & 1) == 0) bits |= squareBit(s);
    return bits;
}
constexpr uint64_t kLightSquares = lightSquares();

// The pawn tables hold ten times the value: the values, rounded toward zero.
struct PawnSquareValues {
    int32_t opening[64], endgame[64];
    PawnSquareValues() {
        for (int32_t s = 0; s < 64; s++) {
            opening[s] = kPawnOpening10[s] / 10;
            endgame[s] = kPawnEndgame10[s] / 10;
        }
    }
};
const PawnSquareValues kPawnSquare;

// A centre pawn of the colour on its starting square with a man in front of it.
bool blockedAtHome(EvalBoard& w, int32_t colour, int32_t square, int32_t forward) {
    return w.pos.piece[square] == PAWN && w.pos.colour[square] == colour && w.pos.piece[square + forward] != EMPTY;
}

// Row a is nearer colour C's promotion rank than row b. The pawn row arrays
// are compared as they are: on a file without pawns of the colour the rear
// reads as ahead of every pawn and the front as behind every pawn.
template <int32_t C>
constexpr bool ahead(int32_t a, int32_t b) {
    return C == WHITE ? a < b : a > b;
}

// The doubled, isolated, backward and side-by-side pawn terms of colour C,
// from C's point of view (whole numbers only, so the sum of the two colours
// does not depend on the order).
template <int32_t C>
int32_t structureOf(EvalBoard& w, const EvalState& e) {
    constexpr int32_t noPawn = relRow<C>(0);
    int32_t score = 0;
    const int32_t* rear = e.pawnRear[C];
    for (int32_t i = 0; i < w.pos.pieceCount[C][PAWN]; i++) {
        const int32_t s = w.pos.pieceList[C][PAWN][i];
        const int32_t r = rowOf(s), f = fileOf(s);
        const int32_t left = rear[f], right = rear[f + 2];
        // Behind another own pawn of the file: the file's front pawn is ahead.
        const bool doubled = ahead<C>(e.pawnFront[C][f + 1], r);
        if (doubled) score -= kDoubled;
        if (left == noPawn && right == noPawn) {
            score -= kIsolated[relSquare<C>(s)] + (doubled ? kDoubled : 0);
            continue;
        }
        // Backward: the rear pawns beside it are all ahead of it (or absent).
        if (ahead<C>(left, r) && ahead<C>(right, r)) {
            if (r != relRow<C>(1)) score -= kBackward[relRow<C>(r)];
            continue;
        }
        // Side by side with the next file's rear pawn, on the fourth rank or beyond.
        if (right == r && f < 7 && relRow<C>(r) < 5) score += 8 - relRow<C>(r);
    }
    return score;
}

// The rear (least advanced) and front (most advanced) pawn rows of colour C by file.
template <int32_t C>
void fillRowsOf(EvalBoard& w, EvalState& e) {
    for (int32_t i = 0; i < w.pos.pieceCount[C][PAWN]; i++) {
        const int32_t s = w.pos.pieceList[C][PAWN][i];
        const int32_t r = rowOf(s), f = fileOf(s) + 1;
        if (ahead<C>(e.pawnRear[C][f], r)) e.pawnRear[C][f] = r;
        if (ahead<C>(r, e.pawnFront[C][f])) e.pawnFront[C][f] = r;
    }
}

}  // namespace

void fillPawnRows(EvalBoard& w, EvalState& e) {
    fillRowsOf<WHITE>(w, e);
    fillRowsOf<BLACK>(w, e);
}

PawnHashEntry pawnFacts(EvalBoard& w, const EvalState& e) {
    const bool blackToMove = w.pos.side == BLACK;
    PawnHashEntry facts;
    if (pawnHashProbe(w.pawnHash, w.pos.pawnKey, &facts)) return facts;
    const int32_t score = structureOf<WHITE>(w, e) - structureOf<BLACK>(w, e);
    facts.key = w.pos.pawnKey;
    facts.passers = passedPawns(w, e);
    facts.score = blackToMove ? -score : score;
    for (int32_t colour = WHITE; colour <= BLACK; colour++) {
        const int32_t mirror = colour == WHITE ? 0 : 56;
        int32_t opening = 0, endgame = 0;
        for (int32_t i = 0; i < w.pos.pieceCount[colour][PAWN]; i++) {
            const int32_t s = w.pos.pieceList[colour][PAWN][i];
            opening += kPawnSquare.opening[s ^ mirror];
            endgame += kPawnSquare.endgame[s ^ mirror];
        }
        facts.pstOpening[colour] = int16_t(opening);
        facts.pstEndgame[colour] = int16_t(endgame);
        facts.onLight[colour] = uint8_t(popCount(w.pos.pawnBits[colour] & kLightSquares));
    }
    pawnHashStore(w.pawnHash, facts);
    return facts;
}

int32_t pawnStructure(EvalBoard& w, const PawnHashEntry& facts) {
    return w.pos.side == BLACK ? -facts.score : facts.score;
}

void evaluatePawns(EvalBoard& w, EvalState& e, int32_t colour, const PawnHashEntry& facts) {
    const int32_t sign = colour == WHITE ? 1 : -1;
    const int32_t forward = colour == WHITE ? -8 : 8;
    const int32_t count = w.pos.pieceCount[colour][PAWN];
    // Every pawn's value, and the squares its men stand on and attack.
    e.opening += sign * 90 * count;
    e.endgame += sign * 115 * count;
    e.pawnsOnLight[colour] += facts.onLight[colour];
    e.pawnsOnDark[colour] += count - facts.onLight[colour];
    e.attackMap[colour][PAWN] |= pawnAttackSet(colour, w.pos.pawnBits[colour]);
    // The centre pawns that must not be blocked on their starting squares.
    const int32_t d2 = colour == WHITE ? 51 : 11, e2 = colour == WHITE ? 52 : 12;
    const int32_t blocked = blockedAtHome(w, colour, d2, forward) + blockedAtHome(w, colour, e2, forward);
    e.opening -= sign * 20 * blocked;
    e.endgame -= sign * 24 * blocked;
    e.pstOpening[colour] += facts.pstOpening[colour];
    e.pstEndgame[colour] += facts.pstEndgame[colour];
    evaluatePassers(w, e, colour, facts.passers);
}
