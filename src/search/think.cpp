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
#include "search/timeman.h"
#include "search/tt.h"

int32_t gIterationDepth = 0;
int32_t gEngineSide = WHITE;
int32_t gLastScore = 0;
int32_t gDepthReached = 0;
bool gBookMoveFlag = false;
Move gBestMove = 0;
Move gIterationMove[kMaxIterations];
int32_t gIterationScore[kMaxIterations];
int32_t gIterationTime[kMaxIterations];
int32_t gMateStop = MATE_STOP_SHORT;
int32_t gMateInMoves = 0;

namespace {

constexpr int32_t kLastBookPly = 70;

// A mate within eight plies: once found (after the first four iterations),
// deeper iterations cannot find a shorter one worth the time.
constexpr int32_t kShortMateScore = MATE_VALUE - 8;

// The root's checkers, found once per search.
bool gRootInCheck = false;
int32_t gRootCheckers[2] = {-1, -1};

// The search reports in UCI: the root names the move it searches.
bool gUciOutput = false;

// The length of row 0 after the last finished iteration.
int32_t gCompletedPvLength = 0;

// The deepest iteration of this search: the depth limit, or less at a
// strength below full.
int32_t gDepthLimit = kDefaultSearchDepth;

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
bool playBookMove(int32_t outputMode) {
    if (!gBookEnabled || gPos.hply > kLastBookPly || gOutOfBookCount > 2 || gEngineState == ENGINE_ANALYZING ||
        gSearchMoveCount > 0)
        return false;
    Move move;
    if (!findBookMove(&move)) return false;
    gBookMoveFlag = true;
    noteBookMove();
    gPvTable[0][0] = move;
    gPvLength[0] = 1;
    gBestMove = move;
    if (outputMode == OUTPUT_UCI)
        printf("info string book move %s\n", moveToText(move));
    else
        printf("0 0 0 0 (Book Move %s)\n", moveToText(move));
    fflush(stdout);
    return true;
}

// 3. The first search after the book is reported and recorded.
void noteLeavingTheBook(int32_t outputMode) {
    if (gWriteLearnedOpening && gRecordedPly >= 1) writeOutOfBookPosition(gPos.side);
    if (outputMode == OUTPUT_SILENT || outputMode == OUTPUT_UCI) return;
    if (gIcsMode)
        printf("# Opponent's name: %s, Rating: %d\n", gOpponentName, gOppRating);
    else
        printf("# Opponent's name: %s\n", gOpponentName);
    printf("# Contempt is %d\n", gContempt);
    printf("# Morvantix (%s) is out of book at move no. %d.\n", gPos.side == WHITE ? "W" : "B",
           gEngineMovesPlayed + 1);
    fflush(stdout);
}

// 5. The tables and counters of a new search (also for pondering).
void resetForSearch() {
    makeCurrentPositionRoot();
    gNodeCount = 0;
    gIterationScore[0] = 0;
    resetOrderingTables();
    setCastlingAtRoot(gPos.castle);
    for (int32_t& t : gIterationTime) t = -1;
    ttNewSearch();
    gRootInCheck = findAttackers(gPos.kingSquare[gPos.side], gPos.xside);
    gRootCheckers[0] = gCheckerSquare[0];
    gRootCheckers[1] = gCheckerSquare[1];
    pawnHashResetCounters();
    allowDeadline();
    resetSearchCounters();
    resetRootLines();
}

// One iteration: counters, the follow-PV start, the root search.
int32_t searchIteration(int32_t depth, int32_t alpha, int32_t beta) {
    resetIterationCounters();
    gIterationDepth = depth;
    gFollowPv = true;
    return rootSearch(alpha, beta, 2 * depth, gRootInCheck);
}

// What the time rules need to know about a finished iteration.
IterationResult resultOf(int32_t d, int32_t score, int32_t windowLow, bool research) {
    IterationResult r;
    r.depth = d;
    r.score = score;
    r.previousScore = gIterationScore[d - 1];
    r.move = gIterationMove[d];
    r.previousMove = gIterationMove[d - 1];
    r.windowLow = windowLow;
    r.research = research;
    const int32_t last = gPos.hply - 1;
    r.opponentCaptured = last >= gSetupPly && (moveFlags(gHistory[last].move) & MOVE_CAPTURE);
    r.captureSquare = r.opponentCaptured ? moveTo(gHistory[last].move) : -1;
    r.ownClock = gEngineState == ENGINE_NORMAL;
    r.nodes = gNodeCount;
    r.nodesPerSecond = gNodesPerSecond;
    return r;
}

void iterativeDeepening(int32_t outputMode) {
    Aspiration window;
    for (int32_t d = 1;;) {
        const int32_t windowLow = window.alpha, windowHigh = window.beta;
        const bool research = window.research;
        const int32_t score = searchIteration(d, window.alpha, window.beta);
        if (gStopSearch || score == -MATE_VALUE) return;
        gIterationMove[d] = gPvTable[0][0];
        gIterationScore[d] = score;
        gIterationTime[d] = elapsedMs();
        gLastScore = score;
        gDepthReached = d;
        gCompletedPvLength = gPvLength[0];
        const int32_t bound = score <= windowLow ? -1 : score >= windowHigh ? 1 : 0;
        if (outputMode == OUTPUT_UCI)
            printUciIterationLine(d, 1, score, bound, gSelDepth, gPvTable[0], gPvLength[0]);
        else if (outputMode != OUTPUT_SILENT)
            printIterationLine(d, score);
        if (mateEndsSearch(d, score, bound == 0)) return;
        if (afterIteration(resultOf(d, score, windowLow, research), getMilliseconds())) return;
        if (!window.next(score)) d++;
        if (d > gDepthLimit || d >= kMaxIterations) return;
    }
}

// Row 0 of the variation table takes a line's moves.
void putLineIntoRowZero(const RootLine& line) {
    for (int32_t i = 0; i < line.length; i++) gPvTable[0][i] = line.moves[i];
    gPvLength[0] = line.length;
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
bool searchLine(int32_t d, int32_t line, Aspiration& window, RootLine& found, LineSearch& how) {
    if (line < gRootLineCount) putLineIntoRowZero(gRootLines[line]);
    for (;;) {
        how.windowLow = window.alpha;
        how.research = window.research;
        const int32_t score = searchIteration(d, window.alpha, window.beta);
        if (gStopSearch) return false;
        if (window.next(score)) continue;
        found.score = score;
        found.selDepth = gSelDepth;
        found.length = gPvLength[0];
        for (int32_t i = 0; i < found.length; i++) found.moves[i] = gPvTable[0][i];
        return true;
    }
}

// Reports a finished multi-line iteration: in UCI the first `shown` lines, in
// the other modes the best line.
void printLines(int32_t d, int32_t lines, int32_t shown, int32_t outputMode) {
    if (outputMode == OUTPUT_UCI) {
        for (int32_t i = 0; i < std::min(lines, shown); i++) {
            const RootLine& l = gRootLines[i];
            printUciIterationLine(d, i + 1, l.score, 0, l.selDepth, l.moves, l.length);
        }
    } else if (outputMode != OUTPUT_SILENT) {
        printIterationLine(d, gRootLines[0].score);
    }
}

// Several best lines (UCI MultiPV, or the choices of a strength below full):
// each iteration searches the root once per line, each time without the root
// moves of the lines before, and reports the lines best first once all are
// exact. The best line's move is played.
void multiLineDeepening(int32_t lines, int32_t shown, int32_t outputMode) {
    static Aspiration windows[kMaxMultiPv];
    static RootLine found[kMaxMultiPv];
    for (Aspiration& w : windows) w = Aspiration();
    for (int32_t d = 1; d <= gDepthLimit && d < kMaxIterations; d++) {
        LineSearch how;
        clearTakenRootMoves();
        for (int32_t i = 0; i < lines; i++) {
            LineSearch thisLine;
            const bool done = searchLine(d, i, windows[i], found[i], thisLine);
            if (i == 0) how = thisLine;
            if (!done) {
                // A stopped first line leaves its best move so far in row 0,
                // as a single-line search does; a later one, the first line's.
                clearTakenRootMoves();
                if (i > 0) putLineIntoRowZero(found[0]);
                return;
            }
            takeRootMove(found[i].moves[0]);
        }
        clearTakenRootMoves();
        sortRootLines(found, lines);
        keepRootLines(found, lines);
        const RootLine& best = gRootLines[0];
        putLineIntoRowZero(best);
        gCompletedPvLength = best.length;
        gIterationMove[d] = best.moves[0];
        gIterationScore[d] = gLastScore = best.score;
        gIterationTime[d] = elapsedMs();
        gDepthReached = d;
        printLines(d, lines, shown, outputMode);
        // The other lines are what was asked for: a mate in the best one ends
        // the search only when it is the mate `go mate` looks for.
        if (askedMateFound(best.score, true)) return;
        if (afterIteration(resultOf(d, best.score, how.windowLow, how.research), getMilliseconds())) return;
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
[[gnu::cold]] WeakerPlay limitForLevel(bool atSetStrength) {
    WeakerPlay w;
    const int32_t level = strengthLevel();
    w.on = atSetStrength && level < kFullLevel && gEngineState != ENGINE_ANALYZING;
    gDepthLimit = gMaxSearchDepth;
    if (!w.on) return w;
    w.plan = planOfLevel(level);
    w.nodeLimitBefore = gNodeLimit;
    gDepthLimit = std::min(gMaxSearchDepth, w.plan.depth);
    setNodeLimit(gNodeLimit ? std::min(gNodeLimit, w.plan.nodes) : w.plan.nodes);
    return w;
}

// Plays one of the best lines of the last finished iteration (an interface
// that shows the thinking is shown the line played when it is not the best),
// and on a clock holds the move back a little, as a person would before
// answering.
[[gnu::cold]] void playAtLevel(const WeakerPlay& w, int32_t outputMode) {
    setNodeLimit(w.nodeLimitBefore);
    if (gRootLineCount > 1) {
        const int32_t i = chooseLine(gRootLines, gRootLineCount, w.plan.margin, strengthDraw(gPos.hashKey));
        const RootLine& played = gRootLines[i];
        putLineIntoRowZero(played);
        if (i > 0 && outputMode == OUTPUT_UCI)
            printUciIterationLine(gDepthReached, 1, played.score, 0, played.selDepth, played.moves, played.length);
        else if (i > 0 && outputMode != OUTPUT_SILENT)
            printIterationLine(gDepthReached, played.score);
    }
    if (gEngineState == ENGINE_NORMAL && gTargetTime < kLongestSearchMs)
        pauseUntilElapsed(std::min(gTargetTime / 4, w.plan.pauseMs));
}

}  // namespace

int32_t countRootMoves(Move* first) {
    makeCurrentPositionRoot();
    generateAllMoves();
    int32_t count = 0;
    for (int32_t i = gFirstMove[0]; i < gFirstMove[1]; i++) {
        const Move move = gMoveStack[i].move;
        if (!isSearchMove(move) || !makeMove(move)) continue;
        unmakeMove();
        if (count++ == 0 && first) *first = move;
    }
    return count;
}

bool isMoveToPlay(Move move) {
    if (!move || !isSearchMove(move)) return false;
    makeCurrentPositionRoot();
    generateAllMoves();
    for (int32_t i = gFirstMove[0]; i < gFirstMove[1]; i++) {
        if (gMoveStack[i].move != move || !makeMove(move)) continue;
        unmakeMove();
        return true;
    }
    return false;
}

Move firstLegalMove() {
    Move first = 0;
    countRootMoves(&first);
    return first;
}

void think(int32_t outputMode, bool atSetStrength) {
    // 1. Start values.
    gLastScore = 0;
    gBookMoveFlag = false;
    gEngineSide = gPos.side;

    // 2. The book.
    if (playBookMove(outputMode)) return;

    // 3. A search out of book.
    const int32_t outOfBook = noteSearchOutOfBook();
    if (outOfBook == 1) noteLeavingTheBook(outputMode);

    // 4. Time limits.
    gStopSearch = 0;
    setSearchLimits(outOfBook);
    if (outOfBook == 11) checkBadLine();
    if (outputMode != OUTPUT_SILENT && outputMode != OUTPUT_UCI) printTimeLine();

    // 5, 6. Tables and counters; nothing to do without depth.
    gUciOutput = outputMode == OUTPUT_UCI;
    const WeakerPlay weaker = limitForLevel(atSetStrength);
    const int32_t shown = gUciOutput ? gMultiPv : 1;
    const int32_t wanted = std::max(shown, weaker.on ? weaker.plan.lines : 1);
    const int32_t lines = wanted > 1 ? std::min(wanted, countRootMoves()) : 1;
    resetForSearch();
    gBestMove = 0;
    gCompletedPvLength = 0;
    if (gDepthLimit >= 1) {
        if (lines > 1)
            multiLineDeepening(lines, shown, outputMode);
        else
            iterativeDeepening(outputMode);
    }

    // The move of the last completed work stays in row 0. A search stopped
    // before its first root move was finished finds row 0 empty, or as an
    // earlier search left it: it gives the first legal move the root may
    // search instead.
    if (gStopSearch && !isMoveToPlay(gPvTable[0][0])) {
        gPvTable[0][0] = firstLegalMove();
        gPvLength[0] = gPvTable[0][0] ? 1 : 0;
    }
    // An iteration stopped before a root move raised alpha left the row as the
    // last finished one wrote it: a UCI interface is told its ponder move.
    if (gUciOutput && gPvLength[0] == 0) gPvLength[0] = gCompletedPvLength;
    // A search that used up its node budget ended by itself, as one that
    // reached its depth: a ponder search then waits for the interface.
    if (gStopSearch == STOP_NODE_LIMIT) clearStopRequest();
    if (weaker.on) playAtLevel(weaker, outputMode);
    gBestMove = gPvTable[0][0];
    recordSearchEnd(gLastScore);
}

int32_t rootSearch(int32_t alpha, int32_t beta, int32_t depth, bool inCheck) {
    if (periodicStopCheck()) return 0;

    // 1. Empty line; the root's moves.
    gPvLength[0] = 0;
    if (inCheck) {
        gCheckerSquare[0] = gRootCheckers[0];
        gCheckerSquare[1] = gRootCheckers[1];
        if (gRootCheckers[1] == -1)
            generateEvasions();
        else
            generateKingMoves();
    } else {
        generateAllMoves();
    }
    markFollowPv();

    const int32_t alphaOnEntry = alpha, us = gPos.side;
    const bool filtered = rootIsFiltered();
    int32_t best = kBestStart, legal = 0, quietLegal = 0;
    for (int32_t i = gFirstMove[0]; i < gFirstMove[1]; i++) {
        // 2. The previous iteration's move first.
        pickBest(i);
        const Move move = gMoveStack[i].move;
        if (filtered && !rootSearchesMove(move)) continue;
        if (!makeMove(move)) continue;
        prefetchChild();
        legal++;
        if (gUciOutput) printUciCurrentMove(gIterationDepth, move, legal + gTakenRootMoveCount);
        if (!(moveFlags(move) & (MOVE_CAPTURE | MOVE_PROMOTION))) quietLegal++;
        gHistory[gPos.hply].reducedMove = 0;
        markCastling(move, us, true);

        // 3. Extensions, as in the principal-variation nodes (the root follows
        //    no earlier line and has no previous capture to answer).
        const bool check = givesCheck();
        const int32_t extension = pvExtension(move, 0, false, check);
        const int32_t d = depth + extension - 2;

        // 4. Reduction of late quiet moves.
        const bool reduce = !inCheck && quietLegal >= 4 && extension == 0 && !exemptFromReduction(move, 0) &&
                            d >= 8 && legal >= 6 && gPos.pieceMaterial[us] >= 501;

        // 5. Search it.
        int32_t score;
        if (legal == 1) {
            score = -pvSearch(-beta, -alpha, d, check);
        } else if (check) {
            score = searchLaterMove(alpha, beta, d, true);
        } else {
            score = alpha + 1;
            if (reduce) {
                gHistory[gPos.hply].reducedMove = move;
                score = -zwSearch(-alpha - 1, -alpha, d - 2, true, true);
                if (score > alpha) gHistory[gPos.hply].reducedMove = 0;
            }
            if (score > alpha) score = searchLaterMove(alpha, beta, d, false);
        }

        // 6. Take it back.
        if (!takeBack(move, us)) return 0;

        // 7. Best, alpha, cutoff.
        if (raiseFullWidth(move, score, depth, &best, &alpha, beta)) return score;
    }

    // 8. After the loop.
    if (gStopSearch) return 0;
    if (legal == 0) return inCheck ? -MATE_VALUE : 0;
    if (legal == 1 && inCheck) shortenForSingleEvasion();
    // Without some of its moves the root's score is not the position's: the
    // table does not keep it.
    if (best <= alphaOnEntry) {
        if (!filtered) ttStoreNoMove(depth, best, BOUND_UPPER);
        return best;
    }
    const Move pvMove = gPvTable[0][0];
    historyReward(pvMove, depth);
    updateKillers(pvMove, best);
    if (!filtered) ttStore(pvMove, depth, best, BOUND_EXACT);
    return best;
}

void ponder(int32_t outputMode) {
    // 1. Start values; the clock does not stop a ponder search.
    gLastScore = 0;
    gBookMoveFlag = false;
    gStopSearch = 0;
    startUnlimitedClock();

    // 2, 3. Tables and counters; the header.
    resetForSearch();
    printPonderHeader(outputMode);

    // 4. Full-window iterations until input, a mate or the depth limit.
    for (int32_t d = 1; d <= gMaxSearchDepth && d < kMaxIterations; d++) {
        const int32_t score = searchIteration(d, -MATE_VALUE, MATE_VALUE);
        if (gStopSearch) break;
        gLastScore = score;
        gDepthReached = d;
        printPonderLine(outputMode, d, score);
        if (absolute(score) > MATE_BOUND) break;
    }
    gBestMove = gPvTable[0][0];
}
