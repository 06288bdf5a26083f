// How a running search learns that it must stop: every 1024 nodes the searches
// run a cheap check of the clock (normal play), of waiting input (pondering,
// analysis) or of the node budget (XBoard nps mode).
#pragma once
#include <atomic>
#include <cstdint>

#include "search/worker.h"

constexpr uint8_t ENGINE_NORMAL = 0;
constexpr uint8_t ENGINE_PONDERING = 1;
constexpr uint8_t ENGINE_ANALYZING = 2;

extern int32_t gStopSearch;       // non-zero: every search unwinds now
constexpr int32_t STOP_NODE_LIMIT = 2;  // gStopSearch when the node limit ended the search
extern std::atomic<uint8_t> gEngineState;  // ENGINE_*; helpers read it while the main thread may change it
extern int32_t gNodesPerSecond;   // 0: off
extern uint32_t gNodeLimit;       // nodes a search may visit (UCI `go nodes`), 0: no limit

// A new game starts in the normal state (not pondering, not analysing).
inline void resetEngineState() { gEngineState = ENGINE_NORMAL; }

// A driver that reads its commands while a search runs (UCI) hands the
// searches its reader: the periodic check then calls it in every state, and
// no longer watches for input itself. nullptr gives the check back its own
// input rule (XBoard, console).
using InputPoll = void (*)();
void setInputPoll(InputPoll poll);

// The search must unwind now (a command asked for it) / no stop is asked for.
inline void requestStop() { gStopSearch = 1; }
inline void clearStopRequest() { gStopSearch = 0; }

// Sets what the engine is doing: its own move, a ponder search, an analysis.
inline void setEngineState(uint8_t state) { gEngineState = state; }

// The node rate of XBoard's nps mode (0: off) and the node limit of a UCI
// `go nodes` (0: none).
inline void setNodeRate(int32_t nodesPerSecond) { gNodesPerSecond = nodesPerSecond; }
inline void setNodeLimit(uint32_t nodes) { gNodeLimit = nodes; }

// Waits, answering input as a search would, until the search's clock shows
// ms or a stop is asked for.
void pauseUntilElapsed(int32_t ms);

// The check for time and input, by engine state, and the node limit; may
// set gStopSearch.
void checkStop(SearchWorker& w);

// The check used instead when gNodesPerSecond is set: the node budget, and
// waiting input while pondering or analysing; may set gStopSearch.
void checkNodeBudget(SearchWorker& w);

// Helpers unwind once this is set (the main worker's search has ended).
extern std::atomic<bool> gHelpersStop;

// The check of a node count that is a multiple of 1024: the worker's stop is
// renewed (a helper's from gHelpersStop, the main worker's by the check of
// time, input or node budget) and returned.
inline bool renewStop(SearchWorker& w) {
    if (w.isHelper) [[unlikely]] {
        w.sharedNodeCount.store(w.nodeCount, std::memory_order_relaxed);
        w.stopped = gHelpersStop.load(std::memory_order_relaxed);
        return w.stopped;
    }
    if (gNodesPerSecond == 0) {
        if (!gStopSearch) checkStop(w);
    } else {
        checkNodeBudget(w);
    }
    w.stopped = gStopSearch != 0;
    return w.stopped;
}

// The searches' periodic check: runs the right check when the node count is a
// multiple of 1024 and returns true when the search must stop.
inline bool periodicStopCheck(SearchWorker& w) {
    if ((w.nodeCount & 1023) != 0) return false;
    return renewStop(w);
}
