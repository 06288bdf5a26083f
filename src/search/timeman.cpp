#include "search/timeman.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "board/position.h"
#include "platform/clock.h"

int32_t gTimeControlType = TIME_CONTROL_NONE;
int32_t gTimeLeft = 0;
int32_t gIncrement = 0;
int32_t gMovesPerControl = 0;
int32_t gAllottedTime = 10000;
int32_t gMaxSearchDepth = kDefaultSearchDepth;
int32_t gOppClockHistory[kOppClockHistorySize];
int32_t gOppClockCount = 0;
bool gPonderHit = false;
bool gPonderPending = false;
Move gPonderMove = 0;
uint32_t gSearchStart = 0;
int32_t gSoftLimit = 0;
uint32_t gHardDeadline = 0;
bool gExtendTime = false;
int32_t gTimeUsed = 0;
int32_t gBaseTime = 0;
int32_t gTargetTime = 0;
int32_t gExtraTime = 0;
int32_t gControlTime = 0;
int32_t gPreviousScore = 0;

namespace {
uint32_t gReportStart = 0;  // gSearchStart before a ponder hit moved it
}  // namespace

namespace {

int32_t gEasyIterations = 0;

// Moves assumed left in an incremental game, by pieces and pawns on the board.
int32_t movesLeft(const Board& game) {
    int32_t men = 0;
    for (int32_t c = 0; c < 2; c++) men += game.pos.pawnNumber[c] + game.pos.pieceNumber[c];
    if (men > 32) men = 32;
    static const int32_t kTable[33] = {32, 32, 32, 32, 33, 33, 33, 33, 34, 34, 34, 34, 35, 35, 35, 35, 36,
                                       36, 36, 36, 37, 37, 37, 37, 38, 38, 39, 39, 39, 39, 40, 40, 40};
    return kTable[men];
}

// Whatever the clock values, the time for a move stays within the time on
// the clock, less a reserve, and does not fall below the shortest useful
// search. The reserve is what the interface and the pipes take between our
// move and the interface's clock: a few milliseconds, or a quarter of a tiny
// clock. The shortest search is a fortieth of the clock at most, so that a
// tiny clock is not spent in a few moves.
constexpr int64_t kMinThinkMs = 50;
constexpr int64_t kClockReserveMs = 30;

int32_t withinClock(int64_t t, int64_t left) {
    const int64_t reserve = std::min(kClockReserveMs, left / 4);
    const int64_t upper = std::max<int64_t>(1, left - reserve);
    const int64_t lower = std::clamp<int64_t>(left / 40, 1, kMinThinkMs);
    return int32_t(std::clamp(t, std::min(lower, upper), upper));
}

// A fixed time per move takes the whole clock.
int32_t wholeClock(int64_t t, int64_t left) {
    const int64_t upper = left > 1 ? left : 1;
    return int32_t(std::clamp<int64_t>(t, 1, upper));
}

// Computed in 64 bits: the moves per control and the time may be as large as
// the interface sends them.
// The time for the next move with toGo moves left to the control: an equal
// share with 20 ms a move kept back, or for the control's last move 65 % of
// the clock less 13 ms.
int64_t shareOfControl(int64_t left, int64_t toGo, bool lastOfControl) {
    return lastOfControl ? (65 * left - 1300) / 100 : (left - 20 * toGo) / (toGo + 1);
}

int64_t conventionalAllotment(const Board& game, int64_t left) {
    const int64_t m = gMovesPerControl;
    const int64_t n = (game.pos.hply + 1) / 2;
    int64_t k = 1;
    while (k < 99 && n > k * m) k++;
    if (n > k * m) k = 1;
    const int64_t toGo = n / k == m ? m : k * m - n;
    printf("# moves_to_go = %d\n", int32_t(toGo));
    int64_t t = shareOfControl(left, toGo, toGo == 1 && n / k != m);
    if (gIncrement) t += gIncrement;
    return t;
}

int64_t incrementalAllotment(const Board& game, int64_t left) {
    const int64_t inc = gIncrement;
    int64_t t = left / movesLeft(game);
    if (inc) {
        t += inc;
        if (left < inc + 5000) t = inc;
        if (left < inc + 2500) t = inc / 2;
        if (left - t < 500) t = left - 500 > 50 ? left - 500 : 50;
    }
    return t;
}

// Ponder hit: the opponent's thinking time was ours too.
int32_t afterPonderHit(int32_t t0) {
    if (!gPonderHit || t0 < 5000 || gOppClockCount < 2) return t0;
    const int64_t used = int64_t(gOppClockHistory[gOppClockCount - 2]) - gOppClockHistory[gOppClockCount - 1];
    const int32_t s = gPreviousScore;
    const int64_t t = t0;
    auto scaled = [&](int64_t f60, int64_t f70, int64_t f80) {
        const int64_t f = s >= 0 ? f60 : s >= -50 ? f70 : s >= -150 ? f80 : 0;
        return f ? int32_t(std::max<int64_t>(3000, t * f / 100)) : t0;
    };
    if (used >= 2 * t) return scaled(60, 70, 80);
    if (used >= t) return scaled(60, 80, 90);
    if (s >= 0) return int32_t(t - used < t / 2 ? t * 3 / 4 : std::max(t * 80 / 100, t - used));
    return t0;
}

// A share of the time for the move, in 64 bits.
int32_t percentOf(int32_t t, int64_t percent) { return int32_t(int64_t(t) * percent / 100); }

}  // namespace

