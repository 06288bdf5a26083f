#include "search/worker.h"

#include <memory>

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
