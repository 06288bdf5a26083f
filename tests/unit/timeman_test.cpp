// Time allotment from the clock commands, the search limits, and the stop
// checks of a running search.
#include <gtest/gtest.h>

#include "board/position.h"
#include "search/stopcheck.h"
#include "search/timeman.h"
#include "support.h"

namespace {

class Clock : public testing::Test {
protected:
    void SetUp() override {
        setUp("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
        gPonderHit = 0;
        gOppClockCount = 0;
        gPreviousScore = 0;
        gNodesPerSecond = 0;
        gEngineState = ENGINE_NORMAL;
        gStopSearch = 0;
        gIncrement = 0;
        gTimeControlType = TIME_CONTROL_NONE;
    }
    void TearDown() override {
        gNodesPerSecond = 0;
        gStopSearch = 0;
        gNodeCount = 0;
        gEngineState = ENGINE_NORMAL;
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
    gPos.hply = 77;  // the 39th move: one to go before the control
    CaptureStdout out;
    allotOnTime(1000);
    EXPECT_EQ(out.finish(), "# moves_to_go = 1\n");
    EXPECT_EQ(gAllottedTime, 6487);
    gPos.hply = 0;
    CaptureStdout out2;
    allotOnTime(30000);
    EXPECT_EQ(out2.finish(), "# moves_to_go = 40\n");
    EXPECT_EQ(gAllottedTime, (300000 - 20 * 40) / 41);
    gPos.hply = 81;  // move 41: second control
    CaptureStdout out3;
    allotOnTime(30000);
    EXPECT_EQ(out3.finish(), "# moves_to_go = 39\n");
}

TEST_F(Clock, IncrementalTime) {
    allotOnLevel(0, 60000, 0);
    allotOnTime(6000);  // 30 pieces and pawns, 60 s, no increment
    EXPECT_EQ(gAllottedTime, 1500);
    allotOnLevel(0, 60000, 2000);
    allotOnTime(600);
    EXPECT_EQ(gAllottedTime, 2000);
    allotOnTime(400);
    EXPECT_EQ(gAllottedTime, 1000);
    allotOnLevel(0, 60000, 1000);
    allotOnTime(80);
    EXPECT_EQ(gAllottedTime, 300);
    setUp("4k3/8/8/8/8/8/8/4K3 w - -");  // bare kings: 32 moves left assumed
    allotOnLevel(0, 60000, 0);
    allotOnTime(3200);
    EXPECT_EQ(gAllottedTime, 1000);
}

TEST_F(Clock, FixedTimeAndTimeBeforeAnyLevel) {
    gTimeControlType = TIME_CONTROL_NONE;
    gAllottedTime = 1234;
    allotOnTime(5000);
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
    gPonderHit = 1;
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
    gNodesPerSecond = 1000;
    gAllottedTime = 5000;
    gNodeCount = 3975;
    checkNodeBudget();
    EXPECT_EQ(gStopSearch, 0);
    gNodeCount = 3976;
    checkNodeBudget();
    EXPECT_EQ(gStopSearch, 1);
    gStopSearch = 0;
    gNodesPerSecond = 100;  // a negative budget stops at the first check
    gNodeCount = 0;
    checkNodeBudget();
    EXPECT_EQ(gStopSearch, 1);
    gStopSearch = 0;
    gNodesPerSecond = 2000000000;  // the product needs more than 32 bits
    gAllottedTime = 10000;
    gNodeCount = 4000000000u;
    checkNodeBudget();
    EXPECT_EQ(gStopSearch, 0);
}

TEST_F(Clock, NormalSearchStopsByTheClockOnly) {
    gTimeLeft = 0;
    gAllottedTime = 1000000;
    setSearchLimits(20);
    checkStop();
    EXPECT_EQ(gStopSearch, 0);
    // Past the hard deadline: stop, unless the extend-time flag is set.
    gHardDeadline = gSearchStart - 1;
    gExtendTime = true;
    checkStop();
    EXPECT_EQ(gStopSearch, 0);
    gExtendTime = false;
    checkStop();
    EXPECT_EQ(gStopSearch, 1);
    gStopSearch = 0;
    // The soft limit stops whatever the flag.
    gHardDeadline = gSearchStart + 100000;
    gSoftLimit = 0;
    gExtendTime = true;
    checkStop();
    EXPECT_EQ(gStopSearch, 1);
}

// Extreme clock values: the allotment stays between the shortest useful
// search (50 ms, or the whole clock below that) and the time on the clock.
TEST_F(Clock, AllotmentStaysWithinTheClock) {
    CaptureStdout quiet;
    allotOnLevel(INT32_MAX, 2000000000, 100000000);  // m + 2 and the increment
    EXPECT_GE(gAllottedTime, 50);
    EXPECT_LE(gAllottedTime, 2000000000);
    allotOnTime(200000000);  // 65 x left and k x m in 64 bits
    EXPECT_GE(gAllottedTime, 50);
    EXPECT_LE(gAllottedTime, 2000000000);
    gPos.hply = 77;  // one to go before the control: 65 % of the time left
    allotOnLevel(40, 300000, 0);
    allotOnTime(200000000);
    EXPECT_EQ(gAllottedTime, 1299999987);
    gPos.hply = 0;
    // A clock too short for the moves to go: the shortest search is 50 ms,
    // or a fortieth of a short clock, so that a second lasts for many moves.
    allotOnTime(200);
    EXPECT_EQ(gAllottedTime, 50);
    allotOnTime(100);
    EXPECT_EQ(gAllottedTime, 25);
    // A tiny clock keeps a quarter for the pipes and the interface.
    allotOnTime(3);
    EXPECT_EQ(gAllottedTime, 1);
    allotOnTime(0);
    EXPECT_EQ(gAllottedTime, 1);
    // An increment larger than the clock does not make the move overstep it;
    // 30 ms of the clock stay in reserve.
    allotOnLevel(0, 1000, 10000);
    EXPECT_EQ(gAllottedTime, 970);
    allotOnTime(100);  // increment rules: 10025 -> 10000 -> 5000 -> 1000 - 500
    EXPECT_EQ(gAllottedTime, 500);
}

}  // namespace
