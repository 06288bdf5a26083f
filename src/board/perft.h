// Leaf counts of the legal move tree, the check of generation and make/unmake.
#pragma once
#include <cstdint>

#include "board/board.h"

// Number of leaves below the board's position at the given depth.
double perftCount(Board& bd, int32_t depth);

// Prints the count below each legal move, then the total, time and speed.
void perft(Board& bd, int32_t depth);
