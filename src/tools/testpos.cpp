#include "tools/testpos.h"

#include <cstdio>

#include "board/fen.h"
#include "board/notation.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "tools/positions.h"
#include "tools/reportedsearch.h"
#include "game/gameboard.h"

void runTestPositions() {
    SearchRecord runs[kTestPositions];
    useFixedTimeControl();
    for (int32_t i = 0; i < kTestPositions; i++) {
        startGame(kTestSet[i].fen);
        displayBoard(gameBoard());
        char fen[kFenTextSize];
        writeFenText(gameBoard(), fen);
        printf("%s\n", fen);
        printf("# Calculating Position no. %d\n", i + 1);
        runs[i] = searchWithReport(10000, 100);
    }
    printf("# Pos Depth     Nodes    Time(sec) SearchedMove SolutionMove  Saving(time)\n");
    printf("# --------------------------------------------------------------------------\n");
    int32_t totalSaving = 0;
    for (int32_t i = 0; i < kTestPositions; i++) {
        const int32_t reference = kTestSet[i].referenceMs;
        const SearchRecord& r = runs[i];
        const int32_t saving = ((reference - r.ms) * 100) / reference;
        totalSaving += saving;
        printf("# %2d %2d %12.0f     %8d     %6s   %12s,   %6.1f%%\n", i + 1, r.maxDepth, r.nodes, r.ms,
               moveToText(r.move), kTestSet[i].solution, double(saving));
    }
    printf("# Average savings = %4.1f%%.\n", double(totalSaving) / kTestPositions);
    fflush(stdout);
}
