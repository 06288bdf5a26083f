#include "board/random.h"

uint32_t gRandomState = 1;

int32_t randomDraw() {
    gRandomState = gRandomState * 214013u + 2531011u;
    return int32_t((gRandomState >> 16) & 32767u);
}

void seedRandom(uint32_t seed) {
    gRandomState = seed;
}
