// Input at the edges of what the engine holds: a game at the end of the move
// history, parameters and clocks near the 32-bit limits, and what real
// interfaces send that the engine once mishandled. The sanitizer build runs
// these too, so an overflow or an out-of-bounds write fails them there.
#include <gtest/gtest.h>

#include <regex>

#include "engine_process.h"
#include "engine_session.h"
#include "text_checks.h"

namespace {

// 999 knight moves: the game then stands at the end of the move history.
std::string movesToTheHistoryLimit() {
    std::string moves;
    for (int i = 0; i < 250; i++) moves += "g1f3\ng8f6\nf3g1\nf6g8\n";
    return moves.substr(0, moves.size() - 5);
}

TEST(Limits, ConsoleSearchAndPerftAtTheEndOfTheHistory) {
    const EngineRun run = runEngine(enginePaths()[0], movesToTheHistoryLimit() + "perft 3\nplay\nfen\nbye\n");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_TRUE(contains(run.output, " Perft 3 Summary\n Nodes: ")) << run.output.substr(run.output.size() - 2000);
    EXPECT_FALSE(contains(run.output, "Nodes/sec: inf"));
    // The search finds a move but the history has no room to make it.
    EXPECT_TRUE(contains(run.output, "# The move history is full; start a new game.\n"
                                     "rnbqkb1r/pppppppp/5n2/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -\nBye bye!"));
}

TEST(Limits, XBoardSearchesAtTheEndOfTheHistory) {
    const EngineRun run = runEngine(enginePaths()[0], "xboard\nprotover 2\nnew\nforce\n" + movesToTheHistoryLimit() +
                                                          "sd 3\nhint\ngo\nping 7\nquit\n");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_TRUE(contains(run.output, "Hint: ")) << run.output.substr(run.output.size() - 2000);
    EXPECT_TRUE(contains(run.output, "# The move history is full; no more moves.\n"));
    EXPECT_TRUE(contains(run.output, "pong 7\n"));
}

TEST(Limits, TunableParametersAtTheirExtremes) {
    const char* names[] = {"NonPvLE", "PvLE", "PawnAttacksKing", "PieceBehindPawnAttacksKing", "MobilityFactor",
                           "LMPMinLimit", "KingPcsqOpAdjustmentValue", "KingPcsqEnAdjustmentValue",
                           "KingPcsqOpFactor", "KingPcsqEnFactor", "SafeKnightOutpost",
                           "SafeProtectedKnightOutpost", "KnightOutpostFactorOp", "KnightOutpostFactorEn",
                           "ComboAttackFactorOp", "ComboAttackFactorEn", "BlockedPasserPenaltyFactorOp",
                           "BlockedPasserPenaltyFactorEn"};
    // A middlegame with every kind of term: outposts, storms, passers, king attacks.
    const std::string position = "setboard r1bq1rk1/pp3pbp/3p1np1/2pPn3/4PP2/2N2N2/PPQ1B1PP/R1B1K2R w KQ -\n";
    for (const char* extreme : {"2147483647", "-2147483648", "99999999999"}) {
        std::string input = position;
        for (const char* name : names) input += std::string("setvalue ") + name + " " + extreme + "\n";
        input += "eval\nsd 4\nplay\nbye\n";
        const EngineRun run = runEngine(enginePaths()[0], input);
        EXPECT_EQ(run.exitStatus, 0) << extreme;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(run.output, m, std::regex(R"(posEval = (-?\d+), sideToMove = 0)"))) << extreme;
        // Evaluations stay short of the mate scores.
        EXPECT_LT(std::abs(std::stoi(m[1])), 29800) << extreme;
        EXPECT_TRUE(std::regex_search(run.output, std::regex(R"(\n1\. [a-h][1-8][a-h][1-8]\n)"))) << extreme;
    }
}

// The time line the engine prints when it starts a search: TimeLeft, CT, MT, AT.
std::vector<double> timeLine(const std::string& output) {
    std::smatch m;
    static const std::regex line(R"(# TimeLeft=(-?[\d.]+)ms\. CT=(-?\d+)ms, MT=(-?[\d.]+)ms  AT=(-?[\d.]+)ms\.)");
    if (!std::regex_search(output, m, line)) return {};
    return {std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4])};
}

