// Piece-square tables of the evaluation, indexed by square (0 = a8, rank 8
// first). White reads table[s], Black table[s ^ 56].
#pragma once
#include <cstdint>

// Pawn tables hold ten times the value; the evaluation divides by 10.
extern const int32_t kPawnOpening10[64];
extern const int32_t kPawnEndgame10[64];
extern const int32_t kKnightOpening[64];
extern const int32_t kKnightEndgame[64];
extern const int32_t kBishopOpening[64];
extern const int32_t kBishopEndgame[64];
extern const int32_t kRookOpening[64];
extern const int32_t kRookEndgame[64];
extern const int32_t kQueenOpening[64];
extern const int32_t kQueenEndgame[64];
extern const int32_t kKingOpening[64];
extern const int32_t kKingEndgame[64];

// Bonus for a bare king's distance from the edge (0 on the edge, 120 in the centre).
extern const int32_t kCentre[64];
