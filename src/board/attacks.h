// Attack tests, checkers and static exchange evaluation.
#pragma once
#include <cstdint>

#include "board/types.h"

// Squares of the first two men found giving check by findAttackers, -1 if none.
extern int32_t gCheckerSquare[2];

// Bitboard of the colour's men of one kind.
uint64_t piecesOf(int32_t colour, int32_t kind);
uint64_t knightsOf(int32_t colour);
uint64_t bishopsOf(int32_t colour);

// True if a man of byColour (the king excepted) attacks the square.
bool isAttacked(int32_t square, int32_t byColour);

// True if the colour's king is attacked.
bool inCheck(int32_t colour);

// Like isAttacked; also writes the squares of the first two attackers (in
// increasing bit order) into gCheckerSquare, leaving -1 in unfilled slots.
bool findAttackers(int32_t square, int32_t byColour);

// Material balance in exchange units of the capture followed by the best
// sequence of recaptures on its destination.
int32_t see(Move move);
