#include "protocol/ucipoll.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/input.h"
#include "search/stopcheck.h"
#include "search/timeman.h"

bool gUciQuit = false;

namespace {

constexpr int32_t kQueueLength = 8;

char gQueue[kQueueLength][kUciLineSize];
int32_t gQueueFirst = 0;
int32_t gQueueCount = 0;
bool gInputEnded = false;

// True when the line's first word is `word`.
bool startsWithWord(const char* line, const char* word) {
    while (*line == ' ' || *line == '\t') line++;
    const size_t n = strlen(word);
    return strncmp(line, word, n) == 0 && (line[n] == '\0' || line[n] == ' ' || line[n] == '\t');
}

// Commands that change what the engine searches.
bool changesTheSearch(const char* line) {
    static const char* const kWords[] = {"position", "go", "setoption", "ucinewgame", "uci"};
    for (const char* word : kWords)
        if (startsWithWord(line, word)) return true;
    return false;
}

char* queueHead() { return gQueue[gQueueFirst]; }

void dropHead() {
    gQueueFirst = (gQueueFirst + 1) % kQueueLength;
    gQueueCount--;
}

// Reads one line into the queue (waiting for it). At the end of input
// nothing is queued: a search with a limit finishes (a script has ended, no
// one is waiting for the engine), an analysis or a ponder search stops.
void readIntoQueue() {
    char* slot = gQueue[(gQueueFirst + gQueueCount) % kQueueLength];
    if (!inputReadLine(slot, kUciLineSize)) {
        gInputEnded = true;
        if (gEngineState != ENGINE_NORMAL) requestStop();
        return;
    }
    gQueueCount++;
}

// Acts on the commands at the head of the queue that a search takes; a
// command for the loop stays, and ends a search that would not end itself.
void actOnQueueHead() {
    while (gQueueCount > 0 && !gStopSearch) {
        const char* line = queueHead();
        if (changesTheSearch(line)) {
            if (gEngineState != ENGINE_NORMAL) requestStop();
            return;
        }
        if (startsWithWord(line, "isready")) {
            printf("readyok\n");
            fflush(stdout);
        } else if (startsWithWord(line, "stop")) {
            requestStop();
        } else if (startsWithWord(line, "quit")) {
            gUciQuit = true;
            requestStop();
        } else if (startsWithWord(line, "ponderhit") && gEngineState == ENGINE_PONDERING) {
            setEngineState(ENGINE_NORMAL);
            restartClockAtPonderHit();
        }
        dropHead();
    }
    if (gInputEnded && gQueueCount == 0 && gEngineState != ENGINE_NORMAL) requestStop();
}

bool canRead() { return !gStopSearch && !gInputEnded && gQueueCount < kQueueLength; }

}  // namespace

void resetUciInput() {
    gQueueFirst = gQueueCount = 0;
    gInputEnded = false;
    gUciQuit = false;
}

void pollUciInput() {
    actOnQueueHead();
    while (canRead() && inputWaiting()) {
        readIntoQueue();
        actOnQueueHead();
    }
}

void waitForUciCommand() {
    actOnQueueHead();
    if (!canRead()) {
        // Nothing more can arrive: the search is over.
        requestStop();
        return;
    }
    readIntoQueue();
    actOnQueueHead();
}

bool takeQueuedCommand(char* line, size_t size) {
    if (gQueueCount == 0) {
        if (gInputEnded) {
            snprintf(line, size, "quit");
            return true;
        }
        return false;
    }
    snprintf(line, size, "%s", queueHead());
    dropHead();
    return true;
}
