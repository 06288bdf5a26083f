// The engine's three large tables together: the transposition table, the
// evaluation cache and the pawn hash.
#pragma once
#include <cstdint>

#include "search/worker.h"

// Allocates the three tables (transposition table from hashMb, evaluation
// cache of evalCacheMb), prints their sizes and zero-fills them. Ends the
// program with status 1 when memory is not available.
void allocateTables(int32_t hashMb, int32_t evalCacheMb);

// Zero-fills the three tables.
void clearTables();

// Releases the three tables.
void freeTables();

// Starts the helper threads the settings ask for (Threads in morvantix.ini),
// or as many as memory allows, saying so.
void startSearchThreads();
