#include "board/attacks.h"

#include "board/bitops.h"
#include "board/position.h"
#include "board/tables.h"

int32_t gCheckerSquare[2] = {-1, -1};

uint64_t piecesOf(int32_t colour, int32_t kind) { return gPos.pieceBits[colour][kind]; }
uint64_t knightsOf(int32_t colour) { return gPos.pieceBits[colour][KNIGHT]; }
uint64_t bishopsOf(int32_t colour) { return gPos.pieceBits[colour][BISHOP]; }

namespace {

// All men of byColour other than the king that attack the square.
uint64_t attackersOf(int32_t square, int32_t byColour) {
    const uint64_t* kinds = gPos.pieceBits[byColour];
    int32_t b = gBitIndex[square];
    uint64_t attackers = gPawnAttacks[byColour ^ 1][b] & kinds[PAWN];
    attackers |= gKnightAttacks[b] & kinds[KNIGHT];
    uint64_t diagonal = kinds[BISHOP] | kinds[QUEEN];
    if (diagonal & (gDiagonalMask[b] | gAntiDiagonalMask[b]))
        attackers |= bishopAttacks(gPos.occupied, square) & diagonal;
    uint64_t straight = kinds[ROOK] | kinds[QUEEN];
    if (straight & (gFileMask[b] | gRayEast[b] | gRayWest[b]))
        attackers |= rookAttacks(gPos.occupied, square) & straight;
    return attackers;
}

}  // namespace

bool isAttacked(int32_t square, int32_t byColour) {
    const uint64_t* kinds = gPos.pieceBits[byColour];
    int32_t b = gBitIndex[square];
    if (gPawnAttacks[byColour ^ 1][b] & kinds[PAWN]) return true;
    if (gKnightAttacks[b] & kinds[KNIGHT]) return true;
    uint64_t diagonal = kinds[BISHOP] | kinds[QUEEN];
    if ((diagonal & (gDiagonalMask[b] | gAntiDiagonalMask[b])) &&
        (bishopAttacks(gPos.occupied, square) & diagonal))
        return true;
    uint64_t straight = kinds[ROOK] | kinds[QUEEN];
    return (straight & (gFileMask[b] | gRayEast[b] | gRayWest[b])) &&
           (rookAttacks(gPos.occupied, square) & straight);
}

bool inCheck(int32_t colour) {
    return isAttacked(gPos.kingSquare[colour], colour ^ 1);
}

bool findAttackers(int32_t square, int32_t byColour) {
    uint64_t attackers = attackersOf(square, byColour);
    gCheckerSquare[0] = gCheckerSquare[1] = -1;
    if (attackers) gCheckerSquare[0] = gBitIndex[popLowestBit(attackers)];
    if (attackers) gCheckerSquare[1] = gBitIndex[lowestBit(attackers)];
    return gCheckerSquare[0] != -1;
}

int32_t see(Move move) {
    const int32_t from = moveFrom(move);
    const int32_t to = moveTo(move);
    const int32_t toBit = gBitIndex[to];

    // Men of both colours by kind; queens count as both slider kinds.
    const uint64_t (*kinds)[6] = gPos.pieceBits;
    const uint64_t diagonalSliders =
        kinds[0][BISHOP] | kinds[1][BISHOP] | kinds[0][QUEEN] | kinds[1][QUEEN];
    const uint64_t straightSliders =
        kinds[0][ROOK] | kinds[1][ROOK] | kinds[0][QUEEN] | kinds[1][QUEEN];

    // 1. Every man of either colour that attacks the destination.
    uint64_t occupied = gPos.occupied;
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
    gain[0] = gExchangeValue[gPos.piece[to]];
    int32_t onTarget = gPos.piece[from];
    occupied &= ~squareBit(from);
    uncover(onTarget);

    // 3. No recapture possible.
    int32_t colour = gPos.xside;
    if (!(attackers & gPos.occupancy[colour])) return gain[0];

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
