#include "eval/pawns.h"

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

int32_t whitePawnStructure(const EvalState& e) {
    int32_t score = 0;
    const int32_t* rear = e.pawnRear[WHITE];
    for (int32_t i = 0; i < gPos.pieceCount[WHITE][PAWN]; i++) {
        const int32_t s = gPos.pieceList[WHITE][PAWN][i];
        const int32_t r = rowOf(s), f = fileOf(s);
        const int32_t left = rear[f], right = rear[f + 2];
        const bool doubled = r > e.pawnFront[WHITE][f + 1];
        if (doubled) score -= kDoubled;
        if (left == 0 && right == 0) {
            score -= kIsolated[s] + (doubled ? kDoubled : 0);
            continue;
        }
        if (left < r && right < r) {
            if (r != 1) score -= kBackward[r];
            continue;
        }
        if (right == r && f < 7 && r < 5) score += 8 - r;
    }
    return score;
}

int32_t blackPawnStructure(const EvalState& e) {
    int32_t score = 0;
    const int32_t* rear = e.pawnRear[BLACK];
    for (int32_t i = 0; i < gPos.pieceCount[BLACK][PAWN]; i++) {
        const int32_t s = gPos.pieceList[BLACK][PAWN][i];
        const int32_t r = rowOf(s), f = fileOf(s);
        const int32_t left = rear[f], right = rear[f + 2];
        const bool doubled = r < e.pawnFront[BLACK][f + 1];
        if (doubled) score += kDoubled;
        if (left == 7 && right == 7) {
            score += kIsolated[s ^ 56] + (doubled ? kDoubled : 0);
            continue;
        }
        if (left > r && right > r) {
            if (r != 6) score += kBackward[7 - r];
            continue;
        }
        if (right == r && f < 7 && r >= 3) score -= r + 1;
    }
    return score;
}

}  // namespace

void fillPawnRows(EvalState& e) {
    for (int32_t i = 0; i < gPos.pieceCount[WHITE][PAWN]; i++) {
        const int32_t s = gPos.pieceList[WHITE][PAWN][i];
        const int32_t r = rowOf(s), f = fileOf(s) + 1;
        if (r > e.pawnRear[WHITE][f]) e.pawnRear[WHITE][f] = r;
        if (r < e.pawnFront[WHITE][f]) e.pawnFront[WHITE][f] = r;
    }
    for (int32_t i = 0; i < gPos.pieceCount[BLACK][PAWN]; i++) {
        const int32_t s = gPos.pieceList[BLACK][PAWN][i];
        const int32_t r = rowOf(s), f = fileOf(s) + 1;
        if (r < e.pawnRear[BLACK][f]) e.pawnRear[BLACK][f] = r;
        if (r > e.pawnFront[BLACK][f]) e.pawnFront[BLACK][f] = r;
    }
}

int32_t pawnStructure(const EvalState& e) {
    const bool blackToMove = gPos.side == BLACK;
    int32_t stored;
    if (pawnHashProbe(gPos.pawnKey, &stored)) return blackToMove ? -stored : stored;
    const int32_t score = whitePawnStructure(e) + blackPawnStructure(e);
    pawnHashStore(gPos.pawnKey, blackToMove ? -score : score);
    return score;
}

void evaluatePawns(EvalState& e, int32_t colour) {
    const int32_t sign = colour == WHITE ? 1 : -1;
    const int32_t forward = colour == WHITE ? -8 : 8;
    const int32_t mirror = colour == WHITE ? 0 : 56;
    // The centre pawns that must not be blocked on their starting squares.
    const int32_t d2 = colour == WHITE ? 51 : 11, e2 = colour == WHITE ? 52 : 12;
    for (int32_t i = 0; i < gPos.pieceCount[colour][PAWN]; i++) {
        const int32_t s = gPos.pieceList[colour][PAWN][i];
        e.opening += sign * 90;
        e.endgame += sign * 115;
        if ((s == d2 || s == e2) && gPos.piece[s + forward] != EMPTY) {
            e.opening -= sign * 20;
            e.endgame -= sign * 24;
        }
        e.pstOpening[colour] += kPawnOpening10[s ^ mirror] / 10;
        e.pstEndgame[colour] += kPawnEndgame10[s ^ mirror] / 10;
        if (((fileOf(s) + rowOf(s)) & 1) == 0)
            e.pawnsOnLight[colour]++;
        else
            e.pawnsOnDark[colour]++;
        e.attackMap[colour][PAWN] |= gPawnAttacks[colour][gBitIndex[s]];
        evaluatePasser(e, colour, s);
    }
}
