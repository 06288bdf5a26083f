// One line of a multi-line search, and the room kept for root moves and lines.
#pragma once
#include <cstdint>

#include "board/types.h"

constexpr int32_t kMaxRootMoves = 256;  // more than any position has
constexpr int32_t kMaxMultiPv = 16;

// One line of a multi-line search: its score (exact), the deepest ply the
// search of it reached, and its moves from the root.
struct RootLine {
    int32_t score = 0;
    int32_t selDepth = 0;
    int32_t length = 0;
    Move moves[kMaxPly];
};

