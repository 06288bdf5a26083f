// Search output: iteration lines, the time line, ponder lines, statistics; and
// the counters the searches keep for them.
#pragma once
#include <cstdint>

#include "search/worker.h"

#include "board/types.h"
#include "game/outputmode.h"

// Zeroes the counters above and the hash and bitbase hit counts.
void resetIterationCounters(SearchWorker& w);

// Zeroes the counts kept for the whole search (the bitbase hits).
void resetSearchCounters(SearchWorker& w);

void printIterationLine(SearchWorker& w, int32_t depth, int32_t score);
// The UCI form of an iteration line: "info depth ... score cp|mate ... pv ..."
// for line multiPv of the iteration (1 for the best); bound -1 for a score
// that failed low (an upper bound), 1 for one that failed high (a lower
// bound), 0 for an exact score. Nothing for an empty line, nor for a bound
// in the search's first second.
void printUciIterationLine(SearchWorker& w, int32_t depth, int32_t multiPv, int32_t score, int32_t bound, int32_t selDepth,
                           const Move* pv, int32_t length);

// "info depth ... currmove ... currmovenumber ..." for the root move about to
// be searched, once the search has run for a second.
void printUciCurrentMove(int32_t depth, Move move, int32_t number);
void printTimeLine();
void printPonderHeader(OutputMode outputMode);
void printPonderLine(SearchWorker& w, OutputMode outputMode, int32_t depth, int32_t score);
void printSearchStats(SearchWorker& w);
