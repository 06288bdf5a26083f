// Leaf counts of the legal move tree, the check of generation and make/unmake.
#pragma once
#include <cstdint>

#include "board/board.h"

// The deepest count the commands run (beyond it a count would take years).
constexpr int32_t kMaxPerftDepth = 100;

// Number of leaves below the board's position at the given depth.
double perftCount(Board& bd, int32_t depth);

// Prints the count below each legal move, then the total, time and speed.
void perft(Board& bd, int32_t depth);

// The count below each legal move as "<move>: <count>", then a blank line and
// "Nodes searched: <total>" (the form interface testers read). The position,
// with the order of its piece lists, is as it was afterwards.
void perftDivide(Board& bd, int32_t depth);
