#include "board/attacks.h"

#include "board/bitops.h"
#include "board/position.h"
#include "board/tables.h"


uint64_t piecesOf(Board& bd, int32_t colour, int32_t kind) { return bd.pos.pieceBits[colour][kind]; }
uint64_t knightsOf(Board& bd, int32_t colour) { return bd.pos.pieceBits[colour][KNIGHT]; }
uint64_t bishopsOf(Board& bd, int32_t colour) { return bd.pos.pieceBits[colour][BISHOP]; }

namespace {

// All men of byColour other than the king that attack the square.
uint64_t attackersOf(Board& bd, int32_t square, int32_t byColour) {
    const uint64_t* kinds = bd.pos.pieceBits[byColour];
    int32_t b = gBitIndex[square];
    uint64_t attackers = gPawnAttacks[byColour ^ 1][b] & kinds[PAWN];
    attackers |= gKnightAttacks[b] & kinds[KNIGHT];
    uint64_t diagonal = kinds[BISHOP] | kinds[QUEEN];
    if (diagonal & (gDiagonalMask[b] | gAntiDiagonalMask[b]))
        attackers |= bishopAttacks(bd.pos.occupied, square) & diagonal;
    uint64_t straight = kinds[ROOK] | kinds[QUEEN];
    if (straight & (gFileMask[b] | gRayEast[b] | gRayWest[b]))
        attackers |= rookAttacks(bd.pos.occupied, square) & straight;
    return attackers;
}

}  // namespace

namespace {

// The attack test on a given occupancy, counting only the men of byColour on
// `standing` (a board the caller may thin out).
inline bool attackedOn(Board& bd, int32_t square, int32_t byColour, uint64_t occupied, uint64_t standing) {
    const uint64_t* kinds = bd.pos.pieceBits[byColour];
    int32_t b = gBitIndex[square];
    if (gPawnAttacks[byColour ^ 1][b] & kinds[PAWN] & standing) return true;
    if (gKnightAttacks[b] & kinds[KNIGHT] & standing) return true;
    uint64_t diagonal = (kinds[BISHOP] | kinds[QUEEN]) & standing;
    if ((diagonal & (gDiagonalMask[b] | gAntiDiagonalMask[b])) && (bishopAttacks(occupied, square) & diagonal))
        return true;
    uint64_t straight = (kinds[ROOK] | kinds[QUEEN]) & standing;
    return (straight & (gFileMask[b] | gRayEast[b] | gRayWest[b])) && (rookAttacks(occupied, square) & straight);
}

}  // namespace

bool isAttacked(Board& bd, int32_t square, int32_t byColour) {
    return attackedOn(bd, square, byColour, bd.pos.occupied, ~uint64_t(0));
}

bool isAttackedAfter(Board& bd, int32_t square, int32_t byColour, uint64_t occupied, uint64_t taken) {
    return attackedOn(bd, square, byColour, occupied, ~taken);
}

bool inCheck(Board& bd, int32_t colour) {
    return isAttacked(bd, bd.pos.kingSquare[colour], colour ^ 1);
}

bool findAttackers(Board& bd, int32_t square, int32_t byColour) {
    uint64_t attackers = attackersOf(bd, square, byColour);
    bd.checkerSquare[0] = bd.checkerSquare[1] = -1;
    if (attackers) bd.checkerSquare[0] = gBitIndex[popLowestBit(attackers)];
    if (attackers) bd.checkerSquare[1] = gBitIndex[lowestBit(attackers)];
    return bd.checkerSquare[0] != -1;
}

int32_t see(Board& bd, Move move) {
    const int32_t from = moveFrom(move);
    const int32_t to = moveTo(move);
    const int32_t toBit = gBitIndex[to];

    // Men of both colours by kind; queens count as both slider kinds.
    const uint64_t (*kinds)[6] = bd.pos.pieceBits;
    const uint64_t diagonalSliders =
        kinds[0][BISHOP] | kinds[1][BISHOP] | kinds[0][QUEEN] | kinds[1][QUEEN];
    const uint64_t straightSliders =
        kinds[0][ROOK] | kinds[1][ROOK] | kinds[0][QUEEN] | kinds[1][QUEEN];

    // 1. Every man of either colour that attacks the destination.
    uint64_t occupied = bd.pos.occupied;
    uint64_t attackers = (gPawnAttacks[BLACK][toBit] & kinds[WHITE][PAWN]) |
                         (gPawnAttacks[WHITE][toBit] & kinds[BLACK][PAWN]) |
                         (gKnightAttacks[toBit] & (kinds[0][KNIGHT] | kinds[1][KNIGHT])) |
                         (gKingAttacks[toBit] & (kinds[0][KING] | kinds[1][KING])) |
                         (bishopAttacks(occupied, to) & diagonalSliders) |
                         (rookAttacks(occupied, to) & straightSliders);

    // Sliders that reach the destination once a capturer of this kind has left.
    auto uncover = [&](int32_t kind) {
        if (kind == PAWN || kind == BISHOP || kind == QUEEN)
            attackers |= bishopAttacks(occupied, to) & diagonalSliders;
        if (kind == ROOK || kind == QUEEN)
            attackers |= rookAttacks(occupied, to) & straightSliders;
        attackers &= occupied;
    };

    // 2. The first capture.
    int32_t gain[40];
    gain[0] = gExchangeValue[bd.pos.piece[to]];
    int32_t onTarget = bd.pos.piece[from];
    occupied &= ~squareBit(from);
    uncover(onTarget);

    // 3. No recapture possible.
    int32_t colour = bd.pos.xside;
    if (!(attackers & bd.pos.occupancy[colour])) return gain[0];

    // 4. Alternate the least valuable attackers.
    int32_t d = 0;
    while (attackers && d < 38) {
        int32_t kind = PAWN;
        uint64_t candidates = 0;
        for (; kind <= KING; kind++) {
            candidates = attackers & kinds[colour][kind];
            if (candidates) break;
        }
        if (!candidates) break;
        occupied &= ~(1ULL << lowestBit(candidates));
        uncover(kind);
        d++;
        gain[d] = gExchangeValue[onTarget] - gain[d - 1];
        onTarget = kind;
        if (gain[d] - gExchangeValue[onTarget] > 0) break;
        colour ^= 1;
    }

    // 5. Fold back.
    while (d > 0) {
        if (-gain[d] < gain[d - 1]) gain[d - 1] = -gain[d];
        d--;
    }
    return gain[0];
}
