#include "search/think.h"

#include <algorithm>
#include <cstdio>

#include "board/makemove.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "book/book.h"
#include "book/learning.h"
#include "eval/pawnhash.h"
#include "game/game.h"
#include "platform/clock.h"
#include "search/aspiration.h"
#include "search/nodeutil.h"
#include "search/ordering.h"
#include "search/output.h"
#include "search/rootmoves.h"
#include "search/search.h"
#include "search/strength.h"
#include "search/threads.h"
#include "search/timeman.h"
#include "search/tt.h"

int32_t gMateStop = MATE_STOP_SHORT;
int32_t gMateInMoves = 0;

namespace {

constexpr int32_t kLastBookPly = 70;

// A mate within eight plies: once found (after the first four iterations),
// deeper iterations cannot find a shorter one worth the time.
constexpr int32_t kShortMateScore = MATE_VALUE - 8;

int32_t absolute(int32_t x) { return x < 0 ? -x : x; }

// True when an exact score proves the mate that `go mate N` asks for.
bool askedMateFound(int32_t score, bool exact) {
    return gMateInMoves > 0 && exact && score > MATE_BOUND && MATE_VALUE - score <= 2 * gMateInMoves - 1;
}

// True when a mate score found by iteration d ends the search.
bool mateEndsSearch(int32_t d, int32_t score, bool exact) {
    if (askedMateFound(score, exact)) return true;
    if (absolute(score) <= kShortMateScore || d <= 4) return false;
    if (gMateStop == MATE_STOP_SHORT) return true;
    return exact && gEngineState == ENGINE_NORMAL;
}

// 2. A move from the book, played without searching.
bool playBookMove(SearchWorker& w, OutputMode outputMode) {
    if (!gBookEnabled || w.pos.hply > kLastBookPly || gOutOfBookCount > 2 || gEngineState == ENGINE_ANALYZING ||
        gSearchMoveCount > 0)
        return false;
    Move move;
    if (!findBookMove(&move)) return false;
    w.bookMoveFlag = true;
    noteBookMove();
    w.pvTable[0][0] = move;
    w.pvLength[0] = 1;
    w.bestMove = move;
    if (outputMode == OutputMode::Uci)
        printf("info string book move %s\n", moveToText(move));
    else
        printf("0 0 0 0 (Book Move %s)\n", moveToText(move));
    fflush(stdout);
    return true;
}

// 3. The first search after the book is reported and recorded.
void noteLeavingTheBook(SearchWorker& w, OutputMode outputMode) {
    if (gWriteLearnedOpening && gRecordedPly >= 1) writeOutOfBookPosition(w.pos.side);
    if (outputMode == OutputMode::Silent || outputMode == OutputMode::Uci) return;
    if (gIcsMode)
        printf("# Opponent's name: %s, Rating: %d\n", gOpponentName, gOppRating);
    else
        printf("# Opponent's name: %s\n", gOpponentName);
    printf("# Contempt is %d\n", gContempt);
    printf("# Morvantix (%s) is out of book at move no. %d.\n", w.pos.side == WHITE ? "W" : "B",
           gEngineMovesPlayed + 1);
    fflush(stdout);
}

// The worker's own part of a new search: its root, counters, ordering
// tables, castling flags and root checkers.
void prepareWorker(SearchWorker& w) {
    makeCurrentPositionRoot(w);
    w.nodeCount = 0;
    w.sharedNodeCount.store(0, std::memory_order_relaxed);
    w.stopped = false;
    w.iterationScore[0] = 0;
    resetOrderingTables(w);
    setCastlingAtRoot(w, w.pos.castle);
    for (int32_t& t : w.iterationTime) t = -1;
    w.rootInCheck = findAttackers(w, w.pos.kingSquare[w.pos.side], w.pos.xside);
    w.rootCheckers[0] = w.checkerSquare[0];
    w.rootCheckers[1] = w.checkerSquare[1];
    w.pawnHash.resetCounters();
    resetSearchCounters(w);
    resetRootLines(w);
}

// 5. The tables and counters of a new search (also for pondering).
void resetForSearch(SearchWorker& w) {
    ttNewSearch();
    allowDeadline();
    prepareWorker(w);
}

// One iteration: counters, the follow-PV start, the root search.
int32_t searchIteration(SearchWorker& w, int32_t depth, int32_t alpha, int32_t beta) {
    resetIterationCounters(w);
    w.iterationDepth = depth;
    w.followPv = true;
    return rootSearch(w, alpha, beta, 2 * depth, w.rootInCheck);
}

// What the time rules need to know about a finished iteration.
IterationResult resultOf(SearchWorker& w, int32_t d, int32_t score, int32_t windowLow, bool research) {
    IterationResult r;
    r.depth = d;
    r.score = score;
    r.previousScore = w.iterationScore[d - 1];
    r.move = w.iterationMove[d];
    r.previousMove = w.iterationMove[d - 1];
    r.windowLow = windowLow;
    r.research = research;
    const int32_t last = w.pos.hply - 1;
    r.opponentCaptured = last >= w.setupPly && (moveFlags(w.history[last].move) & MOVE_CAPTURE);
    r.captureSquare = r.opponentCaptured ? moveTo(w.history[last].move) : -1;
    r.ownClock = gEngineState == ENGINE_NORMAL;
    r.nodes = w.nodeCount;
    r.nodesPerSecond = gNodesPerSecond;
    return r;
}

void iterativeDeepening(SearchWorker& w, OutputMode outputMode) {
    Aspiration window;
    for (int32_t d = 1;;) {
        const int32_t windowLow = window.alpha, windowHigh = window.beta;
        const bool research = window.research;
        const int32_t score = searchIteration(w, d, window.alpha, window.beta);
        if (gStopSearch || score == -MATE_VALUE) return;
        w.iterationMove[d] = w.pvTable[0][0];
        w.iterationScore[d] = score;
        w.iterationTime[d] = elapsedMs();
        w.lastScore = score;
        w.depthReached = d;
        w.completedPvLength = w.pvLength[0];
        const int32_t bound = score <= windowLow ? -1 : score >= windowHigh ? 1 : 0;
        if (outputMode == OutputMode::Uci)
            printUciIterationLine(w, d, 1, score, bound, w.selDepth, w.pvTable[0], w.pvLength[0]);
        else if (outputMode != OutputMode::Silent)
            printIterationLine(w, d, score);
        if (mateEndsSearch(d, score, bound == 0)) return;
        if (afterIteration(resultOf(w, d, score, windowLow, research), getMilliseconds())) return;
        if (!window.next(score)) d++;
        if (d > w.depthLimit || d >= kMaxIterations) return;
    }
}

// Row 0 of the variation table takes a line's moves.
void putLineIntoRowZero(SearchWorker& w, const RootLine& line) {
    for (int32_t i = 0; i < line.length; i++) w.pvTable[0][i] = line.moves[i];
    w.pvLength[0] = line.length;
}

// How the last search of a line ended, for the time rules.
struct LineSearch {
    int32_t windowLow = -MATE_VALUE;
    bool research = false;
};

// One line of a multi-line iteration: the root without the moves of the
// better lines, repeated with wider windows until its score is exact. The
// line's moves of the previous iteration lead the ordering. False when the
// search stopped.
bool searchLine(SearchWorker& w, int32_t d, int32_t line, Aspiration& window, RootLine& found, LineSearch& how) {
    if (line < w.rootLineCount) putLineIntoRowZero(w, w.rootLines[line]);
    for (;;) {
        how.windowLow = window.alpha;
        how.research = window.research;
        const int32_t score = searchIteration(w, d, window.alpha, window.beta);
        if (gStopSearch) return false;
        if (window.next(score)) continue;
        found.score = score;
        found.selDepth = w.selDepth;
        found.length = w.pvLength[0];
        for (int32_t i = 0; i < found.length; i++) found.moves[i] = w.pvTable[0][i];
        return true;
    }
}

// Reports a finished multi-line iteration: in UCI the first `shown` lines, in
// the other modes the best line.
void printLines(SearchWorker& w, int32_t d, int32_t lines, int32_t shown, OutputMode outputMode) {
    if (outputMode == OutputMode::Uci) {
        for (int32_t i = 0; i < std::min(lines, shown); i++) {
            const RootLine& l = w.rootLines[i];
            printUciIterationLine(w, d, i + 1, l.score, 0, l.selDepth, l.moves, l.length);
        }
    } else if (outputMode != OutputMode::Silent) {
        printIterationLine(w, d, w.rootLines[0].score);
    }
}

// Several best lines (UCI MultiPV, or the choices of a strength below full):
// each iteration searches the root once per line, each time without the root
// moves of the lines before, and reports the lines best first once all are
// exact. The best line's move is played.
void multiLineDeepening(SearchWorker& w, int32_t lines, int32_t shown, OutputMode outputMode) {
    static Aspiration windows[kMaxMultiPv];
    static RootLine found[kMaxMultiPv];
    for (Aspiration& a : windows) a = Aspiration();
    for (int32_t d = 1; d <= w.depthLimit && d < kMaxIterations; d++) {
        LineSearch how;
        clearTakenRootMoves(w);
        for (int32_t i = 0; i < lines; i++) {
            LineSearch thisLine;
            const bool done = searchLine(w, d, i, windows[i], found[i], thisLine);
            if (i == 0) how = thisLine;
            if (!done) {
                // A stopped first line leaves its best move so far in row 0,
                // as a single-line search does; a later one, the first line's.
                clearTakenRootMoves(w);
                if (i > 0) putLineIntoRowZero(w, found[0]);
                return;
            }
            takeRootMove(w, found[i].moves[0]);
        }
        clearTakenRootMoves(w);
        sortRootLines(found, lines);
        keepRootLines(w, found, lines);
        const RootLine& best = w.rootLines[0];
        putLineIntoRowZero(w, best);
        w.completedPvLength = best.length;
        w.iterationMove[d] = best.moves[0];
        w.iterationScore[d] = w.lastScore = best.score;
        w.iterationTime[d] = elapsedMs();
        w.depthReached = d;
        printLines(w, d, lines, shown, outputMode);
        // The other lines are what was asked for: a mate in the best one ends
        // the search only when it is the mate `go mate` looks for.
        if (askedMateFound(best.score, true)) return;
        if (afterIteration(resultOf(w, d, best.score, how.windowLow, how.research), getMilliseconds())) return;
    }
}

// A strength below full: the search's limits, and after it the line to play.
struct WeakerPlay {
    bool on = false;
    StrengthPlan plan{};
    uint32_t nodeLimitBefore = 0;
};

// Limits the search of a game move to the level's budget and depth. (This and
// playAtLevel run once a search; cold, they leave the link-time optimiser's
// inlining of the search itself as it was without them.)
[[gnu::cold]] WeakerPlay limitForLevel(SearchWorker& w, bool atSetStrength) {
    WeakerPlay weaker;
    const int32_t level = strengthLevel();
    weaker.on = atSetStrength && level < kFullLevel && gEngineState != ENGINE_ANALYZING;
    w.depthLimit = gMaxSearchDepth;
    if (!weaker.on) return weaker;
    weaker.plan = planOfLevel(level);
    weaker.nodeLimitBefore = gNodeLimit;
    w.depthLimit = std::min(gMaxSearchDepth, weaker.plan.depth);
    setNodeLimit(gNodeLimit ? std::min(gNodeLimit, weaker.plan.nodes) : weaker.plan.nodes);
    return weaker;
}

// Plays one of the best lines of the last finished iteration (an interface
// that shows the thinking is shown the line played when it is not the best),
// and on a clock holds the move back a little, as a person would before
// answering.
[[gnu::cold]] void playAtLevel(SearchWorker& w, const WeakerPlay& weaker, OutputMode outputMode) {
    setNodeLimit(weaker.nodeLimitBefore);
    if (w.rootLineCount > 1) {
        const int32_t i = chooseLine(w.rootLines, w.rootLineCount, weaker.plan.margin, strengthDraw(w.pos.hashKey));
        const RootLine& played = w.rootLines[i];
        putLineIntoRowZero(w, played);
        if (i > 0 && outputMode == OutputMode::Uci)
            printUciIterationLine(w, w.depthReached, 1, played.score, 0, played.selDepth, played.moves, played.length);
        else if (i > 0 && outputMode != OutputMode::Silent)
            printIterationLine(w, w.depthReached, played.score);
    }
    if (gEngineState == ENGINE_NORMAL && gTargetTime < kLongestSearchMs)
        pauseUntilElapsed(std::min(gTargetTime / 4, weaker.plan.pauseMs));
}

}  // namespace

