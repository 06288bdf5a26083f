#include <cstdio>
#include <cstdlib>

#include "config/config.h"
#include "eval/evalcache.h"
#include "eval/pawnhash.h"
#include "search/tt.h"

namespace {

constexpr uint64_t kMegabyte = 1048576;

// The largest power of two, at least 2048, whose entries fit in the size.
uint32_t ttEntriesFor(int32_t hashMb) {
    const uint64_t bytes = uint64_t(hashMb) * kMegabyte;
    uint64_t entries = 2048;
    while ((entries * 2) * sizeof(TTEntry) <= bytes) entries *= 2;
    return uint32_t(entries);
}

}  // namespace

void allocateTables(int32_t hashMb, int32_t evalCacheMb) {
    const uint32_t ttEntries = ttEntriesFor(hashMb);
    const bool ttOk = ttReserve(ttEntries);
    const bool evalOk = evalCacheReserve(uint32_t(uint64_t(evalCacheMb) * kMegabyte / sizeof(EvalCacheEntry)));
    const bool pawnOk = pawnHashReserve();
    const char* failure = !ttOk ? "# NO MAIN MEMORY\n"
                          : !evalOk ? "# NO EVAL CACHE MEMORY\n"
                          : !pawnOk ? "# NO PAWN CACHE MEMORY\n"
                                    : nullptr;
    if (failure) {
        printf("%s", failure);
        fflush(stdout);
        exit(1);
    }
    // The figure printed counts a megabyte as 1,024,000 bytes.
    printf("# Hash\t\t           : %lu Mb\n", (unsigned long)(uint64_t(ttEntries) * sizeof(TTEntry) / 1024000));
    printf("# Eval Cache               : %lu Mb\n", (unsigned long)evalCacheMb);
    printf("# Pawn Hash                : %d Mb\n", 4);
    fflush(stdout);
    clearTables();
}

bool resizeTranspositionTable(int32_t hashMb) {
    const int32_t oldMb = gHashMb;
    const uint32_t oldEntries = gTTBucketCount * 2;
    if (ttReserve(ttEntriesFor(hashMb))) {
        gHashMb = hashMb;
        ttClear();
        return true;
    }
    gHashMb = oldMb;
    // The old size was available a moment ago; the smallest table is the
    // last resort, so that the searches always have one.
    if (!ttReserve(oldEntries)) ttReserve(2048);
    ttClear();
    return false;
}

void clearTables() {
    ttClear();
    evalCacheClear();
    pawnHashClear();
}

void freeTables() {
    ttRelease();
    evalCacheRelease();
    pawnHashRelease();
}
