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
char* queueEntry(int32_t k) { return gQueue[(gQueueFirst + k) % kQueueLength]; }

void dropHead() {
    gQueueFirst = (gQueueFirst + 1) % kQueueLength;
    gQueueCount--;
}

// Takes entry k out of the queue; the ones after it move up, in order.
void dropEntry(int32_t k) {
    for (; k + 1 < gQueueCount; k++) memcpy(queueEntry(k), queueEntry(k + 1), kUciLineSize);
    gQueueCount--;
}

// Reads one line into the queue (waiting for it). At the end of input
// nothing is queued: a search with a limit finishes (a script has ended, no
// one is waiting for the engine), an analysis or a ponder search stops.
void readIntoQueue() {
    char* slot = queueEntry(gQueueCount);
    if (!inputReadLine(slot, kUciLineSize)) {
        gInputEnded = true;
        if (gEngineState != ENGINE_NORMAL) requestStop();
        return;
    }
    gQueueCount++;
}

// Acts on a command that controls the running search; false for any other.
bool actOnControl(const char* line) {
    if (startsWithWord(line, "isready")) {
        printf("readyok\n");
        fflush(stdout);
    } else if (startsWithWord(line, "stop")) {
        requestStop();
    } else if (startsWithWord(line, "quit")) {
        gUciQuit = true;
        requestStop();
    } else if (startsWithWord(line, "ponderhit")) {
        if (gEngineState == ENGINE_PONDERING) {
            setEngineState(ENGINE_NORMAL);
            restartClockAtPonderHit();
        }
    } else {
        return false;
    }
    return true;
}

// Acts on the queue: the commands that control the running search are taken
// at once, and so is anything else at the head. A command for the loop stays,
// with all that comes after it, and ends a search that would not end itself;
// a search with a limit goes on, and the control commands behind the waiting
// one still reach it, up to the next "go" (those after it are for that go).
void actOnQueueHead() {
    bool waiting = false;  // a command for the loop is queued before entry k
    for (int32_t k = 0; k < gQueueCount && !gStopSearch;) {
        const char* line = queueEntry(k);
        if (changesTheSearch(line)) {
            if (gEngineState != ENGINE_NORMAL) requestStop();
            if (startsWithWord(line, "go")) break;
            waiting = true;
            k++;
        } else if (!waiting) {
            actOnControl(line);
            dropHead();
        } else if (actOnControl(line)) {
            dropEntry(k);
        } else {
            k++;
        }
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
