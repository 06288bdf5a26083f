#include "search/tt.h"

#include <cstdint>
#include <cstring>

#include "board/position.h"

LargeTable<TTBucket> gTTable;
uint16_t gSearchAge = 0;

bool ttReserve(uint64_t entries) {
    // A size past the address space (the 32-bit build) is not available.
    if (entries / 2 > SIZE_MAX / sizeof(TTBucket)) return false;
    return gTTable.reserve(size_t(entries / 2));
}

namespace {

// The largest power of two, at least 2048, whose entries fit in the size.
uint64_t entriesFor(int32_t mb) {
    const uint64_t bytes = uint64_t(mb) * 1048576;
    uint64_t entries = 2048;
    while ((entries * 2) * sizeof(TTSlot) <= bytes) entries *= 2;
    return entries;
}

}  // namespace

bool ttResize(int32_t mb) {
    const uint64_t oldEntries = ttEntryCount();
    const bool done = ttReserve(entriesFor(mb));
    // The old size was available a moment ago; the smallest table is the
    // last resort, so that the searches always have one.
    if (!done && !(oldEntries && ttReserve(oldEntries))) ttReserve(2048);
    ttClear();
    return done;
}

void ttRelease() { gTTable.release(); }

void ttClear() { gTTable.clear(); }

int32_t ttHashfull() {
    int32_t used = 0;
    const size_t buckets = gTTable.count < 500 ? gTTable.count : 500;
    for (size_t i = 0; i < buckets; i++)
        for (const TTSlot& slot : gTTable.entries[i].slot) {
            const TTEntry e = ttRead(slot);
            used += e.key != 0 && e.age == gSearchAge;
        }
    return buckets ? int32_t(used * 500 / buckets) : 0;
}

namespace {

inline TTBucket& bucketOf(uint64_t key) {
    return gTTable.entries[key & (gTTable.count - 1)];
}

inline int32_t clampToMateBound(int32_t score) {
    if (score > MATE_BOUND) return MATE_BOUND;
    if (score < -MATE_BOUND) return -MATE_BOUND;
    return score;
}

// Slot 0 on a key match or when it is left over from an earlier search or not
// deeper than the new entry; slot 1 otherwise. Sets keyMatch for slot 0
// matches, and hands back what slot 0 holds.
inline TTSlot& slotForStore(TTBucket& bucket, uint64_t key, int32_t depth, TTEntry* first, bool* keyMatch) {
    *first = ttRead(bucket.slot[0]);
    *keyMatch = first->key == key;
    if (*keyMatch || first->age < gSearchAge || depth >= first->depth) return bucket.slot[0];
    return bucket.slot[1];
}

void store(SearchWorker& w, Move move, bool withMove, int32_t depth, int32_t score, uint8_t bound) {
    const uint64_t key = w.pos.hashKey;
    TTEntry e;
    bool keyMatch;
    TTSlot& slot = slotForStore(bucketOf(key), key, depth, &e, &keyMatch);
    // Slot 0 keeps the move of its position unless a new one is given.
    if (keyMatch) {
        if (withMove && move != 0) e.move = move;
    } else {
        e.key = key;
        e.move = withMove ? move : 0;
    }
    e.age = gSearchAge;
    e.depth = int16_t(depth);
    e.bound = bound;
    e.score = int16_t(score);
    ttWrite(slot, e);
}

}  // namespace

int32_t ttProbe(SearchWorker& w, int32_t depth, int32_t* score, Move* move) {
    w.hashProbes += 1;
    const uint64_t key = w.pos.hashKey;
    const TTBucket& bucket = bucketOf(key);
    TTEntry e = ttRead(bucket.slot[0]);
    if (e.key != key) {
        e = ttRead(bucket.slot[1]);
        if (e.key != key) return BOUND_NONE;
    }
    *move = e.move;
    if (e.depth < depth) return BOUND_NONE;
    int32_t s = e.score;
    if (e.bound == BOUND_EXACT) {
        if (s > MATE_BOUND) s -= w.pos.ply;
        else if (s < -MATE_BOUND) s += w.pos.ply;
    } else {
        s = clampToMateBound(s);
    }
    *score = s;
    w.hashHits += 1;
    return e.bound;
}

void ttStore(SearchWorker& w, Move move, int32_t depth, int32_t score, uint8_t bound) {
    if (score > MATE_BOUND || score < -MATE_BOUND) {
        if (bound == BOUND_EXACT)
            score += score > 0 ? w.pos.ply : -w.pos.ply;
        else
            score = clampToMateBound(score);
    }
    store(w, move, true, depth, score, bound);
}

void ttStoreNoMove(SearchWorker& w, int32_t depth, int32_t score, uint8_t bound) {
    store(w, 0, false, depth, clampToMateBound(score), bound);
}
