#include "setup/tables.h"

#include <cstdio>
#include <cstdlib>

#include "eval/evalcache.h"
#include "eval/pawnhash.h"
#include "config/config.h"
#include "search/threads.h"
#include "search/tt.h"
#include "search/worker.h"


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

void startSearchThreads() {
    if (gSearchThreads <= 1) return;
    const int32_t started = setSearchThreads(gSearchThreads, gEvalCacheMb);
    if (started == gSearchThreads) return;
    printf("# Not enough memory for %d threads; the search has %d\n", gSearchThreads, started);
    fflush(stdout);
    setSearchThreadCount(started);
}
