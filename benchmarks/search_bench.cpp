// Fixed-depth searches of the ten bench positions: nodes, time, speed, and the
// move found beside the expected one. Usage: search-bench [added depth]
// (the base depths of the set plus the given number, 0 by default).
#include <cstdio>
#include <cstdlib>

#include "board/fen.h"
#include "board/notation.h"
#include "board/tables.h"
#include "config/config.h"
#include "eval/params.h"
#include "search/stopcheck.h"
#include "search/think.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "setup/tables.h"
#include "tools/positions.h"
#include "search/worker.h"

int main(int argc, char** argv) {
    const int added = argc > 1 ? atoi(argv[1]) : 0;
    initBoardTables();
    allocateTables(32, 8);
    setTunableDefaults();
    // The engine sets up the initial position at start-up; doing the same
    // draws the same hash keys for the bench positions as the engine does.
    startGame(kStartFen);
    double totalNodes = 0, totalMs = 0;
    printf("# Pos Depth        Nodes   Time(ms)  Move   Expected\n");
    for (int32_t i = 0; i < kBenchPositions; i++) {
        const BenchPosition& b = kBenchSet[i];
        startGame(b.fen);
        gTimeControlType = TIME_CONTROL_FIXED;
        setFixedSearch(14400000, b.depth + added);
        think(mainWorker(), OutputMode::Silent, SearchPurpose::Test);
        const int32_t ms = elapsedMs();
        totalNodes += mainWorker().nodeCount;
        totalMs += ms;
        const SearchWorker& w = mainWorker();
        printf("# %2d   %3d %12u %10d  %-5s  %s\n", i + 1, gMaxSearchDepth, w.nodeCount, ms, moveToText(w.bestMove),
               b.expected);
        fflush(stdout);
    }
    printf("# total nodes %.0f, total time %.0f ms, %.0f nodes per second\n", totalNodes, totalMs,
           totalMs > 0 ? totalNodes * 1000 / totalMs : 0.0);
    freeTables();
    return 0;
}
