// The engine's random generator: a 15-bit linear congruential generator with a
// 32-bit state. It feeds the hash keys and the opening book's choices, so with
// the same seed every run draws the same sequence.
#pragma once
#include <cstdint>

extern uint32_t gRandomState;

// Next draw, 0 .. 32767.
int32_t randomDraw();

void seedRandom(uint32_t seed);
