// Attack tests, checkers and static exchange evaluation.
#pragma once
#include <cstdint>

#include "board/board.h"

#include "board/types.h"

// Bitboard of the colour's men of one kind.
uint64_t piecesOf(Board& bd, int32_t colour, int32_t kind);
uint64_t knightsOf(Board& bd, int32_t colour);
uint64_t bishopsOf(Board& bd, int32_t colour);

// True if a man of byColour (the king excepted) attacks the square.
bool isAttacked(Board& bd, int32_t square, int32_t byColour);

// The same test on the occupancy a move would leave, with byColour's men on
// `taken` (captured by that move) left out; the board itself is not changed.
bool isAttackedAfter(Board& bd, int32_t square, int32_t byColour, uint64_t occupied, uint64_t taken);

// True if the colour's king is attacked.
bool inCheck(Board& bd, int32_t colour);

// Like isAttacked; also writes the squares of the first two attackers (in
// increasing bit order) into bd.checkerSquare, leaving -1 in unfilled slots.
bool findAttackers(Board& bd, int32_t square, int32_t byColour);

// Material balance in exchange units of the capture followed by the best
// sequence of recaptures on its destination.
int32_t see(Board& bd, Move move);
