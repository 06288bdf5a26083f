#include "tools/filebench.h"

#include <cstdio>
#include <cstdlib>

#include "base/version.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "board/position.h"
#include "platform/clock.h"
#include "search/stopcheck.h"
#include "search/think.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "tools/linereader.h"
#include "game/gameboard.h"
#include "search/worker.h"

namespace {

constexpr int32_t kMaxPositions = 200000;
constexpr size_t kLineSize = 512;  // lines of up to 511 characters are positions

// One position: searched silently to the depth; returns the milliseconds it took.
int32_t searchPosition(const char* fen, int32_t depth, uint64_t* totalNodes) {
    startGame(fen);
    makeCurrentPositionRoot(gameBoard());
    generateAllMoves(gameBoard());
    setFixedSearch(300000, depth);
    setEngineState(ENGINE_ANALYZING);
    const uint32_t start = getMilliseconds();
    think(workerOnGame(), OutputMode::Silent, SearchPurpose::Test);
    const uint32_t end = getMilliseconds();
    *totalNodes += mainWorker().nodeCount;
    setEngineState(ENGINE_NORMAL);
    return int32_t(end - start);
}

void printResults(const char* file, int32_t n, int32_t depth, const int32_t* times, int32_t searched,
                  uint64_t totalNodes) {
    printf("\n");
    printf("   No.   ply  time(ms)\n");
    printf("---------------------------\n");
    int32_t totalMs = 0;
    for (int32_t i = 0; i < searched; i++) {
        printf("%5d    %2d     %-d\n", i + 1, depth, times[i]);
        totalMs += times[i];
    }
    printf("\nfile-bench %s %d %d\n", file, n, depth);
    printf("\n %s bench results of %d positions from %s file\n", kEngineName, searched, file);
    printf("Total time %dms, Total nodes %llu\n", totalMs, (unsigned long long)totalNodes);
}

}  // namespace

void runFileBench(const char* file, int32_t n, int32_t depth) {
    if (n > kMaxPositions) {
        n = kMaxPositions;
        printf("No. of Positions to be analyzed %d\n", n);
    }
    if (n < 1) {
        n = 1;
        printf("No. of Positions to be analyzed %d\n", n);
    }
    if (depth > 100) {
        depth = 100;
        printf("Search depth  %d\n", depth);
    }
    if (depth < 1) {
        depth = 1;
        printf("Search depth  %d\n", depth);
    }
    int32_t* times = static_cast<int32_t*>(malloc(size_t(n) * sizeof(int32_t)));
    if (!times) {
        printf("Error: memory was not allocated\n");
        return;
    }
    FILE* in = fopen(file, "r");
    if (!in) {
        printf("Error: can not open the epd file\n");
        free(times);
        return;
    }
    printf("\nStart bench\n");
    char line[kLineSize];
    size_t length;
    int32_t count = 0, searched = 0;
    uint64_t totalNodes = 0;
    while (count < n && readWholeLine(in, line, sizeof line, &length)) {
        if (count % 5 == 0) printf(".");
        count++;
        if (count % 10 == 0) printf("  %d positions\n", count);
        fflush(stdout);
        if (length >= 15 && length < kLineSize) times[searched++] = searchPosition(line, depth, &totalNodes);
    }
    fclose(in);
    printResults(file, n, depth, times, searched, totalNodes);
    free(times);
    setFixedSearch(gAllottedTime, kDefaultSearchDepth);
    startGame(kStartFen);
    makeCurrentPositionRoot(gameBoard());
    generateAllMoves(gameBoard());
    fflush(stdout);
}
