// Time allotment from the clock commands, the search limits, and the stop
// checks of a running search.
#include <gtest/gtest.h>

#include "board/position.h"
#include "search/stopcheck.h"
#include "search/timeman.h"
#include "support.h"
#include "search/worker.h"

namespace {

class Clock : public testing::Test {
protected:
    // A new game (clock history, previous score, engine state) with no clock
    // set, no node rate, no stop asked for and no ponder hit.
    void SetUp() override {
        setUp("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
        forgetClock();
        gTimeControlType = TIME_CONTROL_NONE;  // no command sets it back
        setNodeRate(0);
        clearStopRequest();
        setPonderHit(false);
    }
    void TearDown() override {
        setNodeRate(0);
        clearStopRequest();
        resetEngineState();
        mainWorker().nodeCount = 0;
    }
};

TEST_F(Clock, Level) {
    allotOnLevel(40, 300000, 0);
    EXPECT_EQ(gTimeControlType, TIME_CONTROL_CONVENTIONAL);
    EXPECT_EQ(gAllottedTime, 300000 / 42);
    EXPECT_EQ(gAllottedTime, 7142);
    allotOnLevel(0, 300000, 3000);
    EXPECT_EQ(gTimeControlType, TIME_CONTROL_INCREMENTAL);
    EXPECT_EQ(gAllottedTime, 10500);
    EXPECT_EQ(gTimeLeft, 300000);
}

TEST_F(Clock, ConventionalTime) {
    allotOnLevel(40, 300000, 0);
    mainWorker().pos.hply = 77;  // the 39th move: one to go before the control
    CaptureStdout out;
    allotOnTime(mainWorker(), 1000);
    EXPECT_EQ(out.finish(), "# moves_to_go = 1\n");
    EXPECT_EQ(gAllottedTime, 6487);
    mainWorker().pos.hply = 0;
    CaptureStdout out2;
    allotOnTime(mainWorker(), 30000);
    EXPECT_EQ(out2.finish(), "# moves_to_go = 40\n");
    EXPECT_EQ(gAllottedTime, (300000 - 20 * 40) / 41);
    mainWorker().pos.hply = 81;  // move 41: second control
    CaptureStdout out3;
    allotOnTime(mainWorker(), 30000);
    EXPECT_EQ(out3.finish(), "# moves_to_go = 39\n");
}

TEST_F(Clock, IncrementalTime) {
    allotOnLevel(0, 60000, 0);
    allotOnTime(mainWorker(), 6000);  // 30 pieces and pawns, 60 s, no increment
    EXPECT_EQ(gAllottedTime, 1500);
    allotOnLevel(0, 60000, 2000);
    allotOnTime(mainWorker(), 600);
    EXPECT_EQ(gAllottedTime, 2000);
    allotOnTime(mainWorker(), 400);
    EXPECT_EQ(gAllottedTime, 1000);
    allotOnLevel(0, 60000, 1000);
    allotOnTime(mainWorker(), 80);
    EXPECT_EQ(gAllottedTime, 300);
    setUp("4k3/8/8/8/8/8/8/4K3 w - -");  // bare kings: 32 moves left assumed
    allotOnLevel(0, 60000, 0);
    allotOnTime(mainWorker(), 3200);
    EXPECT_EQ(gAllottedTime, 1000);
}

TEST_F(Clock, FixedTimeAndTimeBeforeAnyLevel) {
    gTimeControlType = TIME_CONTROL_NONE;
    gAllottedTime = 1234;
    allotOnTime(mainWorker(), 5000);
    EXPECT_EQ(gTimeLeft, 50000);
    EXPECT_EQ(gAllottedTime, 1234);
    allotOnSt(3);
    EXPECT_EQ(gTimeControlType, TIME_CONTROL_FIXED);
    EXPECT_EQ(gAllottedTime, 3000);
    EXPECT_EQ(gTimeLeft, 3000);
}

TEST_F(Clock, SearchLimits) {
    gTimeLeft = 100000;
    gAllottedTime = 2000;
    setSearchLimits(5);
    EXPECT_EQ(gSoftLimit, 5000);
    EXPECT_EQ(gControlTime, 10000);
    EXPECT_EQ(int32_t(gHardDeadline - gSearchStart), 2000);
    // The first searches out of book with plenty of time get a sixth more.
    gTimeLeft = 200000;
    gAllottedTime = 6000;
    setSearchLimits(1);
    EXPECT_EQ(gExtraTime, 1000);
    gPreviousScore = 5;
    gAllottedTime = 6000;
    setSearchLimits(2);
    EXPECT_EQ(gExtraTime, 750);
}

TEST_F(Clock, PonderHitShortensTheSearch) {
    setPonderHit(true);
    gTimeLeft = 200000;
    recordOpponentClock(100000);
    recordOpponentClock(100000 - 25000);  // the opponent used 2.5 x T0
    gAllottedTime = 10000;
    gPreviousScore = 0;
    setSearchLimits(20);
    EXPECT_EQ(gTargetTime, 6000);
    gAllottedTime = 4000;  // below 5000: no adjustment
    setSearchLimits(20);
    EXPECT_EQ(gTargetTime, 4000);
}

TEST_F(Clock, NodeBudget) {
    setNodeRate(1000);
    gAllottedTime = 5000;
    mainWorker().nodeCount = 3975;
    checkNodeBudget(mainWorker());
    EXPECT_EQ(gStopSearch, 0);
    mainWorker().nodeCount = 3976;
    checkNodeBudget(mainWorker());
    EXPECT_EQ(gStopSearch, 1);
    clearStopRequest();
    setNodeRate(100);  // a negative budget stops at the first check
    mainWorker().nodeCount = 0;
    checkNodeBudget(mainWorker());
    EXPECT_EQ(gStopSearch, 1);
    clearStopRequest();
    setNodeRate(2000000000);  // the product needs more than 32 bits
    gAllottedTime = 10000;
    mainWorker().nodeCount = 4000000000u;
    checkNodeBudget(mainWorker());
    EXPECT_EQ(gStopSearch, 0);
}

TEST_F(Clock, NormalSearchStopsByTheClockOnly) {
    gTimeLeft = 0;
    gAllottedTime = 1000000;
    setSearchLimits(20);
    checkStop(mainWorker());
    EXPECT_EQ(gStopSearch, 0);
    // Past the hard deadline: stop, unless the extend-time flag is set.
    gHardDeadline = gSearchStart - 1;
    gExtendTime = true;
    checkStop(mainWorker());
    EXPECT_EQ(gStopSearch, 0);
    gExtendTime = false;
    checkStop(mainWorker());
    EXPECT_EQ(gStopSearch, 1);
    clearStopRequest();
    // The soft limit stops whatever the flag.
    gHardDeadline = gSearchStart + 100000;
    gSoftLimit = 0;
    gExtendTime = true;
    checkStop(mainWorker());
    EXPECT_EQ(gStopSearch, 1);
}

// Extreme clock values: the allotment stays between the shortest useful
// search (50 ms, or the whole clock below that) and the time on the clock.
TEST_F(Clock, AllotmentStaysWithinTheClock) {
    CaptureStdout quiet;
    allotOnLevel(INT32_MAX, 2000000000, 100000000);  // m + 2 and the increment
    EXPECT_GE(gAllottedTime, 50);
    EXPECT_LE(gAllottedTime, 2000000000);
    allotOnTime(mainWorker(), 200000000);  // 65 x left and k x m in 64 bits
    EXPECT_GE(gAllottedTime, 50);
    EXPECT_LE(gAllottedTime, 2000000000);
    mainWorker().pos.hply = 77;  // one to go before the control: 65 % of the time left
    allotOnLevel(40, 300000, 0);
    allotOnTime(mainWorker(), 200000000);
    EXPECT_EQ(gAllottedTime, 1299999987);
    mainWorker().pos.hply = 0;
    // A clock too short for the moves to go: the shortest search is 50 ms,
    // or a fortieth of a short clock, so that a second lasts for many moves.
    allotOnTime(mainWorker(), 200);
    EXPECT_EQ(gAllottedTime, 50);
    allotOnTime(mainWorker(), 100);
    EXPECT_EQ(gAllottedTime, 25);
    // A tiny clock keeps a quarter for the pipes and the interface.
    allotOnTime(mainWorker(), 3);
    EXPECT_EQ(gAllottedTime, 1);
    allotOnTime(mainWorker(), 0);
    EXPECT_EQ(gAllottedTime, 1);
    // An increment larger than the clock does not make the move overstep it;
    // 30 ms of the clock stay in reserve.
    allotOnLevel(0, 1000, 10000);
    EXPECT_EQ(gAllottedTime, 970);
    allotOnTime(mainWorker(), 100);  // increment rules: 10025 -> 10000 -> 5000 -> 1000 - 500
    EXPECT_EQ(gAllottedTime, 500);
}

// The decisions after an iteration, with the clock values set directly and
// `now` passed in, so that no case depends on the real clock. T0 is 10000 ms,
// T 8000 ms, the soft limit 40000 ms; the hard deadline 10000 ms from the
// start unless a case says otherwise.

// The opponent's last move took nothing; it took, and the best move (the same
// as before) takes back on that square; it took, and the best move takes
// elsewhere.
enum Capture { NO_CAPTURE, TAKES_BACK, TAKES_ELSEWHERE };

struct AfterIterationCase {
    const char* what;
    int32_t control = TIME_CONTROL_INCREMENTAL;
    int32_t timeLeft = 200000;
    int32_t deadline = 10000;  // ms from the start
    bool extendBefore = false;
    int32_t elapsed = 2000;    // ms from the start to the iteration's end
    int32_t depth = 5;
    int32_t score = 0, previousScore = 0, windowLow = -MATE_VALUE;
    bool newMove = false;      // the best move differs from the previous iteration's
    bool research = false;
    Capture capture = NO_CAPTURE;
    int32_t repeats = 0;       // the same iteration's result reported before
    bool ownClock = true;
    uint32_t nodes = 0;
    int32_t nodesPerSecond = 0;
    bool stop = false;         // expected: the result
    int32_t deadlineGain = 0;  // ... the hard deadline's extension
    bool extendAfter = false;  // ... gExtendTime
};

const AfterIterationCase kAfterIterationCases[] = {
    // 1. The soft limit, from the first iteration on; nothing on another clock.
    {.what = "not the engine's clock", .elapsed = 60000, .depth = 10, .ownClock = false},
    {.what = "1 ms before the soft limit", .elapsed = 39999, .depth = 3},
    {.what = "soft limit, first iteration", .elapsed = 40000, .depth = 1, .stop = true},
    // 2. The eighth iteration in a row with the same recapture, from a tenth
    // of the hard deadline on, on a clock.
    {.what = "eighth easy recapture", .elapsed = 1000, .capture = TAKES_BACK, .repeats = 7, .stop = true},
    {.what = "seventh easy recapture", .elapsed = 1000, .capture = TAKES_BACK, .repeats = 6},
    {.what = "eighth, too early", .elapsed = 999, .capture = TAKES_BACK, .repeats = 7},
    {.what = "eighth, fixed time", .control = TIME_CONTROL_FIXED, .elapsed = 1000, .capture = TAKES_BACK,
     .repeats = 7},
    {.what = "eighth capture elsewhere", .elapsed = 1000, .capture = TAKES_ELSEWHERE, .repeats = 7},
    // 3. The hard deadline, from the fourth iteration on, whatever the flag.
    {.what = "deadline, third iteration", .elapsed = 10000, .depth = 3},
    {.what = "1 ms before the deadline", .elapsed = 9999, .depth = 4},
    {.what = "deadline, fourth iteration", .elapsed = 10000, .depth = 4, .stop = true},
    {.what = "deadline, flag set", .extendBefore = true, .elapsed = 10000, .depth = 9, .newMove = true,
     .stop = true, .extendAfter = true},
    // 4. A new best move from depth 9: T0 / 2 more, and gExtendTime set at
    // scores up to 100 with more than 120 s left; cleared otherwise.
    {.what = "new move", .depth = 9, .score = 100, .newMove = true, .deadlineGain = 5000, .extendAfter = true},
    {.what = "new move, score 101", .depth = 9, .score = 101, .newMove = true, .deadlineGain = 5000},
    {.what = "new move, 120 s left", .timeLeft = 120000, .depth = 9, .newMove = true, .deadlineGain = 5000},
    {.what = "new move, 60 s left", .timeLeft = 60000, .depth = 9, .newMove = true},
    {.what = "new move, depth 8", .extendBefore = true, .depth = 8, .newMove = true},
    {.what = "new move, repeated iteration", .extendBefore = true, .depth = 9, .newMove = true, .research = true},
    {.what = "same move clears the flag", .extendBefore = true, .depth = 9},
    {.what = "new move and score drop", .depth = 9, .score = 85, .previousScore = 100, .newMove = true,
     .deadlineGain = 8000, .extendAfter = true},
    // Fail low from depth 8: T0 / 4, and T / 4 more when both scores are below 0.
    {.what = "fail low", .depth = 9, .score = -50, .previousScore = -10, .windowLow = -20, .deadlineGain = 4500},
    {.what = "fail low, previous 0", .depth = 9, .score = -50, .windowLow = -20, .deadlineGain = 2500},
    {.what = "fail low, 150 s left", .timeLeft = 150000, .depth = 9, .score = -50, .previousScore = -10,
     .windowLow = -20, .deadlineGain = 2500},
    {.what = "fail low, depth 8", .depth = 8, .score = -50, .previousScore = -10, .windowLow = -20,
     .deadlineGain = 4500},
    {.what = "fail low, depth 7", .depth = 7, .score = -50, .previousScore = -10, .windowLow = -20},
    {.what = "fail low, score -1000", .depth = 9, .score = -1000, .previousScore = -10, .windowLow = -20,
     .deadlineGain = 4500},
    {.what = "fail low, score -1001", .depth = 9, .score = -1001, .previousScore = -10, .windowLow = -20},
    {.what = "fail low, repeated iteration", .depth = 8, .score = -50, .windowLow = -20, .research = true},
    {.what = "fail low, fixed time", .control = TIME_CONTROL_FIXED, .depth = 9, .score = -50, .windowLow = -20},
    // A score 15 below the previous from depth 8: 30 % of T0, 35 % below 0.
    {.what = "drop of 15", .depth = 9, .score = 85, .previousScore = 100, .deadlineGain = 3000},
    {.what = "drop of 14", .depth = 9, .score = 86, .previousScore = 100},
    {.what = "drop below 0", .depth = 9, .score = -15, .deadlineGain = 3500},
    {.what = "drop, depth 8", .depth = 8, .score = 85, .previousScore = 100, .deadlineGain = 3000},
    {.what = "drop, depth 7", .depth = 7, .score = 85, .previousScore = 100},
    {.what = "drop, 60 s left", .timeLeft = 60000, .depth = 8, .score = 85, .previousScore = 100},
    // 5. From depth 7, past 80 % of T with the score held, when less than 1.5
    // times the time used is left to the deadline.
    {.what = "past 80 % of T", .elapsed = 6401, .depth = 7, .stop = true},
    {.what = "at 80 % of T", .elapsed = 6400, .depth = 7},
    {.what = "past 80 %, depth 6", .elapsed = 6401, .depth = 6},
    {.what = "past 80 %, score lower", .elapsed = 6401, .depth = 7, .score = -1},
    {.what = "past 80 %, fixed time", .control = TIME_CONTROL_FIXED, .elapsed = 6401, .depth = 7},
    {.what = "past 80 %, extended now", .elapsed = 6401, .depth = 9, .newMove = true, .deadlineGain = 5000,
     .extendAfter = true},
    {.what = "8000 ms used, 11999 to go", .deadline = 19999, .elapsed = 8000, .depth = 7, .stop = true},
    {.what = "8000 ms used, 12000 to go", .deadline = 20000, .elapsed = 8000, .depth = 7},
    // 6. Half the nodes of T at the node rate.
    {.what = "node budget", .nodes = 4000, .nodesPerSecond = 1000, .stop = true},
    {.what = "node budget less 1", .nodes = 3999, .nodesPerSecond = 1000},
    {.what = "nodes, no node rate", .nodes = 4000000},
};

TEST_F(Clock, AfterIterationRules) {
    const Move quiet = makeMoveWord(62, 45, EMPTY, 0), other = makeMoveWord(57, 42, EMPTY, 0);
    const int32_t e4 = 36, c4 = 34, d3 = 43;
    const Move takesBack = makeMoveWord(d3, e4, EMPTY, MOVE_CAPTURE);
    const Move takesC4 = makeMoveWord(d3, c4, EMPTY, MOVE_CAPTURE);
    // Start values far from and just before the wrap of the millisecond clock.
    for (const uint32_t start : {1000000u, 0xFFFFF000u}) {
        for (const AfterIterationCase& c : kAfterIterationCases) {
            SCOPED_TRACE(std::string(c.what) + (start > 0x80000000u ? ", clock wrapping" : ""));
            gTimeControlType = c.control;
            gTimeLeft = c.timeLeft;
            setSearchLimits(20);  // forgets the easy recaptures counted so far
            gBaseTime = 10000, gTargetTime = 8000, gSoftLimit = 40000;
            gSearchStart = start;
            gHardDeadline = start + uint32_t(c.deadline);
            gExtendTime = c.extendBefore;
            IterationResult r{};
            r.depth = c.depth;
            r.score = c.score, r.previousScore = c.previousScore, r.windowLow = c.windowLow;
            r.move = c.capture == NO_CAPTURE ? quiet : c.capture == TAKES_BACK ? takesBack : takesC4;
            r.previousMove = c.newMove ? other : r.move;
            r.research = c.research;
            r.opponentCaptured = c.capture != NO_CAPTURE;
            r.captureSquare = r.opponentCaptured ? e4 : -1;
            r.ownClock = c.ownClock;
            r.nodes = c.nodes, r.nodesPerSecond = c.nodesPerSecond;
            const uint32_t now = start + uint32_t(c.elapsed);
            for (int32_t i = 0; i < c.repeats; i++) EXPECT_FALSE(afterIteration(r, now));
            EXPECT_EQ(afterIteration(r, now), c.stop);
            EXPECT_EQ(int32_t(gHardDeadline - start), c.deadline + c.deadlineGain);
            EXPECT_EQ(gExtendTime, c.extendAfter);
        }
    }
}

}  // namespace
