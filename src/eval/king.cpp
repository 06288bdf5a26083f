#include "eval/king.h"

#include "board/position.h"
#include "board/tables.h"
#include "eval/params.h"
#include "eval/psqt.h"


namespace {

// Shelter penalty by the rows between the king and the own pawn in front of it.
constexpr int32_t kShelter[8] = {0, 0, 20, 30, 40, 50, 60, 0};

// Weight of a knight, rook or queen standing behind a storming pawn.
constexpr int32_t kBehindPawnWeight[3] = {3, 5, 8};

// A light attack on the king at the edge, by 3 x (knight + bishop) +
// 9 x queen + 5 x rook + pawn reaching its zone (each 0 or 1).
constexpr int32_t kKingAttack[22] = {14, 16, 18, 22, 26, 30, 34, 38, 42, 46, 50,
                                     56, 62, 68, 74, 80, 90, 100, 110, 120, 130, 140};

constexpr bool isEdgeSquare(int32_t sq) {
    return rowOf(sq) == 0 || rowOf(sq) == 7 || fileOf(sq) == 0 || fileOf(sq) == 7;
}

// The attacker's army is too light for the shelter and storm terms.
bool lightAttack(EvalBoard& w, const EvalState& e, int32_t attacker) {
    const int32_t pieces = w.pos.pieceNumber[attacker], rooks = e.rooks[attacker];
    if (e.queens[attacker] > 0)
        return e.queens[attacker] == 1 && pieces < 3 && rooks == 0 && e.totalPawns < 9;
    return pieces < 5 && !(rooks > 1 && (pieces > 3 || rooks >= 3));
}

template <int32_t C>
int32_t behindPawnWeights(const EvalState& e, int32_t fileIndex) {
    int32_t sum = 0;
    for (int32_t kind = 0; kind < 3; kind++)
        if (e.behindPawn[C][kind][fileIndex]) sum += kBehindPawnWeight[kind];
    return sum;
}

// Shelter of colour C's king by its own pawns on one file (index file + 1)
// and the storm of the enemy pawns on it. The own file weighs the whole attack
// material, the files beside it a half (shelter) or four tenths (storm).
template <int32_t C>
void shelterAndStorm(EvalBoard& w, EvalState& e, int32_t r, int32_t fileIndex, bool ownFile, int32_t attack) {
    constexpr int32_t O = C ^ 1, S = signOf<C>();
    int32_t& openCount = ownFile ? e.kingFileOpen[C] : e.kingAdjOpen[C];
    const int32_t p = relRow<C>(e.pawnRear[C][fileIndex]);
    if (p == 0 || (ownFile ? r <= p : r < p)) {
        e.blended -= S * (ownFile ? attack : attack / 2);
        openCount++;
    } else if (ownFile) {
        e.blended -= S * kShelter[r - p];
    } else {
        e.blended -= S * ((kShelter[r - p] + 2 * w.pos.pieceNumber[O]) / 2);
    }
    const int32_t stormShare = ownFile ? attack / 2 : (attack * 4) / 10;
    const int32_t q = relRow<C>(e.pawnFront[O][fileIndex]);
    if (q == 0) {
        openCount++;
        e.stormSum[O] += stormShare;
    } else if (q >= 4) {
        // Pieces behind a storming pawn: on the king's file a sum of their
        // own, beside it part of the storm.
        const int32_t behind = behindPawnWeights<O>(e, fileIndex);
        if (ownFile) {
            e.stormSum[O] += stormShare;
            e.behindSum[O] += behind;
        } else {
            e.stormSum[O] += stormShare + behind;
        }
    }
}

template <int32_t C>
void king(EvalBoard& w, EvalState& e) {
    constexpr int32_t O = C ^ 1;
    const int32_t sq = w.pos.kingSquare[C], s = relSquare<C>(sq);
    // 1. Piece-square values scaled by the king parameters.
    // (table x factor - adjustment x factor) / 100, the same as (table - adjustment) x factor / 100.
    e.pstOpening[C] += scaledTerm(int64_t(kKingOpening[s]) - gKingPcsqOpAdjustmentValue, gKingPcsqOpFactor, 100);
    e.pstEndgame[C] += scaledTerm(int64_t(kKingEndgame[s]) - gKingPcsqEnAdjustmentValue, gKingPcsqEnFactor, 100);
    // 2. The attacker's material.
    const int32_t attack = 26 * e.queens[O] + 12 * e.rooks[O] + 3 * e.bishops[O] + 2 * e.knights[O];
    // 3. Against a light attack only note a king of ours near the enemy king at the edge.
    if (lightAttack(w, e, O)) {
        const int32_t enemy = w.pos.kingSquare[O];
        if (isEdgeSquare(enemy) && gDistance[sq][enemy] < 3) e.edgeAttack[C] = 1;
        return;
    }
    // 4.-9. Shelter and storm on the king's file and the files beside it.
    const int32_t r = relRow<C>(rowOf(sq)), f = fileOf(sq);
    shelterAndStorm<C>(w, e, r, f + 1, true, attack);
    if (f > 0) shelterAndStorm<C>(w, e, r, f, false, attack);
    if (f < 7) shelterAndStorm<C>(w, e, r, f + 2, false, attack);
}

// combo(a, b) for the colour: its share of the opening and endgame sums.
void combo(EvalState& e, int32_t sign, int32_t opening, int32_t endgame) {
    addPhased(e, sign, scaledTerm(opening, gComboAttackFactorOp, 100), scaledTerm(endgame, gComboAttackFactorEn, 100));
}

// One combination of two attackers in the enemy king zone.
struct Combination {
    int32_t first, second;           // piece kinds (QUEEN stands for queenNearKing)
    int32_t openingToMove, endgameToMove;
    int32_t openingOther, endgameOther;
    int32_t fileOpen, adjacentOpen;  // blended weights of the defender's open files
};

constexpr Combination kCombinations[7] = {
    {QUEEN, ROOK, 8, 120, 4, 90, 20, 12},
    {QUEEN, BISHOP, 6, 80, 4, 50, 20, 12},
    {QUEEN, KNIGHT, 4, 50, 4, 50, 20, 15},
    {QUEEN, PAWN, 4, 40, 4, 40, 20, 15},
    {ROOK, BISHOP, 3, 14, 3, 14, 10, 8},
    {ROOK, KNIGHT, 2, 14, 2, 14, 10, 8},
    {ROOK, PAWN, 2, 8, 2, 8, 6, 4},
};

}  // namespace

