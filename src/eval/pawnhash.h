// The pawn hash: what the pawns alone decide, by pawnKey (which covers every
// pawn, the side to move, the en-passant square and the castling rights of the
// set-up): the pawn-structure score, the pawns' square-value sums, their
// light-square counts and the passed pawns.
#pragma once
#include <cstdint>

#include "base/prefetch.h"
#include "platform/largetable.h"

// 32 bytes in every build; the score is from the point of view of the side to
// move of the position stored, the other fields by colour. A score of
// kNoPawnEntry marks an empty slot.
struct alignas(8) PawnHashEntry {
    uint64_t key;
    uint64_t passers;  // passed pawns of both colours (bit numbers)
    int32_t score;
    int16_t pstOpening[2], pstEndgame[2];
    uint8_t onLight[2];
};
static_assert(sizeof(PawnHashEntry) == 32, "a pawn hash entry is 32 bytes");

constexpr int32_t kNoPawnEntry = -10000000;
constexpr uint32_t kPawnHashEntries = 262144;  // 8 MiB

// One search worker's pawn hash, with the probe and hit counts of the
// statistics line. The table always has kPawnHashEntries slots.
struct PawnHash {
    LargeTable<PawnHashEntry> table;
    int64_t probes = 0;
    int64_t hits = 0;

    PawnHashEntry& slotOf(uint64_t key) const { return table.entries[key & (kPawnHashEntries - 1)]; }
    // The probe and hit counts of the statistics line start again.
    void resetCounters() { probes = hits = 0; }
    bool reserve() { return table.reserve(kPawnHashEntries); }
};

// Counts the probe (and the hit on a key match); true with a copy of the stored
// entry when the slot holds the key and a score.
inline bool pawnHashProbe(PawnHash& hash, uint64_t key, PawnHashEntry* entry) {
    hash.probes++;
    const PawnHashEntry& e = hash.slotOf(key);
    if (e.key != key) return false;
    hash.hits++;
    if (e.score == kNoPawnEntry) return false;
    *entry = e;
    return true;
}

// Starts loading the slot of the key, so that a later probe finds it in cache.
inline void pawnHashPrefetch(const PawnHash& hash, uint64_t key) { prefetchLine(&hash.slotOf(key)); }

inline void pawnHashStore(PawnHash& hash, const PawnHashEntry& entry) { hash.slotOf(entry.key) = entry; }
