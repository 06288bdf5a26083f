// The fixed-depth benchmark over the ten bench positions; its total node
// count at added depth 0 is the engine's search signature.
#pragma once
#include <cstdint>

// Searches each bench position to its base depth plus `added` (-1..10) with
// console output, then prints the result table and the totals.
void runBench(int32_t added);
