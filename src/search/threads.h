// The helper workers of a parallel search. Each helper searches the main
// worker's root at the same time, on its own board with its own tables and
// counters, and shares only the transposition table: what it finds there
// speeds up the main worker, which alone keeps the clock, prints and chooses
// the move. Helpers are created and ended between searches only.
#pragma once
#include <cstdint>

#include "search/worker.h"

constexpr int32_t kMaxSearchThreads = 256;

// The number of threads that search (the main worker's and the helpers'):
// creates or ends helpers so that there are n - 1 of them (n in
// 1..kMaxSearchThreads), each with evalCacheMb of evaluation cache. Returns
// the threads there are, fewer than n when memory ran out. Call between
// searches.
int32_t setSearchThreads(int32_t n, int32_t evalCacheMb);
int32_t searchThreads();

// A search of w begins: with parallel set, every helper starts on w's
// position (at its root, ready to search) for at most w.depthLimit
// iterations; without it (or without helpers) w searches alone.
void startHelpers(const SearchWorker& w, bool parallel);

// Stops the helpers and waits until all of them have returned.
void stopHelpers();

// The nodes of the running (or last) search in all its workers: w's own
// count and the helpers' counts as they last gave them.
uint64_t nodesOfAllWorkers(const SearchWorker& w);
