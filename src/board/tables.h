// Move-generation and attack tables, built once at start-up and read-only after.
#pragma once
#include <cstdint>

// Index in the 10x12 mailbox of each square (0 = a8).
extern int32_t gMailbox64[64];
// Square of each mailbox cell, -1 for the border.
extern int32_t gMailbox120[120];
// Mailbox steps per piece code, and how many of them each piece uses.
extern const int32_t gMoveOffsets[6][8];
extern const int32_t gOffsetCount[6];
// Castling rights kept when a move starts or ends on the square (by square).
extern const int32_t gCastleMask[64];
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

// King distance between two squares (max of file and row differences).
extern int32_t gDistance[64][64];

// Exchange ranks and piece values by piece code (EMPTY last).
extern const int32_t gExchangeValue[7];
extern const int32_t gPieceValue[6];

// Fills every table above that is not a constant.
void initBoardTables();

// Slider attack sets from a square given an occupancy (bit-numbered boards).
uint64_t bishopAttacks(uint64_t occupied, int32_t square);
uint64_t rookAttacks(uint64_t occupied, int32_t square);
