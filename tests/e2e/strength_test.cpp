// Play below full strength through the interfaces: the options and ini keys,
// the same moves under a fixed seed in every build, legal moves on a clock,
// and full strength left as it was.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <regex>

#include "bench_run.h"
#include "engine_process.h"
#include "engine_session.h"
#include "text_checks.h"

namespace {

// A directory whose morvantix.ini holds the given lines.
std::string dirWithIni(const std::string& ini) {
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/morvantix.ini") << ini;
    return dir;
}

std::string uciRun(const std::string& commands, const std::string& dir = "",
                   const std::string& path = enginePaths()[0]) {
    const EngineRun run = runEngine(path, "uci\n" + commands, dir);
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    return run.output;
}

TEST(Strength, UciOptionsAreClampedAndTheStrengthIsReported) {
    const std::string out = uciRun(
        "setoption name UCI_LimitStrength value true\n"
        "setoption name UCI_Elo value 99999\n"
        "setoption name UCI_Elo value -7\n"
        "setoption name UCI_Elo value many\n"
        "setoption name UCI_Elo\n"
        "setoption name UCI_LimitStrength value maybe\n"
        "setoption name UCI_LimitStrength value false\n"
        "setoption name Skill Level value 25\n"
        "setoption name skill level value 3\n"
        "setoption name Skill Level value -1\n"
        "setoption name Threads value 2\n"
        "setoption name Skill Level value 20\n"
        "setoption name Threads value 1\n"
        "quit\n");
    expectInOrder(out, {"option name UCI_LimitStrength type check default false\n",
                        "option name UCI_Elo type spin default 2550 min 850 max 2550\n",
                        "option name Skill Level type spin default 20 min 0 max 20\n", "uciok\n",
                        "info string strength: Elo 2550\n", "info string strength: Elo 2550\n",
                        "info string strength: Elo 850\n", "info string invalid value \"many\" for option UCI_Elo\n",
                        "info string option UCI_Elo needs a value\n",
                        "info string invalid value \"maybe\" for option UCI_LimitStrength\n",
                        "info string strength: full\n", "info string strength: full\n",
                        "info string strength: skill level 3 (Elo ", "info string strength: skill level 0 (Elo ",
                        // Below full strength the search has one thread, whatever Threads says.
                        "info string Threads 2\n", "info string strength: skill level 0 (Elo ",
                        ", searched with one thread\n", "info string strength: full\n", "info string Threads 1\n"});
    EXPECT_EQ(out.find("Threads 1\ninfo string strength"), std::string::npos);
}

TEST(Strength, IniKeysAreClampedAndEchoed) {
    const EngineRun run = runEngine(enginePaths()[0], "bye\n",
                                    dirWithIni("Limit_Strength ON\nElo 200\nSkill_Level 30\nStrength_Seed -4\n"
                                               "Elo many\nSkill_Level 7\n"));
    expectInOrder(run.output, {"# Limit Strength           : ON\n", "# Elo                      : 850\n",
                               "# Skill Level              : 20\n", "# Strength Seed            : 0\n",
                               "# The value of option Elo is not a number; the line is ignored.\n",
                               "# Skill Level              : 7\n"});
}

// Middle-game and endgame positions with many sensible moves.
const char* const kPositions[] = {
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r2q1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N2N2/PP2BPPP/R2QKB1R w KQ - 0 9",
    "2r3k1/pp3ppp/2n1p3/3p4/3P4/2P1PN2/P4PPP/2R3K1 b - - 0 20",
    "r1b2rk1/pp1nqppp/2p1p3/3p4/2PP4/2NBPN2/PP3PPP/R2Q1RK1 b - - 0 10",
    "8/5pk1/6p1/3R4/5P2/6PK/1r6/8 w - - 0 40",
    "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2",
    "r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPP2PPP/R1BQ1RK1 w - - 0 7",
    "3r2k1/1p3ppp/p1n5/4p3/4P3/P1N2P2/1P4PP/3R2K1 w - - 0 25",
    "r4rk1/1bq1bppp/p2ppn2/1p6/3NP3/1BN1B3/PPP1QPPP/R4RK1 w - - 0 13",
};

// The moves chosen in the positions above; `go depth` leaves the clock out of
// it (a level's own depth is below 40).
std::string positionsScript(const std::string& go = "go depth 40\n") {
    std::string script;
    for (const char* fen : kPositions) script += "position fen " + std::string(fen) + "\n" + go;
    return script;  // the end of input lets the last search finish
}

TEST(Strength, AFixedSeedChoosesTheSameMovesInEveryBuild) {
    const std::vector<std::string> reference =
        bestMoves(uciRun(positionsScript(), dirWithIni("Skill_Level 2\nStrength_Seed 7\n")));
    ASSERT_EQ(reference.size(), std::size(kPositions));
    for (const std::string& path : enginePaths())
        EXPECT_EQ(bestMoves(uciRun(positionsScript(), dirWithIni("Skill_Level 2\nStrength_Seed 7\n"), path)), reference)
            << path;
    // Other seeds choose otherwise somewhere, and full strength too.
    int32_t differing = 0;
    for (const char* seed : {"8", "9", "10"})
        differing += bestMoves(uciRun(positionsScript(), dirWithIni(std::string("Skill_Level 2\nStrength_Seed ") +
                                                                    seed + "\n"))) != reference;
    EXPECT_GE(differing, 2);
    EXPECT_NE(bestMoves(uciRun(positionsScript("go depth 6\n"))), reference);
}

TEST(Strength, TheLastInfoLineIsTheLinePlayed) {
    // An interface keeps the last line it is told as the engine's choice: at a
    // level that line is the move played, also when it is not the best.
    const std::string out = uciRun(positionsScript(), dirWithIni("Skill_Level 0\nStrength_Seed 5\n"));
    static const std::regex infoLine(R"(info depth (\d+) [^\n]* pv (\S+)[^\n]*\n)");
    int32_t playedNotBest = 0;
    size_t from = 0;
    for (const std::string& move : bestMoves(out)) {
        const size_t at = out.find("bestmove " + move, from);
        const std::string search = out.substr(from, at - from);
        std::vector<std::smatch> lines;
        for (std::sregex_iterator it(search.begin(), search.end(), infoLine), end; it != end; ++it) lines.push_back(*it);
        from = at + 1;
        if (lines.empty()) continue;  // the level's budget ended the first iteration
        EXPECT_EQ(lines.back()[2], move) << search;
        const size_t n = lines.size();
        playedNotBest += n >= 2 && lines[n - 2][1] == lines[n - 1][1] && lines[n - 2][2] != move;
    }
    EXPECT_GE(playedNotBest, 1) << out;
}

// The mover's clock and the moves of a game the engine plays against itself.
struct ClockGame {
    std::string moves;
    int64_t clockMs[2];
};

TEST(Strength, ALimitedGameOnAClockIsLegalAndInTime) {
    EngineSession s{enginePaths()[0], dirWithIni("Limit_Strength ON\nElo 1300\nStrength_Seed 3\n")};
    s.send("uci\n");
    ASSERT_TRUE(s.waitFor("uciok\n"));
    ClockGame g{"", {3000, 3000}};
    using Clock = std::chrono::steady_clock;
    for (int32_t ply = 0; ply < 40; ply++) {
        const size_t from = s.output().size();
        s.send("position startpos moves" + g.moves + "\ngo wtime " + std::to_string(g.clockMs[0]) + " btime " +
               std::to_string(g.clockMs[1]) + " winc 100 binc 100\n");
        const auto start = Clock::now();
        ASSERT_TRUE(s.waitFor("bestmove ", 20000, from)) << s.output();
        ASSERT_TRUE(s.waitFor("\n", 20000, s.output().find("bestmove ", from)));
        const int64_t used = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        g.clockMs[ply % 2] += 100 - used;
        ASSERT_GT(g.clockMs[ply % 2], 0) << "flag fell at ply " << ply;
        std::smatch m;
        const std::string tail = s.output().substr(from);
        ASSERT_TRUE(std::regex_search(tail, m, std::regex(R"(bestmove (\S+))")));
        if (m[1] == "0000") break;  // the game is over
        g.moves += " " + m[1].str();
    }
    s.send("position startpos moves" + g.moves + "\nisready\n");
    ASSERT_TRUE(s.waitFor("readyok\n"));
    EXPECT_EQ(s.output().find("illegal"), std::string::npos) << s.output();
    EXPECT_EQ(s.finish(), 0);
}

TEST(Strength, ALowLevelAnswersSoonButNotAtOnce) {
    // A long clock: the weakest level holds its move back half a second,
    // and no more than that (a person's pause, not a long think).
    EngineSession s{enginePaths()[0], dirWithIni("Skill_Level 0\n")};
    s.send("uci\n");
    ASSERT_TRUE(s.waitFor("uciok\n"));
    const auto start = std::chrono::steady_clock::now();
    s.send("position startpos moves e2e4\ngo wtime 3600000 btime 3600000\n");
    ASSERT_TRUE(s.waitFor("bestmove "));
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(ms, 480);
    EXPECT_LT(ms, 10000);
    // "stop" during the pause plays the move at once.
    const size_t from = s.output().size();
    s.send("position startpos moves e2e4 e7e5\ngo wtime 3600000 btime 3600000\n");
    s.send("stop\n");
    EXPECT_TRUE(s.waitFor("bestmove ", 20000, from));
    EXPECT_EQ(s.finish(), 0);
}

TEST(Strength, FullStrengthSearchesAreUntouched) {
    // Bench, hints and the test commands search at full strength whatever the settings.
    const std::string limited = dirWithIni("Limit_Strength ON\nElo 1000\n");
    const BenchRun plain = runBench(enginePaths()[0], -1);
    const BenchRun atLimit = runBench(enginePaths()[0], -1, limited);
    EXPECT_GT(plain.totalNodes, 0);
    EXPECT_EQ(atLimit.totalNodes, plain.totalNodes);
    EXPECT_EQ(atLimit.lines, plain.lines);

    // A level set and taken back leaves no limit behind.
    const std::string search = "ucinewgame\nposition startpos moves e2e4 c7c5\ngo depth 7\n";
    const std::string out = uciRun("setoption name Skill Level value 1\n" + search +
                                   "setoption name Skill Level value 20\n" + search);
    const std::string fresh = uciRun(search);
    const size_t last = out.rfind("\ninfo depth 7 ");
    ASSERT_NE(last, std::string::npos) << out;
    const std::string tail = out.substr(last, out.find('\n', last + 1) - last);
    const size_t freshLine = fresh.rfind("\ninfo depth 7 ");
    ASSERT_NE(freshLine, std::string::npos);
    const std::regex nodes(R"(nodes (\d+))");
    std::smatch a, b;
    const std::string freshTail = fresh.substr(freshLine, fresh.find('\n', freshLine + 1) - freshLine);
    ASSERT_TRUE(std::regex_search(tail, a, nodes));
    ASSERT_TRUE(std::regex_search(freshTail, b, nodes));
    EXPECT_EQ(a[1], b[1]);

    // An analysis at a limited strength goes as deep as the interface lets it.
    EngineSession s{enginePaths()[0], dirWithIni("Skill_Level 0\n")};
    s.send("uci\nposition startpos\ngo infinite\n");
    EXPECT_TRUE(s.waitFor("info depth 6 ")) << s.output();
    s.send("stop\n");
    EXPECT_TRUE(s.waitFor("bestmove "));
    EXPECT_EQ(s.finish(), 0);
}

}  // namespace
