// Search limits set by the front end: time per move and depth.
#pragma once
#include <cstdint>

// Search time for the next move in milliseconds (10000 at start-up; `st` sets it).
extern int32_t gAllottedTime;

// Depth limit of a search in plies (100 at start-up; `sd` sets it).
extern int32_t gMaxSearchDepth;
