// Coordinate text of moves ("e2e4", "a7a8q") and matching typed moves against
// the generated move list.
#pragma once
#include <cstdint>

#include "board/board.h"

#include "board/types.h"

// Text of the move in a static buffer that the next call overwrites.
const char* moveToText(Move move);

// Finds the typed move in the list of ply 0 and returns its list index, or -1.
// For a promotion it prints "index i has value equal to %d\n" and picks the
// piece by the fifth character (n, b, r; anything else means the queen).
int32_t parseMoveText(Board& bd, const char* text);
