// Move-generation and attack tables, built once at start-up and read-only after.
#pragma once
#include <cstdint>

#include "board/bitops.h"

// Index in the 10x12 mailbox of each square (0 = a8).
extern int32_t gMailbox64[64];
// Square of each mailbox cell, -1 for the border.
extern int32_t gMailbox120[120];
// Mailbox steps per piece code, and how many of them each piece uses.
extern const int32_t gMoveOffsets[6][8];
extern const int32_t gOffsetCount[6];
// Bit number of each square (s ^ 56); the mapping is its own inverse.
extern int32_t gBitIndex[64];

// Attack bitboards, indexed by bit number, holding bit numbers.
extern uint64_t gKnightAttacks[64];
extern uint64_t gKingAttacks[64];
extern uint64_t gPawnAttacks[2][64];  // squares a pawn of the colour attacks
extern uint64_t gRayEast[64];         // towards file h on the same rank
extern uint64_t gRayWest[64];         // towards file a on the same rank
extern uint64_t gFileMask[64];        // the square's file without the square
extern uint64_t gDiagonalMask[64];    // a1-h8 direction, without the square
extern uint64_t gAntiDiagonalMask[64];  // h1-a8 direction, without the square
// Attacks along a rank, by the file of the slider and the occupancy of the
// six inner squares of the rank (the outer two never block anything further).
extern uint8_t gRankAttacks[8][64];

// King distance between two squares (max of file and row differences).
extern int32_t gDistance[64][64];

// Exchange ranks and piece values by piece code (EMPTY last).
extern const int32_t gExchangeValue[7];
extern const int32_t gPieceValue[6];

// Fills every table above that is not a constant.
void initBoardTables();

// The slider attack sets are always inlined in the 64-bit builds (a call per
// slider saved in the evaluation, where the compiler would keep some calls);
// the 32-bit build, with its eight registers, runs faster with its own choice.
#if defined(__x86_64__)
#define SLIDER_INLINE [[gnu::always_inline]] inline
#else
#define SLIDER_INLINE inline
#endif

// Attacks along a line that holds at most one square per rank (file or
// diagonal), by the byte-swap method.
SLIDER_INLINE uint64_t lineAttacks(uint64_t occupied, uint64_t mask, int32_t bit) {
    const uint64_t o = occupied & mask;
    const uint64_t s = 1ULL << bit;
    const uint64_t forward = o - s;
    const uint64_t reverse = byteSwap(byteSwap(o) - byteSwap(s));
    return (forward ^ reverse) & mask;
}

SLIDER_INLINE uint64_t rankAttacks(uint64_t occupied, int32_t bit) {
    const int32_t shift = bit & 56;
    const uint32_t inner = uint32_t(occupied >> (shift + 1)) & 63;
    return uint64_t(gRankAttacks[bit & 7][inner]) << shift;
}

// Slider attack sets from a square given an occupancy (bit-numbered boards).
SLIDER_INLINE uint64_t bishopAttacks(uint64_t occupied, int32_t square) {
    const int32_t b = gBitIndex[square];
    return lineAttacks(occupied, gDiagonalMask[b], b) | lineAttacks(occupied, gAntiDiagonalMask[b], b);
}

SLIDER_INLINE uint64_t rookAttacks(uint64_t occupied, int32_t square) {
    const int32_t b = gBitIndex[square];
    return lineAttacks(occupied, gFileMask[b], b) | rankAttacks(occupied, b);
}