int32_t countRootMoves(SearchWorker& w, Move* first) {
    makeCurrentPositionRoot(w);
    generateAllMoves(w);
    int32_t count = 0;
    for (int32_t i = w.firstMove[0]; i < w.firstMove[1]; i++) {
        const Move move = w.moveStack[i].move;
        if (!isSearchMove(move) || !makeMove(w, move)) continue;
        unmakeMove(w);
        if (count++ == 0 && first) *first = move;
    }
    return count;
}

bool isMoveToPlay(SearchWorker& w, Move move) {
    if (!move || !isSearchMove(move)) return false;
    makeCurrentPositionRoot(w);
    generateAllMoves(w);
    for (int32_t i = w.firstMove[0]; i < w.firstMove[1]; i++) {
        if (w.moveStack[i].move != move || !makeMove(w, move)) continue;
        unmakeMove(w);
        return true;
    }
    return false;
}

Move firstLegalMove(SearchWorker& w) {
    Move first = 0;
    countRootMoves(w, &first);
    return first;
}

void think(SearchWorker& w, OutputMode outputMode, SearchPurpose purpose) {
    // 1. Start values.
    w.lastScore = 0;
    w.bookMoveFlag = false;
    w.engineSide = w.pos.side;

    // 2. The book.
    if (playBookMove(w, outputMode)) return;

    // 3. A search out of book.
    const int32_t outOfBook = noteSearchOutOfBook();
    if (outOfBook == 1) noteLeavingTheBook(w, outputMode);

    // 4. Time limits.
    gStopSearch = 0;
    setSearchLimits(outOfBook);
    if (outOfBook == 11) checkBadLine();
    if (outputMode != OutputMode::Silent && outputMode != OutputMode::Uci) printTimeLine();

    // 5, 6. Tables and counters; nothing to do without depth.
    w.uciOutput = outputMode == OutputMode::Uci;
    const WeakerPlay weaker = limitForLevel(w, purpose == SearchPurpose::GameMove);
    const int32_t shown = w.uciOutput ? gMultiPv : 1;
    const int32_t wanted = std::max(shown, weaker.on ? weaker.plan.lines : 1);
    const int32_t lines = wanted > 1 ? std::min(wanted, countRootMoves(w)) : 1;
    resetForSearch(w);
    w.bestMove = 0;
    w.completedPvLength = 0;
    // Helpers search beside it, but not at a strength below full.
    startHelpers(w, purpose != SearchPurpose::Test && !weaker.on && w.depthLimit >= 1);
    if (w.depthLimit >= 1) {
        if (lines > 1)
            multiLineDeepening(w, lines, shown, outputMode);
        else
            iterativeDeepening(w, outputMode);
    }
    stopHelpers();

    // The move of the last completed work stays in row 0. A search stopped
    // before its first root move was finished finds row 0 empty, or as an
    // earlier search left it: it gives the first legal move the root may
    // search instead.
    if (gStopSearch && !isMoveToPlay(w, w.pvTable[0][0])) {
        w.pvTable[0][0] = firstLegalMove(w);
        w.pvLength[0] = w.pvTable[0][0] ? 1 : 0;
    }
    // An iteration stopped before a root move raised alpha left the row as the
    // last finished one wrote it: a UCI interface is told its ponder move.
    if (w.uciOutput && w.pvLength[0] == 0) w.pvLength[0] = w.completedPvLength;
    // A search that used up its node budget ended by itself, as one that
    // reached its depth: a ponder search then waits for the interface.
    if (gStopSearch == STOP_NODE_LIMIT) clearStopRequest();
    if (weaker.on) playAtLevel(w, weaker, outputMode);
    w.bestMove = w.pvTable[0][0];
    recordSearchEnd(w.lastScore);
}