TEST(Limits, ClockValuesAtTheirExtremes) {
    struct Case {
        const char* clock;
        double minimum, maximum;  // the allotted time (AT) must lie within
    };
    const Case cases[] = {
        {"level 2147483647 2000000 100000\ntime 2147483647\notim 2147483647\n", 50, 2000000000},
        {"level 40 99999999:99 0\ntime 200000000\notim 200000000\n", 50, 2000000000},
        {"level 40 5 0\ntime 100\notim 100\n", 25, 25},      // too little for 40 moves: a fortieth
        {"level 0 0:01 100\ntime 100\notim 100\n", 50, 970},  // an increment larger than the clock
        {"level 40 5 0\ntime 3\notim 3\n", 1, 1},            // a tiny clock: a reserve stays on it
        // Fixed time gets the whole clock, and the first search out of book a
        // sixth more (the soft limit still ends it at the clock).
        {"st 5\ntime 200000000\notim 100\n", 50, 2000000000.0 * 7 / 6},
    };
    for (const Case& c : cases) {
        const EngineRun run = runEngine(enginePaths()[0], std::string("xboard\nprotover 2\nnew\n") + c.clock +
                                                              "post\nsd 3\ngo\nping 1\nquit\n");
        EXPECT_EQ(run.exitStatus, 0) << c.clock;
        const std::vector<double> t = timeLine(run.output);
        ASSERT_EQ(t.size(), 4u) << c.clock << run.output;
        EXPECT_GE(t[3], c.minimum) << c.clock;
        EXPECT_LE(t[3], c.maximum) << c.clock;
        EXPECT_TRUE(std::regex_search(run.output, std::regex(R"(\nmove [a-h][1-8][a-h][1-8]\n)"))) << c.clock;
    }
}

TEST(Limits, WhatRealInterfacesSend) {
    // A rejected feature is taken silently, as an accepted one is.
    std::string out = runEngine(enginePaths()[0], "xboard\nprotover 2\nrejected reuse\nrejected sigterm\n"
                                                  "accepted ping\nping 1\nquit\n").output;
    EXPECT_FALSE(contains(out, "Error")) << out;
    EXPECT_TRUE(contains(out, "pong 1\n"));
    // new lifts a depth limit set by sd: the next search goes deeper than 2.
    out = runEngine(enginePaths()[0], "xboard\nprotover 2\nnew\nsd 2\npost\nst 1\ngo\nnew\nst 1\ngo\nquit\n").output;
    const size_t firstMove = out.find("\nmove ");
    ASSERT_NE(firstMove, std::string::npos) << out;
    EXPECT_FALSE(contains(out.substr(0, firstMove), "\n  3 ")) << out;
    EXPECT_TRUE(contains(out.substr(firstMove), "\n  3 ")) << out;
    // A rejected set-up is told to the interface; the engine plays from the initial position.
    out = runEngine(enginePaths()[0], "xboard\nprotover 2\nnew\nforce\nsetboard 8/8/8/8/8/8/8/8 w - - 0 1\n"
                                      "sd 1\ngo\nquit\n").output;
    EXPECT_TRUE(contains(out, "# fen err: there's no white king\n# reset to orig board position\n"
                              "tellusererror Illegal position: 8/8/8/8/8/8/8/8 w - - 0 1 (there's no white king)\n"))
        << out;
    EXPECT_TRUE(std::regex_search(out, std::regex(R"(\nmove [a-h][27][a-h][34]\n|\nmove [bg]1[a-h]3\n)"))) << out;
}

TEST(Limits, ANodeRateNeverMakesTheEngineDeaf) {
    // With a node rate the searches count nodes instead of the clock; an
    // analysis with a budget of billions of nodes still stops for a command.
    EngineSession engine(enginePaths()[0]);
    engine.send("xboard\nprotover 2\nnew\nnps 2000000000\npost\nanalyze\n");
    ASSERT_TRUE(engine.waitFor("\n  5 ")) << engine.output();
    engine.send("exit\nping 5\n");
    EXPECT_TRUE(engine.waitFor("pong 5\n", 5000)) << engine.output();
    engine.send("quit\n");
    EXPECT_EQ(engine.finish(), 0);
}

}  // namespace
