#include "eval/evalcache.h"

#include <cstring>

#include "platform/memory.h"

EvalCacheEntry* gEvalCache = nullptr;
uint32_t gEvalCacheEntries = 0;

namespace {

// The slot of a key is the key modulo the entry count; a mask when the count
// is a power of two (the same slot, without a 64-bit division).
uint64_t gSlotMask = 0;
bool gPowerOfTwo = false;

inline EvalCacheEntry& slotOf(uint64_t key) {
    return gEvalCache[gPowerOfTwo ? (key & gSlotMask) : (key % gEvalCacheEntries)];
}

}  // namespace

bool evalCacheReserve(uint32_t entries) {
    evalCacheRelease();
    gEvalCache = static_cast<EvalCacheEntry*>(allocateLargeTable(size_t(entries) * sizeof(EvalCacheEntry)));
    if (!gEvalCache) return false;
    gEvalCacheEntries = entries;
    gPowerOfTwo = (entries & (entries - 1)) == 0;
    gSlotMask = entries - 1;
    return true;
}

void evalCacheRelease() {
    freeLargeTable(gEvalCache, size_t(gEvalCacheEntries) * sizeof(EvalCacheEntry));
    gEvalCache = nullptr;
    gEvalCacheEntries = 0;
}

void evalCacheClear() {
    if (gEvalCache) memset(gEvalCache, 0, size_t(gEvalCacheEntries) * sizeof(EvalCacheEntry));
}

void evalCachePrefetch(uint64_t key) {
    __builtin_prefetch(&slotOf(key));
}

bool evalCacheProbe(uint64_t key, int32_t* score) {
    const EvalCacheEntry& e = slotOf(key);
    if (e.key != key || e.score == kNoEvalEntry) return false;
    *score = e.score;
    return true;
}

void evalCacheStore(uint64_t key, int32_t score) {
    EvalCacheEntry& e = slotOf(key);
    e.key = key;
    e.score = score;
}
