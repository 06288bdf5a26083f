// The searches: mates at fixed depth, draws, and the ordering rules that can be
// checked from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "board/makemove.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/random.h"
#include "config/config.h"
#include "eval/params.h"
#include "search/aspiration.h"
#include "search/ordering.h"
#include "search/search.h"
#include "search/stopcheck.h"
#include "search/think.h"
#include "search/threads.h"
#include "search/timeman.h"
#include "search/tt.h"
#include "support.h"
#include "search/worker.h"
#include "setup/tables.h"
#include "game/gameboard.h"

namespace {

// Square number of a file letter and rank digit (a8 is 0).
constexpr int32_t sq(char file, int32_t rank) { return (8 - rank) * 8 + (file - 'a'); }

// A silent fixed-depth search of the position.
void setUpFixedDepth(const char* fen, int32_t depth) {
    setUp(fen);
    setTunableDefaults();
    setEngineState(ENGINE_NORMAL);
    setNodeRate(0);
    gTimeControlType = TIME_CONTROL_FIXED;
    setFixedSearch(14400000, depth);
    gTimeLeft = 0;
}

std::string bestMoveAt(const char* fen, int32_t depth) {
    setUpFixedDepth(fen, depth);
    think(workerOnGame(), OutputMode::Silent, SearchPurpose::Test);
    return mainWorker().bestMove ? moveToText(mainWorker().bestMove) : "none";
}

TEST(Search, FindsMatesWithTheirDistance) {
    // Back-rank mate in one.
    EXPECT_EQ(bestMoveAt("6k1/5ppp/8/8/8/8/8/R5K1 w - -", 6), "a1a8");
    EXPECT_EQ(mainWorker().lastScore, 29999);
    // Mate in one by promoting to a knight only.
    EXPECT_EQ(bestMoveAt("6nq/5Ppk/6pp/8/8/8/8/K7 w - -", 6), "f7f8n");
    EXPECT_EQ(mainWorker().lastScore, 29999);
    // Mate in two whose first move is a quiet king move.
    const std::string first = bestMoveAt("7k/8/5K2/8/8/8/8/R7 w - -", 6);
    EXPECT_TRUE(first == "f6g6" || first == "f6f7") << first;
    EXPECT_EQ(mainWorker().lastScore, 29997);
    // Mate in three for Black, starting with a bishop sacrifice.
    EXPECT_EQ(bestMoveAt("r1b1kb1r/pppp1ppp/5q2/4n3/3KP3/2N3PN/PPP4P/R1BQ1B1R b kq -", 8), "f8c5");
    EXPECT_EQ(mainWorker().lastScore, 29995);
}

TEST(Search, AMateEndsTheSearchOnlyFromTheFifthIteration) {
    bestMoveAt("6k1/5ppp/8/8/8/8/8/R5K1 w - -", 20);
    EXPECT_EQ(mainWorker().depthReached, 5);
}

TEST(Search, NoMoveWhenStalematedOrMated) {
    EXPECT_EQ(bestMoveAt("7k/5Q2/6K1/8/8/8/8/8 b - -", 5), "none");    // stalemate
    EXPECT_EQ(bestMoveAt("R5k1/5ppp/8/8/8/8/8/6K1 b - -", 5), "none");  // mate
}

TEST(Search, StalemateScoresAsADraw) {
    setUp("7k/5Q2/6K1/8/8/8/8/8 b - -");
    EXPECT_EQ(pvSearch(mainWorker(), -MATE_VALUE, MATE_VALUE, 6, false), 0);
    // White must not stalemate with Qf7 (or Qg5-style moves) but mate on the
    // back rank.
    const std::string move = bestMoveAt("7k/8/6K1/5Q2/8/8/8/8 w - -", 6);
    EXPECT_TRUE(move == "f5f8" || move == "f5c8" || move == "f5d8" || move == "f5e8" || move == "f5b1") << move;
    EXPECT_EQ(mainWorker().lastScore, 29999);
}

TEST(Search, RepetitionsAndTheFiftyMoveRule) {
    gContempt = 40;
    setUp("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    for (const char* m : {"g1f3", "g8f6", "f3g1", "f6g8"}) ASSERT_TRUE(makeMove(mainWorker(), findMove(m)));
    mainWorker().pos.ply = 0;
    mainWorker().engineSide = WHITE;
    EXPECT_EQ(drawScore(mainWorker()), 40);            // the position stands here for the second time
    EXPECT_EQ(qsearch(mainWorker(), -MATE_VALUE, MATE_VALUE, 0), 40);
    EXPECT_EQ(zwSearch(mainWorker(), -1, 0, 4, true, false), 40);
    mainWorker().engineSide = BLACK;
    EXPECT_EQ(qsearch(mainWorker(), -MATE_VALUE, MATE_VALUE, 0), -40);
    gContempt = 0;
    // Fifty moves without capture or pawn move.
    setUp("4k3/8/8/8/8/8/8/R3K3 w - -");
    mainWorker().pos.fifty = 100;
    EXPECT_EQ(qsearch(mainWorker(), -MATE_VALUE, MATE_VALUE, 0), 0);
    EXPECT_EQ(pvSearch(mainWorker(), -MATE_VALUE, MATE_VALUE, 6, false), 0);
    // ... but a mate on the hundredth half-move counts.
    setUp("6k1/5ppp/8/8/8/8/8/R5K1 w - -");
    mainWorker().pos.fifty = 99;
    EXPECT_EQ(pvSearch(mainWorker(), -MATE_VALUE, MATE_VALUE, 4, false), 29999);
    // King and bishop against king is a draw at once; king and rook is not.
    setUp("4k3/8/8/8/8/8/8/2B1K3 w - -");
    EXPECT_EQ(qsearch(mainWorker(), -MATE_VALUE, MATE_VALUE, 0), 0);
    EXPECT_EQ(zwSearch(mainWorker(), -1, 0, 6, true, false), 0);
    setUp("4k3/8/8/8/8/8/8/R3K3 w - -");
    EXPECT_GT(qsearch(mainWorker(), -MATE_VALUE, MATE_VALUE, 0), 300);
}

TEST(Search, AspirationWindows) {
    Aspiration a;
    EXPECT_FALSE(a.next(20));  // inside the full window
    EXPECT_EQ(a.alpha, -10);
    EXPECT_EQ(a.beta, 50);
    EXPECT_TRUE(a.next(-10));  // fail low: repeat with (score - 100, score)
    EXPECT_EQ(a.alpha, -110);
    EXPECT_EQ(a.beta, -10);
    EXPECT_TRUE(a.research);
    EXPECT_TRUE(a.next(-10));  // fail high after a fail low: full window
    EXPECT_EQ(a.alpha, -MATE_VALUE);
    EXPECT_EQ(a.beta, MATE_VALUE);
    EXPECT_FALSE(a.next(5));
    EXPECT_FALSE(a.research);
    EXPECT_EQ(a.alpha, -25);
    EXPECT_TRUE(a.next(60));  // first fail high: (score, score + 100)
    EXPECT_EQ(a.alpha, 60);
    EXPECT_EQ(a.beta, 160);
    Aspiration b;
    EXPECT_FALSE(b.next(3500));  // a big score inside the window: full window next
    EXPECT_EQ(b.alpha, -MATE_VALUE);
    // A fail low to a mate score repeats the iteration with the full window,
    // not with one below the score.
    EXPECT_TRUE(b.next(-MATE_VALUE));
    EXPECT_TRUE(b.research);
    EXPECT_EQ(b.alpha, -MATE_VALUE);
    EXPECT_EQ(b.beta, MATE_VALUE);
    Aspiration c;
    c.alpha = 50, c.beta = 110;
    EXPECT_TRUE(c.next(20));  // the example: fail low at 20 repeats with (-80, 20)
    EXPECT_EQ(c.alpha, -80);
    EXPECT_EQ(c.beta, 20);
}

TEST(Search, HistoryRewardAndPenalty) {
    setUp("4k3/8/8/8/8/8/8/R3K3 w - -");
    resetOrderingTables(mainWorker());
    const Move a1a2 = makeMoveWord(56, 48, EMPTY, 0), a1a3 = makeMoveWord(56, 40, EMPTY, 0);
    const uint32_t& h2 = mainWorker().historyValue[WHITE][ROOK][48];
    const uint32_t& h3 = mainWorker().historyValue[WHITE][ROOK][40];
    const uint32_t start = h2;
    // A reward raises the value, a deeper one more; the next reward adds less.
    historyReward(mainWorker(), a1a2, 4);
    historyReward(mainWorker(), a1a3, 8);
    EXPECT_GT(h2, start);
    EXPECT_GT(h3, h2);
    const uint32_t once = h2;
    historyReward(mainWorker(), a1a2, 4);
    EXPECT_LT(h2 - once, once - start);
    // A move that scored more than 50 below alpha is not blamed; one closer
    // loses history, the more the deeper the node.
    resetOrderingTables(mainWorker());
    historyPenalty(mainWorker(), a1a2, 99, 8, 150);
    EXPECT_EQ(h2, start);
    historyPenalty(mainWorker(), a1a2, 100, 4, 150);
    historyPenalty(mainWorker(), a1a3, 100, 8, 150);
    EXPECT_LT(h2, start);
    EXPECT_LT(h3, h2);
    // Captures, castling and promotions touch neither history nor killers.
    const uint32_t before2 = h2, before3 = h3;
    for (const uint32_t flags : {MOVE_CAPTURE, MOVE_CASTLE, MOVE_PROMOTION | MOVE_PAWN}) {
        historyReward(mainWorker(), makeMoveWord(56, 48, EMPTY, flags), 8);
        historyPenalty(mainWorker(), makeMoveWord(56, 40, EMPTY, flags), 0, 8, 0);
        updateKillers(mainWorker(), makeMoveWord(56, 48, EMPTY, flags), 29900);
    }
    EXPECT_EQ(h2, before2);
    EXPECT_EQ(h3, before3);
    EXPECT_EQ(mainWorker().killer1[0], 0u);
    EXPECT_EQ(mainWorker().mateKiller[0], 0u);
    // Rewards at depths up to 256 bring the value close to 65536 but never
    // past it, far below the killers' scores; penalties never take it below 0.
    for (int32_t i = 0; i < 1000; i++) historyReward(mainWorker(), a1a2, 1 + i % 256);
    EXPECT_GT(h2, 60000u);
    EXPECT_LE(h2, 65536u);
    for (int32_t i = 0; i < 1000; i++) historyPenalty(mainWorker(), a1a2, 0, 1 + i % 256, 0);
    EXPECT_LT(h2, start);
    // The newest killer is killer 1, the one before it killer 2; a killer
    // found again does not push the other out. A mate score makes it the mate
    // killer too.
    updateKillers(mainWorker(), a1a2, 100);
    updateKillers(mainWorker(), a1a3, 29900);
    updateKillers(mainWorker(), a1a3, 100);
    EXPECT_EQ(mainWorker().killer1[0], a1a3);
    EXPECT_EQ(mainWorker().killer2[0], a1a2);
    EXPECT_EQ(mainWorker().mateKiller[0], a1a3);
    resetOrderingTables(mainWorker());
}

TEST(Search, PickersAndFollowingThePreviousLine) {
    setUp("4k3/8/8/8/8/8/8/R3K3 w - -");
    mainWorker().firstMove[0] = 0;
    mainWorker().firstMove[1] = 5;
    const int32_t scores[5] = {-20000, 300, 700, 700, -3000};
    for (int32_t i = 0; i < 5; i++) mainWorker().moveStack[i] = {Move(100 + i), scores[i]};
    pickBest(mainWorker(), 0);
    EXPECT_EQ(mainWorker().moveStack[0].move, 102u);  // highest, earliest among equals
    pickHashFirst(mainWorker(), 1, 104);
    EXPECT_EQ(mainWorker().moveStack[1].move, 104u);  // the hash move at once, whatever its score
    pickHashFirst(mainWorker(), 2, 999);
    EXPECT_EQ(mainWorker().moveStack[2].move, 103u);
    for (int32_t i = 0; i < 5; i++) mainWorker().moveStack[i] = {Move(100 + i), -20000};
    pickBest(mainWorker(), 1);
    EXPECT_EQ(mainWorker().moveStack[1].move, 101u);  // nothing above -10000: the entry itself
    // Following: the move of row 0 at this ply gets the follow score.
    mainWorker().followPv = true;
    mainWorker().pvTable[0][0] = 103;
    markFollowPv(mainWorker());
    EXPECT_TRUE(mainWorker().followPv);
    for (int32_t i = 0; i < 5; i++) {
        if (mainWorker().moveStack[i].move == 103u) {
            EXPECT_EQ(mainWorker().moveStack[i].score, kFollowPvScore);
        }
    }
    mainWorker().pvTable[0][0] = 999;
    markFollowPv(mainWorker());
    EXPECT_FALSE(mainWorker().followPv);
    // Every fourth node entered while following carries the flag.
    mainWorker().followPv = true;
    mainWorker().followPvCounter = 0;
    const bool flags[5] = {enterFollowPvNode(mainWorker()), enterFollowPvNode(mainWorker()), enterFollowPvNode(mainWorker()), enterFollowPvNode(mainWorker()),
                           enterFollowPvNode(mainWorker())};
    EXPECT_FALSE(flags[0] || flags[1] || flags[2] || flags[4]);
    EXPECT_TRUE(flags[3]);
    mainWorker().followPv = false;
}

TEST(Search, AStaleSlotMoveIsCheckedBeforeItIsSearched) {
    // The node's principal-variation slot keeps the move an earlier node at
    // the same ply left there. Quiescence stores it with the stand-pat score
    // (no capture or check here raises alpha), so the zero-window search
    // meets it as its hash move. Black's rook pins the knight; b7 is blocked.
    const char* fen = "1n1r2k1/pP5p/8/8/8/8/3N3P/3K4 w - -";
    struct Outcome {
        int32_t score;
        uint32_t nodes;
        bool failsHigh;  // the score reaches the stand-pat score, the window's beta
    };
    auto searchWithSlot = [&](Move stale) {
        seedRandom(1);  // the same hash keys on every run
        setUp(fen);
        setTunableDefaults();
        setEngineState(ENGINE_NORMAL);
        setNodeRate(0);
        clearStopRequest();
        gTimeControlType = TIME_CONTROL_FIXED;
        setFixedSearch(14400000, 3);
        gTimeLeft = 0;
        setSearchLimits(1);
        resetOrderingTables(mainWorker());
        mainWorker().pvTable[0][0] = stale;
        const int32_t standPat = qsearch(mainWorker(), -MATE_VALUE, MATE_VALUE, 0);
        Move stored = 0;
        int32_t ttScore;
        EXPECT_EQ(ttProbe(mainWorker(), 0, &ttScore, &stored), BOUND_EXACT);
        EXPECT_EQ(stored, stale);
        EXPECT_EQ(ttScore, standPat);
        const Position before = mainWorker().pos;
        mainWorker().nodeCount = 0;
        const int32_t score = zwSearch(mainWorker(), standPat - 1, standPat, 8, false, false);  // no null move first
        EXPECT_EQ(mainWorker().pos.hashKey, before.hashKey);
        EXPECT_EQ(mainWorker().pos.pawnKey, before.pawnKey);
        EXPECT_EQ(mainWorker().pos.occupied, before.occupied);
        EXPECT_TRUE(std::equal(mainWorker().pos.piece, mainWorker().pos.piece + 64, before.piece));
        EXPECT_EQ(mainWorker().pos.ply, 0);
        EXPECT_EQ(mainWorker().pos.hply, before.hply);
        return Outcome{score, mainWorker().nodeCount, score >= standPat};
    };
    // A move whose from-square is empty here is rejected at the first test;
    // so are the moves below, none of which any generator lists here: the
    // search is the same move for move.
    const Outcome reference = searchWithSlot(makeMoveWord(sq('e', 5), sq('e', 6), EMPTY, 0));
    EXPECT_GT(reference.nodes, 100u);
    const std::pair<const char*, Move> rejected[] = {
        {"an enemy man on its from-square", makeMoveWord(sq('d', 8), sq('d', 3), EMPTY, 0)},
        {"a promotion", makeMoveWord(sq('b', 7), sq('b', 8), QUEEN, MOVE_PAWN | MOVE_PROMOTION)},
        {"not a move of the man there", makeMoveWord(sq('d', 2), sq('d', 4), EMPTY, 0)},
    };
    for (const auto& [what, stale] : rejected) {
        const Outcome o = searchWithSlot(stale);
        EXPECT_EQ(o.score, reference.score) << what;
        EXPECT_EQ(o.nodes, reference.nodes) << what;
    }
    // The pinned knight's move is generated but illegal, and a capture word
    // for a square that is empty here becomes the generator's quiet move of
    // the same squares. Both only change the order of the moves; the verdict
    // on the window stays.
    for (const Move stale : {makeMoveWord(sq('d', 2), sq('f', 3), EMPTY, 0),
                             makeMoveWord(sq('d', 1), sq('e', 2), EMPTY, MOVE_CAPTURE)}) {
        const Outcome o = searchWithSlot(stale);
        EXPECT_EQ(o.failsHigh, reference.failsHigh);
        EXPECT_GT(o.nodes, 100u);
    }
}

// A fixed-depth search on the worker, from the set-up a fresh process makes:
// the same keys (the generator seeded as at start-up) and an empty table.
uint32_t nodesOn(SearchWorker& w, const char* fen, int32_t depth) {
    seedRandom(1);
    setUpFixedDepth(fen, depth);
    w.copyGameFrom(gameBoard());
    think(w, OutputMode::Silent, SearchPurpose::Test);
    return w.nodeCount;
}

std::unique_ptr<SearchWorker> freshWorker() {
    auto w = std::make_unique<SearchWorker>();
    EXPECT_EQ(reserveWorkerTables(*w, 1), nullptr);
    return w;
}

TEST(Search, WorkersShareNothingButTheTable) {
    // Nothing of one worker's search reaches another's: fresh workers count
    // the same nodes in either order, and so do the main worker after every
    // test before this one and a worker that searched another position first.
    const char* p1 = "r1bq1rk1/ppp1npbp/3p1np1/3Pp3/2P1P3/2N2N2/PP2BPPP/R1BQ1RK1 w - -";
    const char* p2 = "8/5pk1/6p1/8/3R4/6P1/5PK1/3r4 w - -";
    auto a = freshWorker(), b = freshWorker();
    const uint32_t first = nodesOn(*a, p1, 6), second = nodesOn(*b, p2, 8);
    EXPECT_GT(first, 1000u);
    EXPECT_GT(second, 1000u);
    auto c = freshWorker(), d = freshWorker();
    EXPECT_EQ(nodesOn(*c, p2, 8), second);
    EXPECT_EQ(nodesOn(*d, p1, 6), first);
    EXPECT_EQ(nodesOn(mainWorker(), p1, 6), first);
    EXPECT_EQ(nodesOn(*a, p2, 8), second);
    EXPECT_EQ(nodesOn(*b, p1, 6), first);
}

TEST(Search, HelpersSearchBesideTheMainWorkerAndEndWithIt) {
    const char* fen = "r1bq1rk1/ppp1npbp/3p1np1/3Pp3/2P1P3/2N2N2/PP2BPPP/R1BQ1RK1 w - -";
    ASSERT_EQ(setSearchThreads(3, 1), 3);
    // An analysis runs the helpers: their nodes count with the main worker's,
    // and the move is the main worker's, legal at the root.
    setUpFixedDepth(fen, 7);
    think(workerOnGame(), OutputMode::Silent, SearchPurpose::Analysis);
    SearchWorker& w = mainWorker();
    EXPECT_GT(nodesOfAllWorkers(w), uint64_t(w.nodeCount));
    EXPECT_EQ(w.depthReached, 7);
    EXPECT_TRUE(isMoveToPlay(workerOnGame(), w.bestMove));
    // A test command's search runs alone, whatever the threads, and counts
    // exactly the nodes of a search with one thread.
    seedRandom(1);
    bestMoveAt(fen, 6);
    const uint32_t alone = w.nodeCount;
    EXPECT_EQ(nodesOfAllWorkers(w), uint64_t(alone));
    EXPECT_EQ(setSearchThreads(1, 1), 1);
    seedRandom(1);
    bestMoveAt(fen, 6);
    EXPECT_EQ(w.nodeCount, alone);
}

TEST(Search, SameNodeCountsOnEveryRun) {
    // Every set-up draws fresh hash keys, which place the positions in other
    // table slots; with the same keys the search is the same.
    auto nodes = [] {
        seedRandom(1);
        bestMoveAt("r1bq1rk1/ppp1npbp/3p1np1/3Pp3/2P1P3/2N2N2/PP2BPPP/R1BQ1RK1 w - -", 6);
        return mainWorker().nodeCount;
    };
    const uint32_t first = nodes();
    EXPECT_GT(first, 1000u);
    EXPECT_EQ(nodes(), first);
}

}  // namespace
