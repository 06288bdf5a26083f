#include "eval/material.h"

#include <cstring>

#include "board/position.h"
#include "board/tables.h"
#include "eval/psqt.h"

void initEvalState(EvalBoard& w, EvalState& e) {
    // All of it integers: zero bytes are zero values, filled in place.
    memset(&e, 0, sizeof e);
    int32_t queens = 0, rooks = 0, minors = 0;
    for (int32_t c = 0; c < 2; c++) {
        e.queens[c] = w.pos.queenNumber[c];
        e.rooks[c] = w.pos.rookNumber[c];
        e.knights[c] = w.pos.knightNumber[c];
        e.bishops[c] = w.pos.bishopNumber[c];
        e.minors[c] = e.knights[c] + e.bishops[c];
        e.pawns[c] = w.pos.pawnNumber[c];
        queens += e.queens[c];
        rooks += e.rooks[c];
        minors += e.minors[c];
    }
    e.totalPawns = e.pawns[0] + e.pawns[1];
    const int32_t phase = 10 * queens + 5 * rooks + 3 * minors;
    e.phase = phase < 64 ? phase : 64;
    e.pawnPhase = e.totalPawns < 16 ? e.totalPawns : 16;
    for (int32_t i = 0; i < 10; i++) {
        e.pawnRear[0][i] = 0;
        e.pawnRear[1][i] = 7;
        e.pawnFront[0][i] = 7;
        e.pawnFront[1][i] = 0;
    }
    e.drawDivisor = 1;
    e.bestRow[0] = 6;
    e.bestRow[1] = 1;
    for (int32_t c = 0; c < 2; c++) e.kingZone[c] = gKingAttacks[gBitIndex[w.pos.kingSquare[c]]];
}

void materialRedundancy(EvalState& e) {
    const int32_t W = 0, B = 1;
    e.imbalance = 0;
    if (e.rooks[W]) e.imbalance = (e.queens[W] ? -90 : 0) + (e.rooks[W] >= 2 ? -95 : 0);
    if (e.rooks[B]) e.imbalance += (e.rooks[B] >= 2 ? 95 : 0) + (e.queens[B] ? 90 : 0);
    if (e.knights[W] >= 2) e.imbalance -= 78;
    if (e.knights[B] >= 2) e.imbalance += 78;
}

void bareKingEndings(EvalBoard& w, EvalState& e) {
    const int32_t W = 0, B = 1;
    const int32_t wk = w.pos.kingSquare[W], bk = w.pos.kingSquare[B];
    const int32_t dist = gDistance[wk][bk];
    const bool blackBare = w.pos.pieceNumber[B] == 0 && w.pos.pawnNumber[B] == 0;
    const bool whiteBare = w.pos.pieceNumber[W] == 0 && w.pos.pawnNumber[W] == 0;
    if (blackBare && e.rooks[W])
        e.blended += 520 - kCentre[bk] - 10 * dist;
    else if (blackBare && e.queens[W])
        e.blended += 232 - kCentre[bk] - 16 * dist;
    else if (whiteBare && e.rooks[B])
        e.blended += kCentre[wk] + 10 * dist - 520;
    else if (whiteBare && e.queens[B])
        e.blended += kCentre[wk] + 16 * dist - 232;
    else if (w.pos.pieceMaterial[B] < 501 && w.pos.pawnNumber[B] == 0 && e.queens[W])
        e.blended += 332 - kCentre[bk] - 16 * dist;
    else if (w.pos.pieceMaterial[W] < 501 && w.pos.pawnNumber[W] == 0 && e.queens[B])
        e.blended += kCentre[wk] + 16 * dist - 332;
}

namespace {

// Minor-piece endings without pawns and queens.
int32_t drawishWithoutPawns(const EvalState& e) {
    const int32_t W = 0, B = 1;
    const int32_t knights = e.knights[W] + e.knights[B], bishops = e.bishops[W] + e.bishops[B];
    const int32_t rooks = e.rooks[W] + e.rooks[B];
    const int32_t bishopGap = e.bishops[W] > e.bishops[B] ? e.bishops[W] - e.bishops[B] : e.bishops[B] - e.bishops[W];
    auto side = [&](int32_t c, int32_t n, int32_t b) { return e.knights[c] == n && e.bishops[c] == b; };
    auto pair = [&](int32_t n1, int32_t b1, int32_t n2, int32_t b2) {
        return (side(W, n1, b1) && side(B, n2, b2)) || (side(W, n2, b2) && side(B, n1, b1));
    };
    if (bishops == 0 && rooks == 0 && e.knights[W] < 3 && e.knights[B] < 3) return 4;
    if (knights == 0 && rooks == 0 && bishopGap < 2 && bishops < 4) return 3;
    if (rooks == 0 && knights + bishops == 3 && knights > 0 && bishops > 0) {
        if (pair(1, 1, 0, 1) || pair(2, 0, 0, 1)) return 3;  // B+N or N+N against B
        if (pair(1, 1, 1, 0)) return 2;                      // B+N against N
        return 0;
    }
    const bool rookMinorVsRook = (e.rooks[W] == 1 && e.minors[W] == 1 && e.rooks[B] == 1 && e.minors[B] == 0) ||
                                 (e.rooks[B] == 1 && e.minors[B] == 1 && e.rooks[W] == 1 && e.minors[W] == 0);
    return rookMinorVsRook ? 2 : 0;
}

// Rook endings with one pawn, and a lone minor against a lone pawn.
int32_t drawishWithPawns(const EvalState& e, int32_t* score) {
    const int32_t W = 0, B = 1;
    const int32_t rooks = e.rooks[W] + e.rooks[B];
    auto bareOfPieces = [&](int32_t c) { return e.minors[c] == 0 && e.rooks[c] == 0; };
    if (rooks == 0) {
        if (e.minors[W] == 1 && e.pawns[W] == 0 && bareOfPieces(B) && e.pawns[B] == 1) *score -= 150;
        else if (e.minors[B] == 1 && e.pawns[B] == 0 && bareOfPieces(W) && e.pawns[W] == 1) *score += 150;
        return 0;
    }
    if (e.rooks[W] != 1 || e.rooks[B] != 1) return 0;
    if (e.minors[W] + e.minors[B] == 0 && e.pawns[W] + e.pawns[B] == 1) return 2;  // R+P against R
    // R+P against R+minor without pawns.
    auto rookPawn = [&](int32_t c) { return e.pawns[c] == 1 && e.minors[c] == 0; };
    auto rookMinor = [&](int32_t c) { return e.pawns[c] == 0 && e.minors[c] == 1; };
    if ((rookPawn(W) && rookMinor(B)) || (rookPawn(B) && rookMinor(W))) return 1;
    return 0;
}

}  // namespace

int32_t scaleDrawish(EvalState& e, int32_t score) {
    if (e.queens[0] + e.queens[1] == 0) {
        if (e.totalPawns == 0)
            e.drawDivisor += drawishWithoutPawns(e);
        else
            e.drawDivisor += drawishWithPawns(e, &score);
    }
    if (e.drawDivisor != 1) score /= e.drawDivisor;
    return score;
}
