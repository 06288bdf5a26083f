#include "eval/pawnhash.h"

#include <cstring>

#include "platform/memory.h"

PawnHashEntry* gPawnHash = nullptr;
uint32_t gPawnHashEntries = 0;
int64_t gPawnHashProbes = 0;
int64_t gPawnHashHits = 0;

namespace {

// The table always has kPawnHashEntries slots, a power of two.
inline PawnHashEntry& slotOf(uint64_t key) {
    return gPawnHash[key & (kPawnHashEntries - 1)];
}

}  // namespace

bool pawnHashReserve() {
    pawnHashRelease();
    gPawnHash = static_cast<PawnHashEntry*>(allocateLargeTable(size_t(kPawnHashEntries) * sizeof(PawnHashEntry)));
    if (!gPawnHash) return false;
    gPawnHashEntries = kPawnHashEntries;
    return true;
}

void pawnHashRelease() {
    freeLargeTable(gPawnHash, size_t(gPawnHashEntries) * sizeof(PawnHashEntry));
    gPawnHash = nullptr;
    gPawnHashEntries = 0;
}

void pawnHashClear() {
    if (gPawnHash) memset(gPawnHash, 0, size_t(gPawnHashEntries) * sizeof(PawnHashEntry));
}

bool pawnHashProbe(uint64_t key, PawnHashEntry* entry) {
    gPawnHashProbes++;
    const PawnHashEntry& e = slotOf(key);
    if (e.key != key) return false;
    gPawnHashHits++;
    if (e.score == kNoPawnEntry) return false;
    *entry = e;
    return true;
}

void pawnHashStore(const PawnHashEntry& entry) {
    slotOf(entry.key) = entry;
}
