// The evaluation cache: the full result of evaluate per position, so that a
// position met again anywhere in the search costs one table read.
#pragma once
#include <cstdint>

#include "base/prefetch.h"
#include "platform/largetable.h"

// 16 bytes in every build: the position's hashKey and the score from the point
// of view of its side to move. A score of kNoEvalEntry marks an empty slot.
struct alignas(8) EvalCacheEntry {
    uint64_t key;
    int32_t score;
};
static_assert(sizeof(EvalCacheEntry) == 16, "a cache entry is 16 bytes");

constexpr int32_t kNoEvalEntry = -10000000;

// One search worker's cache. The slot of a key is the key modulo the entry
// count; a mask when the count is a power of two (the same slot, without a
// 64-bit division).
struct EvalCache {
    LargeTable<EvalCacheEntry> table;
    uint64_t slotMask = 0;
    bool powerOfTwo = false;

    EvalCacheEntry& slotOf(uint64_t key) const {
        return table.entries[powerOfTwo ? (key & slotMask) : (key % table.count)];
    }
};

bool evalCacheReserve(EvalCache& cache, uint32_t entries);

// Starts loading the key's slot into the cache (no effect on results).
inline void evalCachePrefetch(const EvalCache& cache, uint64_t key) { prefetchLine(&cache.slotOf(key)); }

// True with the stored score when the slot holds this key.
inline bool evalCacheProbe(const EvalCache& cache, uint64_t key, int32_t* score) {
    const EvalCacheEntry& e = cache.slotOf(key);
    if (e.key != key || e.score == kNoEvalEntry) return false;
    *score = e.score;
    return true;
}

inline void evalCacheStore(EvalCache& cache, uint64_t key, int32_t score) {
    EvalCacheEntry& e = cache.slotOf(key);
    e.key = key;
    e.score = score;
}
