#include "platform/memory.h"

#include <sys/mman.h>

void* allocateLargeTable(size_t bytes) {
    void* table = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (table == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
    madvise(table, bytes, MADV_HUGEPAGE);
#endif
    return table;
}

void freeLargeTable(void* table, size_t bytes) {
    if (table) munmap(table, bytes);
}
