// The pawn hash: pawn-structure scores by pawnKey (which covers every pawn, the
// side to move, the en-passant square and the castling rights of the set-up).
#pragma once
#include <cstdint>

// 16 bytes in every build; the score is from the point of view of the side to
// move of the position stored. A score of kNoPawnEntry marks an empty slot.
struct alignas(8) PawnHashEntry {
    uint64_t key;
    int32_t score;
};
static_assert(sizeof(PawnHashEntry) == 16, "a pawn hash entry is 16 bytes");

constexpr int32_t kNoPawnEntry = -10000000;
constexpr uint32_t kPawnHashEntries = 262144;  // 4 MiB

extern PawnHashEntry* gPawnHash;
extern uint32_t gPawnHashEntries;
extern int64_t gPawnHashProbes;
extern int64_t gPawnHashHits;

bool pawnHashReserve();
void pawnHashRelease();
void pawnHashClear();

// Counts the probe (and the hit on a key match); true with the stored score when
// the slot holds the key and a score.
bool pawnHashProbe(uint64_t key, int32_t* score);

// Starts loading the slot of the key, so that a later probe finds it in cache.
inline void pawnHashPrefetch(uint64_t key) {
    __builtin_prefetch(&gPawnHash[key & (kPawnHashEntries - 1)]);
}
void pawnHashStore(uint64_t key, int32_t score);
