// The engine's three large tables together: the transposition table, the
// evaluation cache and the pawn hash.
#pragma once
#include <cstdint>

#include "search/worker.h"

// Allocates the three tables (transposition table from hashMb, evaluation
// cache of evalCacheMb), prints their sizes and zero-fills them. Ends the
// program with status 1 when memory is not available.
void allocateTables(int32_t hashMb, int32_t evalCacheMb);

// A search worker's own tables: its evaluation cache of evalCacheMb and its
// pawn hash, zero-filled. nullptr on success, else the line that tells which
// memory is not available.
const char* reserveWorkerTables(SearchWorker& w, int32_t evalCacheMb);

// Zero-fills the three tables.
void clearTables();

// Releases the three tables.
void freeTables();
