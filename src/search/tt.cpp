#include "search/tt.h"

#include <cstring>

#include "board/position.h"
#include "platform/memory.h"

TTBucket* gTTable = nullptr;
uint32_t gTTBucketCount = 0;
uint16_t gSearchAge = 0;
double gHashProbes = 0;
double gHashHits = 0;

bool ttReserve(uint32_t entries) {
    ttRelease();
    gTTable = static_cast<TTBucket*>(allocateLargeTable(size_t(entries / 2) * sizeof(TTBucket)));
    if (!gTTable) return false;
    gTTBucketCount = entries / 2;
    return true;
}

namespace {

// The largest power of two, at least 2048, whose entries fit in the size.
uint32_t entriesFor(int32_t mb) {
    const uint64_t bytes = uint64_t(mb) * 1048576;
    uint64_t entries = 2048;
    while ((entries * 2) * sizeof(TTEntry) <= bytes) entries *= 2;
    return uint32_t(entries);
}

}  // namespace

bool ttResize(int32_t mb) {
    const uint32_t oldEntries = gTTBucketCount * 2;
    const bool done = ttReserve(entriesFor(mb));
    // The old size was available a moment ago; the smallest table is the
    // last resort, so that the searches always have one.
    if (!done && !(oldEntries && ttReserve(oldEntries))) ttReserve(2048);
    ttClear();
    return done;
}

void ttRelease() {
    freeLargeTable(gTTable, size_t(gTTBucketCount) * sizeof(TTBucket));
    gTTable = nullptr;
    gTTBucketCount = 0;
}

void ttClear() {
    if (gTTable) memset(gTTable, 0, size_t(gTTBucketCount) * sizeof(TTBucket));
}

int32_t ttHashfull() {
    int32_t used = 0;
    const uint32_t buckets = gTTBucketCount < 500 ? gTTBucketCount : 500;
    for (uint32_t i = 0; i < buckets; i++)
        for (const TTEntry& e : gTTable[i].slot) used += e.key != 0 && e.age == gSearchAge;
    return buckets ? int32_t(used * 500 / buckets) : 0;
}

namespace {

inline TTBucket& bucketOf(uint64_t key) {
    return gTTable[key & (gTTBucketCount - 1)];
}

inline int32_t clampToMateBound(int32_t score) {
    if (score > MATE_BOUND) return MATE_BOUND;
    if (score < -MATE_BOUND) return -MATE_BOUND;
    return score;
}

// Slot 0 on a key match or when it is left over from an earlier search or not
// deeper than the new entry; slot 1 otherwise. Sets keyMatch for slot 0 matches.
inline TTEntry& slotForStore(TTBucket& bucket, uint64_t key, int32_t depth, bool* keyMatch) {
    TTEntry& first = bucket.slot[0];
    *keyMatch = first.key == key;
    if (*keyMatch || first.age < gSearchAge || depth >= first.depth) return first;
    return bucket.slot[1];
}

void store(Move move, bool withMove, int32_t depth, int32_t score, uint8_t bound) {
    const uint64_t key = gPos.hashKey;
    bool keyMatch;
    TTEntry& e = slotForStore(bucketOf(key), key, depth, &keyMatch);
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
}

}  // namespace

int32_t ttProbe(int32_t depth, int32_t* score, Move* move) {
    gHashProbes += 1;
    const uint64_t key = gPos.hashKey;
    TTBucket& bucket = bucketOf(key);
    const TTEntry* e = &bucket.slot[0];
    if (e->key != key) {
        e = &bucket.slot[1];
        if (e->key != key) return BOUND_NONE;
    }
    *move = e->move;
    if (e->depth < depth) return BOUND_NONE;
    int32_t s = e->score;
    if (e->bound == BOUND_EXACT) {
        if (s > MATE_BOUND) s -= gPos.ply;
        else if (s < -MATE_BOUND) s += gPos.ply;
    } else {
        s = clampToMateBound(s);
    }
    *score = s;
    gHashHits += 1;
    return e->bound;
}

void ttStore(Move move, int32_t depth, int32_t score, uint8_t bound) {
    if (score > MATE_BOUND || score < -MATE_BOUND) {
        if (bound == BOUND_EXACT)
            score += score > 0 ? gPos.ply : -gPos.ply;
        else
            score = clampToMateBound(score);
    }
    store(move, true, depth, score, bound);
}

void ttStoreNoMove(int32_t depth, int32_t score, uint8_t bound) {
    store(0, false, depth, clampToMateBound(score), bound);
}
