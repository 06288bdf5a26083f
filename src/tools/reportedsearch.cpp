#include "tools/reportedsearch.h"

#include "search/output.h"
#include "search/stopcheck.h"
#include "search/think.h"
#include "search/timeman.h"
#include "search/worker.h"

SearchRecord searchWithReport(int32_t allottedMs, int32_t maxDepth) {
    setFixedSearch(allottedMs, maxDepth);
    think(workerOnGame(), OutputMode::Console, SearchPurpose::Test);
    printSearchStats(mainWorker());
    return {double(mainWorker().nodeCount), elapsedMs(), mainWorker().bestMove, gMaxSearchDepth, mainWorker().iterationDepth};
}