int32_t rootSearch(SearchWorker& w, int32_t alpha, int32_t beta, int32_t depth, bool inCheck) {
    if (periodicStopCheck(w)) return 0;

    // 1. Empty line; the root's moves.
    w.pvLength[0] = 0;
    if (inCheck) {
        w.checkerSquare[0] = w.rootCheckers[0];
        w.checkerSquare[1] = w.rootCheckers[1];
        if (w.rootCheckers[1] == -1)
            generateEvasions(w);
        else
            generateKingMoves(w);
    } else {
        generateAllMoves(w);
    }
    markFollowPv(w);

    const int32_t alphaOnEntry = alpha, us = w.pos.side;
    const bool filtered = rootIsFiltered(w);
    int32_t best = kBestStart, legal = 0, quietLegal = 0;
    for (int32_t i = w.firstMove[0]; i < w.firstMove[1]; i++) {
        // 2. The previous iteration's move first.
        pickBest(w, i);
        const Move move = w.moveStack[i].move;
        if (filtered && !rootSearchesMove(w, move)) continue;
        if (!makeMove(w, move)) continue;
        const bool check = afterMake(w, move, us);
        legal++;
        if (w.uciOutput) printUciCurrentMove(w.iterationDepth, move, legal + w.takenRootMoveCount);
        if (!(moveFlags(move) & (MOVE_CAPTURE | MOVE_PROMOTION))) quietLegal++;

        // 3. Extensions, as in the principal-variation nodes (the root follows
        //    no earlier line and has no previous capture to answer).
        const int32_t extension = pvExtension(w, move, 0, false, check);
        const int32_t d = depth + extension - 2;

        // 4. Reduction of late quiet moves.
        const bool reduce = !inCheck && quietLegal >= 4 && extension == 0 && !exemptFromReduction(w, move, 0) &&
                            d >= 8 && legal >= 6 && w.pos.pieceMaterial[us] >= 501;

        // 5. Search it.
        int32_t score;
        if (legal == 1) {
            score = -pvSearch(w, -beta, -alpha, d, check);
        } else if (check) {
            score = searchLaterMove(w, alpha, beta, d, true);
        } else {
            score = alpha + 1;
            if (reduce) {
                w.reducedMove[w.pos.hply] = move;
                score = -zwSearch(w, -alpha - 1, -alpha, d - 2, true, true);
                if (score > alpha) w.reducedMove[w.pos.hply] = 0;
            }
            if (score > alpha) score = searchLaterMove(w, alpha, beta, d, false);
        }

        // 6. Take it back.
        if (!takeBack(w, move, us)) return 0;

        // 7. Best, alpha, cutoff.
        if (raiseFullWidth(w, move, score, depth, &best, &alpha, beta)) return score;
    }

    // 8. After the loop.
    if (w.stopped) return 0;
    if (legal == 0) return inCheck ? -MATE_VALUE : 0;
    if (legal == 1 && inCheck && !w.isHelper) shortenForSingleEvasion();
    // Without some of its moves the root's score is not the position's: the
    // table does not keep it.
    if (best <= alphaOnEntry) {
        if (!filtered) ttStoreNoMove(w, depth, best, BOUND_UPPER);
        return best;
    }
    const Move pvMove = w.pvTable[0][0];
    historyReward(w, pvMove, depth);
    updateKillers(w, pvMove, best);
    if (!filtered) ttStore(w, pvMove, depth, best, BOUND_EXACT);
    return best;
}

