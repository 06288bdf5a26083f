#include "search/worker.h"

#include <memory>

#include "eval/evalcache.h"
#include "eval/pawnhash.h"
#include "game/gameboard.h"

SearchWorker& mainWorker() {
    static const std::unique_ptr<SearchWorker> worker = std::make_unique<SearchWorker>();
    return *worker;
}

SearchWorker& workerOnGame() {
    SearchWorker& w = mainWorker();
    w.copyGameFrom(gameBoard());
    return w;
}

const char* reserveWorkerTables(SearchWorker& w, int32_t evalCacheMb) {
    constexpr uint64_t kMegabyte = 1048576;
    if (!evalCacheReserve(w.evalCache, uint32_t(uint64_t(evalCacheMb) * kMegabyte / sizeof(EvalCacheEntry))))
        return "# NO EVAL CACHE MEMORY\n";
    if (!w.pawnHash.reserve()) return "# NO PAWN CACHE MEMORY\n";
    w.evalCache.table.clear();
    w.pawnHash.table.clear();
    return nullptr;
}
