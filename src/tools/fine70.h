// The Fine 70 speed test: a king and pawn ending searched to a given depth.
#pragma once
#include <cstdint>

void runFine70(int32_t depth);
