// Memory for the large hash tables. Where the system offers them, huge pages
// are requested: the tables are probed at random, and with small pages nearly
// every probe would also miss the address-translation cache.
#pragma once
#include <cstddef>

// nullptr when the memory is not available.
void* allocateLargeTable(size_t bytes);
void freeLargeTable(void* table, size_t bytes);
