#include "tools/profile.h"

#include <cstdio>

#include "board/fen.h"
#include "board/notation.h"
#include "protocol/stopcheck.h"
#include "search/output.h"
#include "search/think.h"
#include "search/timeman.h"
#include "tools/positions.h"

void runProfile() {
    double nodes[kProfilePositions];
    int32_t times[kProfilePositions], depths[kProfilePositions];
    Move moves[kProfilePositions];
    printf("# Running profile %d sample positions.\n", kProfilePositions);
    for (int32_t i = 0; i < kProfilePositions; i++) {
        setPosition(kProfileSet[i]);
        gTimeControlType = TIME_CONTROL_FIXED;
        displayBoard();
        printf("# Sample Position no. %d\n", i + 1);
        gAllottedTime = 10000;
        gMaxSearchDepth = 100;
        think(1);
        printSearchStats();
        nodes[i] = gNodeCount;
        times[i] = elapsedMs();
        moves[i] = gBestMove;
        depths[i] = gIterationDepth;
    }
    printf("\n# Profile Results:\n");
    printf("# Pos Depth      Nodes    Time(sec) SearchedMove\n");
    printf("# -----------------------------------------------\n");
    double totalNodes = 0, totalMs = 0;
    for (int32_t i = 0; i < kProfilePositions; i++) {
        printf("# %2d   %2d %12.0f     %8d     %6s\n", i + 1, depths[i] - 1, nodes[i], times[i], moveToText(moves[i]));
        totalNodes += nodes[i];
        totalMs += times[i];
    }
    printf("\n# total_time=%d sec, total_nodes=%0.0fM, average nps=%0.0fK.\n", int32_t(totalMs) / 1000,
           totalNodes / 1000000, totalNodes / totalMs);
    fflush(stdout);
}
