#include "tools/fine70.h"

#include <cstdio>

#include "board/fen.h"
#include "board/movegen.h"
#include "search/output.h"
#include "search/stopcheck.h"
#include "search/think.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "tools/positions.h"
#include "game/gameboard.h"
#include "search/worker.h"

// The rate that scores 1.000.
constexpr float kReferenceRate = 243169;

void runFine70(int32_t depth) {
    useFixedTimeControl();
    displayBoard(gameBoard());
    startGame(kFine70);
    setFixedSearch(14400000, depth);
    think(workerOnGame(), OutputMode::Console, SearchPurpose::Test);
    const int32_t ms = elapsedMs();
    printf("Time: %d ms\n", ms);
    printSearchStats(mainWorker());
    printf("\n");
    printf("Nodes: %u\n", mainWorker().nodeCount);
    printf("Best time: %d ms\n", ms);
    // A search too short for the clock counts as one millisecond.
    const int32_t rate = int32_t(double(mainWorker().nodeCount) / double(ms > 0 ? ms : 1) * 1000);
    printf("Nodes per second: %d (Score: %.3f)\n", rate, float(rate) / kReferenceRate);
    fflush(stdout);
    startGame(kStartFen);
    generateAllMoves(gameBoard());
}
