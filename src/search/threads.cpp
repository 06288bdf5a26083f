#include "search/threads.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "search/stopcheck.h"
#include "search/think.h"

namespace {

// One helper: its worker, the thread that runs its searches, and the sign
// to end that thread.
struct Helper {
    std::unique_ptr<SearchWorker> worker;
    std::thread thread;
    bool quit = false;
};

// The helpers and what tells them to start, stop and end. A helper waits for
// the next search number (or the end), searches, and counts itself idle.
class HelperPool {
  public:
    // At exit (which may come while they search) the helpers stop first.
    ~HelperPool() {
        stop();
        resize(0, 0);
    }

    int32_t resize(int32_t helpers, int32_t evalCacheMb) {
        inUse_ = false;
        while (int32_t(helpers_.size()) > helpers) endLast();
        while (int32_t(helpers_.size()) < helpers && addOne(evalCacheMb)) {}
        return int32_t(helpers_.size());
    }

    int32_t count() const { return int32_t(helpers_.size()); }

    void start(const SearchWorker& w, bool parallel) {
        inUse_ = parallel && !helpers_.empty();
        if (!inUse_) return;
        std::lock_guard<std::mutex> lock(mutex_);
        for (const std::unique_ptr<Helper>& h : helpers_) {
            h->worker->copyGameFrom(w);
            h->worker->depthLimit = w.depthLimit;
        }
        gHelpersStop.store(false, std::memory_order_relaxed);
        busy_ = int32_t(helpers_.size());
        searchNumber_++;
        wake_.notify_all();
    }

    void stop() {
        if (helpers_.empty()) return;
        gHelpersStop.store(true, std::memory_order_relaxed);
        std::unique_lock<std::mutex> lock(mutex_);
        idle_.wait(lock, [this] { return busy_ == 0; });
    }

    uint64_t nodes() const {
        uint64_t sum = 0;
        if (!inUse_) return 0;
        for (const std::unique_ptr<Helper>& h : helpers_)
            sum += h->worker->sharedNodeCount.load(std::memory_order_relaxed);
        return sum;
    }

  private:
    bool addOne(int32_t evalCacheMb) {
        auto h = std::make_unique<Helper>();
        h->worker.reset(new (std::nothrow) SearchWorker);
        if (!h->worker || reserveWorkerTables(*h->worker, evalCacheMb)) return false;
        h->worker->isHelper = true;
        const int32_t index = int32_t(helpers_.size()) + 1;
        Helper* helper = h.get();
        std::lock_guard<std::mutex> lock(mutex_);
        const uint64_t seen = searchNumber_;
        try {
            h->thread = std::thread([this, helper, index, seen] { run(*helper, index, seen); });
        } catch (const std::system_error&) {
            return false;  // no memory for its stack, or no more threads
        }
        helpers_.push_back(std::move(h));
        return true;
    }

    void endLast() {
        Helper& h = *helpers_.back();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            h.quit = true;
            searchNumber_++;  // every helper wakes; the others find nothing to search
            wake_.notify_all();
        }
        h.thread.join();
        helpers_.pop_back();
    }

    void run(Helper& h, int32_t index, uint64_t seen) {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return searchNumber_ != seen; });
            seen = searchNumber_;
            if (h.quit) return;
            if (busy_ == 0) continue;
            lock.unlock();
            helperSearch(*h.worker, index);
            lock.lock();
            if (--busy_ == 0) idle_.notify_all();
        }
    }

    std::vector<std::unique_ptr<Helper>> helpers_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    uint64_t searchNumber_ = 0;
    int32_t busy_ = 0;
    bool inUse_ = false;  // the helpers searched in the last search started
};

HelperPool& pool() {
    // Created at the first use, after the tables it searches with, so that it
    // ends (and joins its threads) before they are released at exit.
    static HelperPool helpers;
    return helpers;
}

}  // namespace

int32_t setSearchThreads(int32_t n, int32_t evalCacheMb) {
    if (n < 1) n = 1;
    if (n > kMaxSearchThreads) n = kMaxSearchThreads;
    return pool().resize(n - 1, evalCacheMb) + 1;
}

int32_t searchThreads() { return pool().count() + 1; }

void startHelpers(const SearchWorker& w, bool parallel) { pool().start(w, parallel); }

void stopHelpers() { pool().stop(); }

uint64_t nodesOfAllWorkers(const SearchWorker& w) { return uint64_t(w.nodeCount) + pool().nodes(); }
