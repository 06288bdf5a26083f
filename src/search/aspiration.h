// Aspiration windows of iterative deepening: after an iteration whose score
// lies inside its window, the next iteration searches a narrow window around
// it; after a failure the iteration is repeated with a wider one.
#pragma once
#include <cstdint>

#include "board/types.h"

struct Aspiration {
    int32_t alpha = -MATE_VALUE, beta = MATE_VALUE;
    int32_t failLows = 0, failHighs = 0;  // since the last result inside the window
    bool research = false;                // the coming iteration repeats a failed one

    // Sets the window after a finished iteration; true when the iteration
    // must be repeated.
    bool next(int32_t score);
};
