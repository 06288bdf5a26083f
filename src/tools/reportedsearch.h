// One search of the benchmark commands: with console output and the search
// statistics after it, and what the result tables need kept.
#pragma once
#include <cstdint>

#include "board/types.h"

struct SearchRecord {
    double nodes;
    int32_t ms;              // elapsed milliseconds
    Move move;               // the move chosen
    int32_t maxDepth;        // the depth limit it ran with
    int32_t iterationDepth;  // the iteration running when it ended
};

// Searches the current position for at most allottedMs milliseconds and
// maxDepth plies, then prints the search statistics.
SearchRecord searchWithReport(int32_t allottedMs, int32_t maxDepth);
