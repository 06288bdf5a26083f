// The transposition table: per position the score of an earlier search with its
// bound, depth and best move. Entries of earlier searches are told apart by the
// search age, so the table is never cleared between searches.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "search/worker.h"

#include "board/types.h"
#include "base/prefetch.h"
#include "platform/largetable.h"

// What one slot holds:
//   key   the position's full hashKey (0: an empty slot)
//   move  best or refuting move, 0 for none
//   score mate scores counted from this node
//   depth remaining depth in half-plies, 0 for quiescence entries
//   age   gSearchAge when written
//   bound BOUND_*
struct TTEntry {
    uint64_t key;
    Move move;
    int16_t score;
    int16_t depth;
    uint16_t age;
    uint8_t bound;
};

// A slot as stored, 24 bytes in every build: three words that one search
// thread may read while another writes them (each word is read and written
// whole). `check` is the key mixed with the two data words, so that a slot
// read half before and half after another thread's write matches no key.
struct alignas(8) TTSlot {
    uint64_t check;
    uint64_t data;  // move, score, depth
    uint64_t meta;  // age, bound
};
static_assert(sizeof(TTSlot) == 24, "a table slot is 24 bytes");

inline uint64_t loadWord(const uint64_t& word) {
    return std::atomic_ref<const uint64_t>(word).load(std::memory_order_relaxed);
}
inline void storeWord(uint64_t& word, uint64_t value) {
    std::atomic_ref<uint64_t>(word).store(value, std::memory_order_relaxed);
}

inline TTEntry ttRead(const TTSlot& slot) {
    const uint64_t data = loadWord(slot.data), meta = loadWord(slot.meta);
    TTEntry e;
    e.key = loadWord(slot.check) ^ data ^ meta;
    e.move = Move(data);
    e.score = int16_t(uint16_t(data >> 32));
    e.depth = int16_t(uint16_t(data >> 48));
    e.age = uint16_t(meta);
    e.bound = uint8_t(meta >> 16);
    return e;
}

inline void ttWrite(TTSlot& slot, const TTEntry& e) {
    const uint64_t data = uint64_t(e.move) | uint64_t(uint16_t(e.score)) << 32 | uint64_t(uint16_t(e.depth)) << 48;
    const uint64_t meta = uint64_t(e.age) | uint64_t(e.bound) << 16;
    storeWord(slot.data, data);
    storeWord(slot.meta, meta);
    storeWord(slot.check, e.key ^ data ^ meta);
}

// Slot 0 prefers depth, slot 1 is always replaced.
struct TTBucket {
    TTSlot slot[2];
};

constexpr uint8_t BOUND_NONE = 0;
constexpr uint8_t BOUND_LOWER = 1;
constexpr uint8_t BOUND_EXACT = 2;
constexpr uint8_t BOUND_UPPER = 3;

extern LargeTable<TTBucket> gTTable;  // a power of two of buckets
extern uint16_t gSearchAge;      // incremented at the start of every search

// Reserves room for `entries` slots (entries / 2 buckets); false when the
// memory is not available. Any earlier table is released first.
bool ttReserve(uint64_t entries);

// Gives the table the largest power of two of entries (at least 2048) that
// fits in mb megabytes, empty. When that memory is not available the table
// keeps its old size (or, failing that, the smallest), emptied, and the
// result is false.
bool ttResize(int32_t mb);

// The table's size: entries and bytes.
inline uint64_t ttEntryCount() { return uint64_t(gTTable.count) * 2; }
inline uint64_t ttBytes() { return ttEntryCount() * sizeof(TTSlot); }
void ttRelease();
void ttClear();

// A new search: entries written from now on are told from older ones.
inline void ttNewSearch() { gSearchAge++; }

// The probe and hit counts of the statistics line start again.
inline void ttResetCounters(SearchWorker& w) { w.hashProbes = w.hashHits = 0; }

// Probes the current position. Hands back the stored move of a matching slot
// whatever its depth; returns its bound when the depth suffices (the score
// converted to the current ply), else 0.
int32_t ttProbe(SearchWorker& w, int32_t depth, int32_t* score, Move* move);

// Starts loading the current position's bucket into the cache (no effect on
// results: the searches call it right after making a move, so that the child's
// probe does not wait for memory).
inline void ttPrefetch(uint64_t key) {
    // A 48-byte bucket may straddle two cache lines: both are requested.
    const char* bucket = reinterpret_cast<const char*>(&gTTable.entries[key & (gTTable.count - 1)]);
    prefetchLine(bucket);
    prefetchLine(bucket + sizeof(TTBucket) - 1);
}

// How full the table is, in thousandths: the share of the first thousand
// slots written by the current search.
int32_t ttHashfull();

// Stores the current position's result, with or without a move.
void ttStore(SearchWorker& w, Move move, int32_t depth, int32_t score, uint8_t bound);
void ttStoreNoMove(SearchWorker& w, int32_t depth, int32_t score, uint8_t bound);
