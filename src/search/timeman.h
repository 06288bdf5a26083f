// Time management: the time per move from the clock commands, the limits of one
// search (soft limit, hard deadline), the decisions after each iteration, and
// the adjustment after a ponder hit.
#pragma once
#include <cstdint>

#include "search/worker.h"

#include "board/types.h"

constexpr int32_t TIME_CONTROL_NONE = 0;
constexpr int32_t TIME_CONTROL_CONVENTIONAL = 1;  // level with moves per control
constexpr int32_t TIME_CONTROL_INCREMENTAL = 2;   // level with 0 moves per control
constexpr int32_t TIME_CONTROL_FIXED = 3;         // st

// Clock state.
extern int32_t gTimeControlType;
extern int32_t gTimeLeft;         // the engine's clock, ms
extern int32_t gIncrement;        // ms per move
extern int32_t gMovesPerControl;
extern int32_t gAllottedTime;     // ms for the next move (10000 at start-up)
extern int32_t gMaxSearchDepth;   // plies (kDefaultSearchDepth at start-up)

constexpr int32_t kOppClockHistorySize = 1000;
extern int32_t gOppClockHistory[kOppClockHistorySize];  // opponent clock readings, ms
extern int32_t gOppClockCount;

// The opponent played the move the engine pondered on; shortens the next search.
extern bool gPonderHit;

// The engine has moved and ponders on the opponent's time, expecting gPonderMove.
extern bool gPonderPending;
extern Move gPonderMove;

// Limits of the current search.
extern uint32_t gSearchStart;     // clock reading when the limits were set
extern int32_t gSoftLimit;        // ms from the start
extern uint32_t gHardDeadline;    // clock value
extern bool gExtendTime;          // while set the hard deadline does not stop the search
extern int32_t gTimeUsed;         // ms, when the clock stopped the search
extern int32_t gBaseTime;         // T0: the allotted time when the search started
extern int32_t gTargetTime;       // T: after the ponder-hit adjustment
extern int32_t gExtraTime;        // extra time of the first searches out of book
extern int32_t gControlTime;      // CT, printed only
extern int32_t gPreviousScore;    // root score of the engine's previous search

// Two days in milliseconds: the longest time the engine allots, which keeps
// every deadline within the millisecond clock's range.
constexpr int32_t kLongestSearchMs = 172800000;

// A search limited only by a fixed time and depth (console, test commands).
void setFixedSearch(int32_t allottedMs, int32_t maxDepth);

// The test commands search under a fixed time control, whatever the game's.
void useFixedTimeControl();

// No clock has been received yet (the start of the XBoard loop).
void forgetClock();

// An XBoard analysis search: no time of its own (input ends it).
void allotForAnalysis();

// Ponder bookkeeping: whether the opponent's move was the one pondered on
// (shortens the next search), a ponder search to run on the opponent's time,
// and the end of that search with the reply it expects.
void setPonderHit(bool hit);
void armPonder();
void endPonder(Move expected);

// The clock of a search that runs until input arrives (pondering).
void startUnlimitedClock();

// The end of the engine's search: the time it took and its score, which the
// next search compares with.
void recordSearchEnd(int32_t score);

// A new search starts with the hard deadline in force.
inline void allowDeadline() { gExtendTime = false; }

// Forgets what the previous game left: opponent clock readings, the previous
// search's score, a pending ponder search. Part of every game set-up.
void resetTimeForNewGame();

// Allotment on the clock commands, from the game's board (its move number
// and the men left on it).
void allotOnLevel(int32_t movesPerControl, int32_t baseMs, int32_t incrementMs);
void allotOnTime(const Board& game, int32_t centiseconds);
void allotOnSt(int32_t seconds);

// A fixed time per move in milliseconds (UCI `go movetime`).
void allotOnMoveTime(int32_t ms);

// The UCI clock of one `go`: the engine's time and increment in ms and the
// moves to the next control (0: none, the rest of the game). Uses the rules
// of the conventional and incremental controls (the incremental one takes a
// twentieth of the clock at most), keeps overheadMs of the clock in reserve
// and goes below the shortest useful search when the clock is that short.
void allotOnUciClock(const Board& game, int32_t leftMs, int32_t incrementMs, int32_t movesToGo, int32_t overheadMs);

// A search without a clock (UCI `go depth`, `go nodes`, `go infinite`): the
// longest fixed time the engine knows, two days.
void allotUnlimited();

// Appends an opponent clock reading (ms); readings past the history's room
// are dropped.
void recordOpponentClock(int32_t ms);

// Sets the limits at the start of a search (outOfBookCount: searches made since
// the last book move, this one included).
void setSearchLimits(int32_t outOfBookCount);

// The clock's verdict during a search on the engine's own time: the hard
// deadline has passed (unless extended) or the soft limit is spent. When it
// is, the time used is recorded. now: a getMilliseconds() reading.
bool timeIsUp(uint32_t now);

// The nodes a search may visit at the given node rate (XBoard nps mode) in
// the time allotted to the move.
int64_t nodeBudget(int32_t nodesPerSecond);

// What the searches report after a finished iteration.
struct IterationResult {
    int32_t depth;
    int32_t score, previousScore;
    Move move, previousMove;
    int32_t windowLow;  // lower bound of the iteration's window
    bool research;      // the iteration repeated one that failed its window
    bool opponentCaptured;  // the move before the root was a capture
    int32_t captureSquare;  // its destination
    bool ownClock;          // the engine's own move (not a ponder search or an analysis)
    uint32_t nodes;         // nodes searched so far
    int32_t nodesPerSecond; // XBoard's node rate, 0 when off
};

// The time rules after an iteration; true when the search should stop now.
// now: a getMilliseconds() reading taken when the iteration ended.
bool afterIteration(const IterationResult& r, uint32_t now);

// The opponent played the pondered move (UCI `ponderhit`): the search goes on
// as a normal one whose clock starts now.
void restartClockAtPonderHit();

// A root with a single evasion: the deadline comes closer by half the time.
void shortenForSingleEvasion();

// Milliseconds since the search started.
int32_t elapsedMs();

// Milliseconds since the search started, a ponder search included after a
// UCI ponder hit (elapsedMs then counts from the hit).
int32_t reportedElapsedMs();