void setFixedSearch(int32_t allottedMs, int32_t maxDepth) {
    gAllottedTime = allottedMs;
    gMaxSearchDepth = maxDepth;
}

void useFixedTimeControl() { gTimeControlType = TIME_CONTROL_FIXED; }

void forgetClock() { gMovesPerControl = gIncrement = gTimeLeft = 0; }

void allotForAnalysis() { gAllottedTime = gTimeLeft = 5; }

void setPonderHit(bool hit) { gPonderHit = hit; }
void armPonder() { gPonderPending = true; }

void endPonder(Move expected) {
    gPonderMove = expected;
    gPonderPending = false;
}

void startUnlimitedClock() {
    gSearchStart = getMilliseconds();
    gHardDeadline = gSearchStart + uint32_t(kLongestSearchMs);
}

void recordSearchEnd(int32_t score) {
    gTimeUsed = elapsedMs();
    gPreviousScore = score;
}

void resetTimeForNewGame() {
    gOppClockCount = 0;
    gPreviousScore = 0;
    gPonderPending = false;
}

void allotOnLevel(int32_t movesPerControl, int32_t baseMs, int32_t incrementMs) {
    gTimeLeft = baseMs;
    gMovesPerControl = movesPerControl;
    gIncrement = incrementMs;
    int64_t t;
    if (movesPerControl > 0) {
        gTimeControlType = TIME_CONTROL_CONVENTIONAL;
        t = int64_t(baseMs) / (int64_t(movesPerControl) + 2);
    } else {
        gTimeControlType = TIME_CONTROL_INCREMENTAL;
        t = baseMs / 40;
    }
    if (incrementMs > 0) t += incrementMs;
    gAllottedTime = withinClock(t, baseMs);
}

void allotOnTime(const Board& game, int32_t centiseconds) {
    const int64_t left = int64_t(centiseconds) * 10;
    gTimeLeft = int32_t(std::clamp<int64_t>(left, INT32_MIN, INT32_MAX));
    switch (gTimeControlType) {
        case TIME_CONTROL_CONVENTIONAL: gAllottedTime = withinClock(conventionalAllotment(game, left), left); break;
        case TIME_CONTROL_INCREMENTAL: gAllottedTime = withinClock(incrementalAllotment(game, left), left); break;
        case TIME_CONTROL_FIXED: gAllottedTime = wholeClock(left + gIncrement, left); break;
        default: break;
    }
}

void allotOnSt(int32_t seconds) {
    allotOnMoveTime(seconds * 1000);
}

void allotOnMoveTime(int32_t ms) {
    gTimeControlType = TIME_CONTROL_FIXED;
    gAllottedTime = gTimeLeft = ms;
}

void allotOnUciClock(const Board& game, int32_t leftMs, int32_t incrementMs, int32_t movesToGo, int32_t overheadMs) {
    const int64_t left = leftMs;
    gTimeLeft = leftMs;
    gIncrement = incrementMs;
    int64_t t;
    if (movesToGo > 0) {
        gTimeControlType = TIME_CONTROL_CONVENTIONAL;
        gMovesPerControl = movesToGo;
        t = shareOfControl(left, movesToGo, movesToGo == 1) + incrementMs;
    } else {
        gTimeControlType = TIME_CONTROL_INCREMENTAL;
        gMovesPerControl = 0;
        // A twentieth of what is left at most: when the interface's own delay
        // per move is more than the increment, the clock drains whatever the
        // engine does, and thinking less as it drains makes it last longer.
        t = std::min(incrementalAllotment(game, left), (left - overheadMs) / 20);
    }
    // What the interface and the pipes take between our move and its clock
    // stays in reserve; with a very short clock a search of a millisecond or
    // two still plays a legal move.
    const int64_t usable = std::max<int64_t>(1, left - overheadMs);
    gAllottedTime = int32_t(std::clamp<int64_t>(t, 1, usable));
}

void allotUnlimited() {
    gTimeControlType = TIME_CONTROL_FIXED;
    gAllottedTime = kLongestSearchMs;
    gTimeLeft = 0;
}

void recordOpponentClock(int32_t ms) {
    if (gOppClockCount < kOppClockHistorySize) gOppClockHistory[gOppClockCount++] = ms;
}

