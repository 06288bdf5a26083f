// The evaluation cache: the full result of evaluate per position, so that a
// position met again anywhere in the search costs one table read.
#pragma once
#include <cstdint>

// 16 bytes in every build: the position's hashKey and the score from the point
// of view of its side to move. A score of kNoEvalEntry marks an empty slot.
struct alignas(8) EvalCacheEntry {
    uint64_t key;
    int32_t score;
};
static_assert(sizeof(EvalCacheEntry) == 16, "a cache entry is 16 bytes");

constexpr int32_t kNoEvalEntry = -10000000;

extern EvalCacheEntry* gEvalCache;
extern uint32_t gEvalCacheEntries;

bool evalCacheReserve(uint32_t entries);
void evalCacheRelease();
void evalCacheClear();

// Starts loading the key's slot into the cache (no effect on results).
void evalCachePrefetch(uint64_t key);

// True with the stored score when the slot holds this key.
bool evalCacheProbe(uint64_t key, int32_t* score);
void evalCacheStore(uint64_t key, int32_t score);
