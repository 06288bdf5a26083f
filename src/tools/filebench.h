// The benchmark over positions read from a file: each searched to a fixed
// depth without output, then a table of the times.
#pragma once
#include <cstdint>

// Searches the positions of the first n lines of the file (1..200000) to the
// given depth (1..100).
void runFileBench(const char* file, int32_t n, int32_t depth);
