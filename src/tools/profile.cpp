#include "tools/profile.h"

#include <cstdio>

#include "board/fen.h"
#include "board/notation.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "tools/positions.h"
#include "tools/reportedsearch.h"
#include "game/gameboard.h"

void runProfile() {
    SearchRecord runs[kProfilePositions];
    printf("# Running profile %d sample positions.\n", kProfilePositions);
    for (int32_t i = 0; i < kProfilePositions; i++) {
        startGame(kProfileSet[i]);
        useFixedTimeControl();
        displayBoard(gameBoard());
        printf("# Sample Position no. %d\n", i + 1);
        runs[i] = searchWithReport(10000, 100);
    }
    printf("\n# Profile Results:\n");
    printf("# Pos Depth      Nodes    Time(sec) SearchedMove\n");
    printf("# -----------------------------------------------\n");
    double totalNodes = 0, totalMs = 0;
    for (int32_t i = 0; i < kProfilePositions; i++) {
        const SearchRecord& r = runs[i];
        printf("# %2d   %2d %12.0f     %8d     %6s\n", i + 1, r.iterationDepth - 1, r.nodes, r.ms, moveToText(r.move));
        totalNodes += r.nodes;
        totalMs += r.ms;
    }
    printf("\n# total_time=%d sec, total_nodes=%0.0fM, average nps=%0.0fK.\n", int32_t(totalMs) / 1000,
           totalNodes / 1000000, totalNodes / totalMs);
    fflush(stdout);
}
