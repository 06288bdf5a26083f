#include "tools/reportedsearch.h"

#include "search/output.h"
#include "search/stopcheck.h"
#include "search/think.h"
#include "search/timeman.h"

SearchRecord searchWithReport(int32_t allottedMs, int32_t maxDepth) {
    setFixedSearch(allottedMs, maxDepth);
    think(1);
    printSearchStats();
    return {double(gNodeCount), elapsedMs(), gBestMove, gMaxSearchDepth, gIterationDepth};
}
