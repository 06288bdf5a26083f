#include "setup/tables.h"

#include <cstdio>
#include <cstdlib>

#include "eval/evalcache.h"
#include "eval/pawnhash.h"
#include "search/tt.h"
#include "search/worker.h"

namespace {

constexpr uint64_t kMegabyte = 1048576;

}  // namespace

const char* reserveWorkerTables(SearchWorker& w, int32_t evalCacheMb) {
    if (!evalCacheReserve(w.evalCache, uint32_t(uint64_t(evalCacheMb) * kMegabyte / sizeof(EvalCacheEntry))))
        return "# NO EVAL CACHE MEMORY\n";
    if (!w.pawnHash.reserve()) return "# NO PAWN CACHE MEMORY\n";
    w.evalCache.table.clear();
    w.pawnHash.table.clear();
    return nullptr;
}

void allocateTables(int32_t hashMb, int32_t evalCacheMb) {
    const bool ttOk = ttResize(hashMb);
    const char* failure = !ttOk ? "# NO MAIN MEMORY\n" : reserveWorkerTables(mainWorker(), evalCacheMb);
    if (failure) {
        printf("%s", failure);
        fflush(stdout);
        exit(1);
    }
    // The figure printed counts a megabyte as 1,024,000 bytes.
    printf("# Hash\t\t           : %lu Mb\n", (unsigned long)(ttBytes() / 1024000));
    printf("# Eval Cache               : %lu Mb\n", (unsigned long)evalCacheMb);
    printf("# Pawn Hash                : %d Mb\n", 4);
    fflush(stdout);
    clearTables();
}

void clearTables() {
    ttClear();
    mainWorker().evalCache.table.clear();
    mainWorker().pawnHash.table.clear();
}

void freeTables() {
    ttRelease();
    mainWorker().evalCache.table.release();
    mainWorker().pawnHash.table.release();
}
