#include "platform/memory.h"

#include <cstdlib>

void* allocateLargeTable(size_t bytes) {
    return malloc(bytes);
}

void freeLargeTable(void* table, size_t) {
    free(table);
}
