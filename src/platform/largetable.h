// A hash table of fixed-size entries in memory from allocateLargeTable: the
// reserve, release and clear that the transposition table, the evaluation
// cache and the pawn hash share.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/memory.h"

template <typename Entry>
struct LargeTable {
    Entry* entries = nullptr;
    size_t count = 0;  // 64 bits where the address space is

    LargeTable() = default;
    LargeTable(const LargeTable&) = delete;
    LargeTable& operator=(const LargeTable&) = delete;
    ~LargeTable() { release(); }

    // Room for n entries, any earlier table released first; false (and no
    // table) when the memory is not available.
    bool reserve(size_t n) {
        release();
        entries = static_cast<Entry*>(allocateLargeTable(n * sizeof(Entry)));
        if (!entries) return false;
        count = n;
        return true;
    }

    void release() {
        freeLargeTable(entries, count * sizeof(Entry));
        entries = nullptr;
        count = 0;
    }

    // Every entry to zero bytes (the entries' types read that as empty).
    void clear() {
        if (entries) memset(static_cast<void*>(entries), 0, count * sizeof(Entry));
    }

    size_t bytes() const { return count * sizeof(Entry); }
};
