// Commands of a UCI interface that arrive while a search runs. The searches'
// periodic check reads them into a queue, in order. The commands that control
// the running search are acted on at once: "isready" is answered, "stop" and
// "quit" end the search, "ponderhit" turns a ponder search into a timed one.
// A command that changes the position or the settings waits for the UCI loop,
// and so does all that came after it except those control commands, up to
// the next "go": it ends an analysis or a ponder search (which would not end
// by itself), while a search with a limit finishes first, as the commands of
// a script arrive one after the other.
#pragma once
#include <cstddef>

// Room for one command line: a position with a few hundred moves fits.
constexpr size_t kUciLineSize = 16384;

// "quit" was acted on during a search.
extern bool gUciQuit;

// Starts with an empty queue and nothing read (the start of the UCI loop).
void resetUciInput();

// Reads every waiting command into the queue and acts on its head; stops
// reading once the search must stop or the queue is full.
void pollUciInput();

// As pollUciInput, but waits for a command when none is waiting (the loop
// after an analysis or ponder search that ended by itself).
void waitForUciCommand();

// Moves the oldest queued command into line; false when none waits. After
// the end of input and the last queued command it gives "quit".
bool takeQueuedCommand(char* line, size_t size);
