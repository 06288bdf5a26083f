#include "tools/bench.h"

#include <cstdio>
#include <cstring>

#include "board/fen.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "tools/positions.h"
#include "tools/reportedsearch.h"
#include "game/gameboard.h"

void runBench(int32_t added) {
    SearchRecord runs[kBenchPositions];
    printf("# This will calculate %d positions on different game phase.\n", kBenchPositions);
    for (int32_t i = 0; i < kBenchPositions; i++) {
        startGame(kBenchSet[i].fen);
        useFixedTimeControl();
        printf("# Calculating Position no. %d/%d\n", i + 1, kBenchPositions);
        runs[i] = searchWithReport(14400000, kBenchSet[i].depth + added);
    }
    printf("\n");
    printf("# Fixed depth Bench Results @ %d added depth:\n", added);
    printf("# Pos Depth      Nodes    Time(sec) SearchedMove\n");
    printf("# -----------------------------------------------\n");
    double totalNodes = 0, totalMs = 0;
    int32_t score = 0;
    for (int32_t i = 0; i < kBenchPositions; i++) {
        // The time column holds milliseconds.
        const SearchRecord& r = runs[i];
        printf("# %2d   %2d %12.0f     %8.1f     %6s\n", i + 1, r.maxDepth, r.nodes, double(r.ms), moveToText(r.move));
        if (strcmp(moveToText(r.move), kBenchSet[i].expected) == 0) score += 10;
        totalNodes += r.nodes;
        totalMs += r.ms;
    }
    printf("\n");
    // A run too short for the clock counts as one millisecond.
    printf("# total_time=%0.0f msec, score=%d, total_nodes=%0.0fM, average nps=%0.0fK.\n\n", totalMs, score,
           totalNodes / 1000000, totalNodes / (totalMs > 0 ? totalMs : 1));
    fflush(stdout);
    startGame(kStartFen);
    generateAllMoves(gameBoard());
}
