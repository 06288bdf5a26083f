#include "search/worker.h"

#include <memory>
#include <new>

#include "game/gameboard.h"
#include "platform/memory.h"

namespace {

// Whole huge pages (2 MB).
size_t roundedSize(size_t bytes) {
    constexpr size_t kHugePage = size_t(2) << 20;
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

void* SearchWorker::operator new(size_t bytes) {
    void* memory = allocateLargeTable(roundedSize(bytes));
    if (!memory) throw std::bad_alloc();
    return memory;
}

void SearchWorker::operator delete(void* worker, size_t bytes) { freeLargeTable(worker, roundedSize(bytes)); }

SearchWorker& mainWorker() {
    static const std::unique_ptr<SearchWorker> worker = std::make_unique<SearchWorker>();
    return *worker;
}

SearchWorker& workerOnGame() {
    SearchWorker& w = mainWorker();
    w.copyGameFrom(gameBoard());
    return w;
}