void ponder(SearchWorker& w, OutputMode outputMode) {
    // 1. Start values; the clock does not stop a ponder search.
    w.lastScore = 0;
    w.bookMoveFlag = false;
    gStopSearch = 0;
    startUnlimitedClock();

    // 2, 3. Tables and counters; the header.
    resetForSearch(w);
    printPonderHeader(outputMode);

    // 4. Full-window iterations until input, a mate or the depth limit.
    w.depthLimit = gMaxSearchDepth;
    startHelpers(w, true);
    for (int32_t d = 1; d <= gMaxSearchDepth && d < kMaxIterations; d++) {
        const int32_t score = searchIteration(w, d, -MATE_VALUE, MATE_VALUE);
        if (gStopSearch) break;
        w.lastScore = score;
        w.depthReached = d;
        printPonderLine(w, outputMode, d, score);
        if (absolute(score) > MATE_BOUND) break;
    }
    stopHelpers();
    w.bestMove = w.pvTable[0][0];
}

void helperSearch(SearchWorker& w, int32_t index) {
    prepareWorker(w);
    w.uciOutput = false;
    w.engineSide = w.pos.side;
    Aspiration window;
    for (int32_t d = 1 + index % 2; d <= w.depthLimit && d < kMaxIterations;) {
        const int32_t score = searchIteration(w, d, window.alpha, window.beta);
        if (w.stopped || score == -MATE_VALUE) break;
        if (!window.next(score)) d++;
    }
    w.sharedNodeCount.store(w.nodeCount, std::memory_order_relaxed);
}