void setSearchLimits(int32_t outOfBookCount) {
    const int32_t t0 = gAllottedTime;
    gBaseTime = t0;
    gSoftLimit = std::max(gTimeLeft / 20, t0);
    gControlTime = std::max(gTimeLeft / 10, t0);
    gTargetTime = afterPonderHit(t0);
    gAllottedTime = gTargetTime;
    gSearchStart = gReportStart = getMilliseconds();
    gExtraTime = 0;
    if (outOfBookCount >= 1 && outOfBookCount <= 4 && gTimeLeft > 120000)
        gExtraTime = (outOfBookCount > 1 && gPreviousScore >= 5) ? gTargetTime / 8 : gTargetTime / 6;
    gHardDeadline = gSearchStart + uint32_t(int64_t(gTargetTime) + gExtraTime);
    gExtendTime = false;
    gEasyIterations = 0;
}

int32_t elapsedMs() {
    return int32_t(getMilliseconds() - gSearchStart);
}

int32_t reportedElapsedMs() {
    return int32_t(getMilliseconds() - gReportStart);
}

void restartClockAtPonderHit() {
    const uint32_t shift = getMilliseconds() - gSearchStart;
    gSearchStart += shift;
    gHardDeadline += shift;
}

void shortenForSingleEvasion() {
    gHardDeadline -= uint32_t(gAllottedTime / 2);
}

bool timeIsUp(uint32_t now) {
    const int32_t elapsed = int32_t(now - gSearchStart);
    if ((int32_t(now - gHardDeadline) >= 0 && !gExtendTime) || elapsed >= gSoftLimit) {
        gTimeUsed = elapsed;
        return true;
    }
    return false;
}

// Computed in 64 bits: the same as the 32-bit product wherever that does not
// overflow, and no overflow for large rates.
int64_t nodeBudget(int32_t nodesPerSecond) {
    return int64_t(nodesPerSecond) * gAllottedTime / 1000 - 1024;
}

bool afterIteration(const IterationResult& r, uint32_t now) {
    if (!r.ownClock) return false;
    const int32_t t0 = gBaseTime, t = gTargetTime, d = r.depth;
    const bool clockGame = gTimeControlType == TIME_CONTROL_CONVENTIONAL || gTimeControlType == TIME_CONTROL_INCREMENTAL;
    const int32_t elapsed = int32_t(now - gSearchStart);
    auto deadlineFromStart = [] { return int32_t(gHardDeadline - gSearchStart); };

    // 1. The soft limit.
    if (elapsed >= gSoftLimit) return true;

    // 2. An easy recapture, the same move iteration after iteration.
    if (r.opponentCaptured && d >= 2 && clockGame) {
        const bool easy = moveTo(r.move) == r.captureSquare && (moveFlags(r.move) & MOVE_CAPTURE) &&
                          r.move == r.previousMove;
        gEasyIterations = easy ? gEasyIterations + 1 : 0;
        if (gEasyIterations >= 8 && elapsed >= deadlineFromStart() / 10) return true;
    }

    // 3. The hard deadline, from the fourth iteration on.
    if (elapsed >= deadlineFromStart() && d >= 4) return true;

    // 4. More time for a changing best move, a falling score, a failed window.
    bool extended = false;
    auto push = [&](int32_t ms) {
        gHardDeadline += uint32_t(ms);
        extended = true;
    };
    auto failLowRule = [&] {
        if ((r.score < 0 ? -r.score : r.score) <= 1000 && gTimeLeft > 60000 && clockGame) {
            push(t0 / 4);
            if (gTimeLeft >= 150001 && r.score < 0 && r.previousScore < 0) push(t / 4);
        }
    };
    auto scoreDropRule = [&] {
        if (r.score + 15 <= r.previousScore && gTimeLeft >= 60001) push(percentOf(t0, r.score < 0 ? 35 : 30));
    };
    bool extendSetHere = false;
    if (d > 8 && gTimeLeft > 60000) {
        if (r.research) {
            gExtendTime = false;
        } else {
            if (r.move != r.previousMove) {
                push(t0 / 2);
                extendSetHere = r.score <= 100 && gTimeLeft >= 120001;
            }
            gExtendTime = extendSetHere;
            if (r.score <= r.windowLow)
                failLowRule();
            else
                scoreDropRule();
        }
    } else {
        gExtendTime = false;
        if (r.score <= r.windowLow) {
            if (!r.research && d > 7) failLowRule();
        } else if (!r.research && d >= 8) {
            scoreDropRule();
        }
    }

    // 5. Early stop when most of the time is gone and the score holds.
    if (!extended && !extendSetHere && d >= 7 && clockGame && elapsed > percentOf(t, 80) &&
        r.score >= r.previousScore) {
        const int64_t toDeadline = int32_t(gHardDeadline - now);
        if (toDeadline * 2 < 3 * int64_t(elapsed)) return true;
    }

    // 6. The node budget.
    if (r.nodesPerSecond && 2 * int64_t(r.nodes) >= int64_t(r.nodesPerSecond) * t / 1000) return true;
    return false;
}
