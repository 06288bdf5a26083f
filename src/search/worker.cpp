#include "search/worker.h"

#include "game/gameboard.h"

#include <memory>

SearchWorker& mainWorker() {
    static const std::unique_ptr<SearchWorker> worker = std::make_unique<SearchWorker>();
    return *worker;
}

SearchWorker& workerOnGame() {
    SearchWorker& w = mainWorker();
    w.copyGameFrom(gameBoard());
    return w;
}
