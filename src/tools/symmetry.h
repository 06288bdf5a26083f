// Evaluation symmetry checks: every position must evaluate as its colour
// mirror does, the mirror following it.
#pragma once
#include <cstdint>

// The embedded set of 151 pairs.
void runSymmetryPositions();

// The first m lines (1..200000) of a file, taken in pairs.
void runSymmetryFile(const char* file, int32_t m);