void evaluateKing(EvalBoard& w, EvalState& e, int32_t colour) {
    if (colour == WHITE)
        king<WHITE>(w, e);
    else
        king<BLACK>(w, e);
}

void weighKingAttacks(EvalState& e) {
    e.opening += scaledTerm(e.stormSum[WHITE], gPawnAttacksKing, 100) -
                 scaledTerm(e.stormSum[BLACK], gPawnAttacksKing, 100) +
                 scaledTerm(e.behindSum[WHITE], gPieceBehindPawnAttacksKing, 100) -
                 scaledTerm(e.behindSum[BLACK], gPieceBehindPawnAttacksKing, 100);
}

void castlingTerms(EvalBoard& w, EvalState& e) {
    for (int32_t c = 0; c < 2; c++) {
        const int32_t sign = c == WHITE ? 1 : -1;
        const int32_t rights = w.pos.castle & (c == WHITE ? CASTLE_WHITE : CASTLE_BLACK);
        // Rights lost without castling while the opponent still has an army.
        if (w.castleRightsAtRoot[c] && !w.castledInSearch[c] && rights == 0 && w.pos.pieceMaterial[c ^ 1] >= 2000)
            e.blended -= sign * 20;
    }
    for (int32_t c = 0; c < 2; c++)
        if (w.castleRightsAtRoot[c] && w.castledInSearch[c]) e.blended += (c == WHITE ? 12 : -12);
}

namespace {

// Whether the colour's men of the kind reach the enemy king zone.
bool inZone(const EvalState& e, int32_t colour, int32_t kind) {
    if (kind == QUEEN) return e.queenNearKing[colour] != 0;
    return (e.attackMap[colour][kind] & e.kingZone[colour ^ 1]) != 0;
}

}  // namespace

void kingZoneAttacks(EvalBoard& w, EvalState& e) {
    // 1. A light attack on a king at the edge.
    for (int32_t c = 0; c < 2; c++) {
        if (!e.edgeAttack[c]) continue;
        const int32_t index = 3 * (inZone(e, c, KNIGHT) + inZone(e, c, BISHOP)) + 9 * inZone(e, c, QUEEN) +
                              5 * inZone(e, c, ROOK) + inZone(e, c, PAWN);
        e.blended += (c == WHITE ? 1 : -1) * kKingAttack[index];
    }
    // 2. Combinations of two attackers, each row for White and then Black.
    for (const Combination& row : kCombinations)
        for (int32_t c = 0; c < 2; c++) {
            if (!inZone(e, c, row.first) || !inZone(e, c, row.second)) continue;
            const int32_t sign = c == WHITE ? 1 : -1;
            if (w.pos.side == c)
                combo(e, sign, row.openingToMove, row.endgameToMove);
            else
                combo(e, sign, row.openingOther, row.endgameOther);
            const int32_t o = c ^ 1;
            e.blended += sign * (row.fileOpen * e.kingFileOpen[o] + row.adjacentOpen * e.kingAdjOpen[o]);
        }
}

void setCastlingAtRoot(EvalBoard& w, int32_t castleRights) {
    w.castleRightsAtRoot[WHITE] = (castleRights & CASTLE_WHITE) != 0;
    w.castleRightsAtRoot[BLACK] = (castleRights & CASTLE_BLACK) != 0;
    w.castledInSearch[WHITE] = w.castledInSearch[BLACK] = false;
}
