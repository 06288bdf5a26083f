#include "search/stopcheck.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "config/config.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "search/threads.h"
#include "search/timeman.h"

int32_t gStopSearch = 0;
std::atomic<uint8_t> gEngineState{ENGINE_NORMAL};
int32_t gNodesPerSecond = 0;
uint32_t gNodeLimit = 0;
std::atomic<bool> gHelpersStop{false};

namespace {

InputPoll gInputPoll = nullptr;

// Under arena a line waiting during analysis is read here: "." lets the
// analysis go on, anything else stops it; either way the line is consumed.
void checkArenaAnalysis() {
    if (!inputWaiting()) return;
    char line[256];
    char word[256] = "";
    if (inputReadLine(line, sizeof line)) sscanf(line, "%255s", word);
    if (strcmp(word, ".") != 0) gStopSearch = 1;
}

// Pondering and analysis stop when input waits: the interface wants to be heard.
void checkInput() {
    if (gEngineState == ENGINE_PONDERING) {
        if (inputWaiting()) gStopSearch = 1;
    } else if (gEngineState == ENGINE_ANALYZING) {
        if (gGuiKind == GUI_ARENA)
            checkArenaAnalysis();
        else if (inputWaiting())
            gStopSearch = 1;
    }
}

// A search that has visited its node limit ends (as one that reached its depth).
bool stopAtNodeLimit(SearchWorker& w) {
    if (!gNodeLimit || nodesOfAllWorkers(w) < gNodeLimit) return false;
    gStopSearch = STOP_NODE_LIMIT;
    return true;
}

}  // namespace

void setInputPoll(InputPoll poll) { gInputPoll = poll; }

void checkStop(SearchWorker& w) {
    if (gInputPoll) {
        gInputPoll();
        if (gStopSearch) return;
    }
    if (stopAtNodeLimit(w)) return;
    switch (gEngineState) {
        case ENGINE_NORMAL:
            if (timeIsUp(getMilliseconds())) gStopSearch = 1;
            break;
        default:
            if (!gInputPoll) checkInput();
            break;
    }
}

void pauseUntilElapsed(int32_t ms) {
    for (int32_t left = ms - elapsedMs(); left > 0 && !gStopSearch; left = ms - elapsedMs()) {
        sleepMilliseconds(std::min(left, 10));
        if (gInputPoll) gInputPoll();
    }
}

void checkNodeBudget(SearchWorker& w) {
    if (stopAtNodeLimit(w)) return;
    if (nodeBudget(gNodesPerSecond) <= int64_t(w.nodeCount)) gStopSearch = 1;
    // The budget limits the engine's own moves; a ponder search or an analysis
    // still gives way to the interface's next command, or a large budget would
    // leave the engine deaf to it.
    if (!gStopSearch) checkInput();
}
