// The UCI protocol over pipes: scripted sessions (all commands sent at once,
// as a script or a test harness sends them) and interactive ones (a search
// running while the interface speaks).
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

#include "engine_process.h"
#include "engine_session.h"
#include "text_checks.h"

namespace {

const std::string& engine() {
    static const std::string first = enginePaths()[0];
    return first;
}

std::string uciSession(const std::string& commands, const std::string& path = engine(), const std::string& dir = "") {
    const EngineRun run = runEngine(path, "uci\n" + commands, dir);
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    return run.output;
}

// Every "bestmove" line's move, in order.
std::vector<std::string> bestMoves(const std::string& out) {
    static const std::regex line(R"(\nbestmove (\S+))");
    std::vector<std::string> moves;
    for (std::sregex_iterator it(out.begin(), out.end(), line), end; it != end; ++it) moves.push_back((*it)[1]);
    return moves;
}

// The node count of the last "info depth <depth>" line without a bound.
long nodesAtDepth(const std::string& out, int depth) {
    const std::regex line("\ninfo depth " + std::to_string(depth) + R"( score (cp|mate) -?\d+ nodes (\d+) )");
    long nodes = -1;
    for (std::sregex_iterator it(out.begin(), out.end(), line), end; it != end; ++it) nodes = std::stol((*it)[2]);
    return nodes;
}

TEST(Uci, HandshakeNamesTheEngineAndItsOptions) {
    for (const std::string& path : enginePaths()) {
        const std::string out = uciSession("isready\nquit\n", path);
        expectInOrder(out, {"\nid name " + engineNameFor(path) + "\n", "id author ",
                            "option name Hash type spin default 32 min 32 max 1024\n",
                            "option name Clear Hash type button\n", "option name OwnBook type check default false\n",
                            "option name Book File type string default morvantix.bin\n",
                            "option name Contempt type spin default 0 min -100 max 100\n",
                            "option name Egbb Path type string default <empty>\n", "uciok\n", "readyok\n"});
    }
}

TEST(Uci, FixedDepthSearchVisitsTheSameNodesInEveryBuild) {
    // The end of input lets a search with a limit finish.
    const std::string script = "position startpos moves e2e4 c7c5 g1f3\ngo depth 7\n";
    const long reference = nodesAtDepth(uciSession(script), 7);
    ASSERT_GT(reference, 0);
    for (const std::string& path : enginePaths()) EXPECT_EQ(nodesAtDepth(uciSession(script, path), 7), reference) << path;
}

TEST(Uci, PositionsWithMovesAndRejectedInputLeaveThePositionAsItWas) {
    // Kings only; after a1a2 Black's king is to move, so every legal answer starts at h8.
    const std::string base = "position fen 7k/8/8/8/8/8/8/K7 w - - 0 1 moves a1a2\n";
    const std::string rejected[] = {
        "position fen 7k/8/8/8/8/8/8/K7 w - - 0 1 moves a1a2 h8h6\n",  // illegal move
        "position fen 7k/8/8/8/8/8/8/K7 w - - 0 1 moves a1a2 zz\n",    // not a move
        "position fen 8/8/8/8/8/8/8/8 w - - 0 1\n",                    // no kings
        "position fen\n",
        "position nonsense\n",
        "position startpos e2e4\n",
        "position startpos moves " + std::string(20000, 'e') + "\n",   // longer than a line may be
    };
    std::string script = base;
    for (const std::string& r : rejected) script += r + "go depth 1\n";
    const std::string out = uciSession(script);
    const std::vector<std::string> moves = bestMoves(out);
    ASSERT_EQ(moves.size(), std::size(rejected)) << out;
    for (const std::string& m : moves) EXPECT_EQ(m.substr(0, 2), "h8") << out;
    EXPECT_TRUE(contains(out, "info string error: illegal move h8h6; position unchanged\n")) << out;
    EXPECT_TRUE(contains(out, "info string error: illegal position: ")) << out;
    EXPECT_TRUE(contains(out, "info string error: a line longer than 16383 characters is ignored\n")) << out;
}

TEST(Uci, GameEndsAndMateScores) {
    const std::string out = uciSession(
        // Black is mated: no move, and the score says so.
        "position fen 7k/6Q1/6K1/8/8/8/8/8 b - - 0 1\ngo depth 3\n"
        // Black is stalemated.
        "position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1\ngo depth 3\n"
        // White mates in two: Kg6, then Ra8.
        "position fen 7k/8/5K2/8/8/8/8/R7 w - - 0 1\ngo depth 5\n"
        // Then in one.
        "position fen 7k/8/5K2/8/8/8/8/R7 w - - 0 1 moves f6g6 h8g8\ngo depth 4\n");
    expectInOrder(out, {"info depth 0 score mate 0\nbestmove 0000\n", "info depth 0 score cp 0\nbestmove 0000\n",
                        " score mate 2 ", "bestmove ", " score mate 1 ", "bestmove a1a8"});
    // Black, to move in between, is mated next move whatever it does.
    const std::string blackView = uciSession("position fen 7k/8/5K2/8/8/8/8/R7 w - - 0 1 moves f6g6\ngo depth 4\n");
    EXPECT_TRUE(contains(blackView, " score mate -1 ")) << blackView;
}

TEST(Uci, CommandsAfterAGoWaitForItsMoveAndRunInOrder) {
    const std::string out = uciSession(
        "position startpos\ngo depth 5\nisready\nposition startpos moves e2e4\ngo nodes 3000\n"
        "setoption name Hash value 64\nisready\ngo depth 2\n");
    // The first isready is answered during the search; the second waits its turn.
    expectInOrder(out, {"readyok\n", "bestmove ", "bestmove ", "readyok\n", "bestmove "});
    EXPECT_EQ(bestMoves(out).size(), 3u);
    // The node limit is kept to within one check interval.
    static const std::regex info(R"(\ninfo depth \d+ score cp -?\d+( \w+bound)? nodes (\d+) )");
    const std::string second = out.substr(out.find("bestmove "), out.rfind("readyok") - out.find("bestmove "));
    for (std::sregex_iterator it(second.begin(), second.end(), info), end; it != end; ++it)
        EXPECT_LE(std::stol((*it)[2]), 3000 + 1024);
}

TEST(Uci, GoLimitsAtTheirEdgesStillGiveAMove) {
    const std::string out = uciSession(
        "position startpos\ngo depth 0\ngo nodes 0\ngo wtime -500 btime -500\ngo wtime 5 btime 5\n"
        "go movetime 99999999999 depth 3\ngo wtime\ngo depth 1\n");
    EXPECT_EQ(bestMoves(out).size(), 6u) << out;
    expectInOrder(out, {"bestmove ", "bestmove ", "bestmove ", "bestmove ", "info depth 3 ", "bestmove ",
                        "info string missing or invalid number after wtime\n", "bestmove "});
}

TEST(Uci, OptionsAreCheckedAndApplied) {
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/book.bin", std::ios::binary) << readFile(std::string(TEST_DATA_DIR) + "/test-book.bin");
    const std::string out = uciSession(
        "setoption name Hash value lots\nsetoption name Nonsense value 3\nsetoption name Contempt\n"
        "setoption name Hash value 1\nsetoption name clear hash\n"
        "setoption name OwnBook value true\nsetoption name Book File value book.bin\n"
        "position startpos\ngo depth 3\n", engine(), dir);
    expectInOrder(out, {"info string invalid value \"lots\" for option Hash\n",
                        "info string unknown option \"Nonsense\"\n", "info string option Contempt needs a value\n",
                        "info string book move ", "bestmove "});
    EXPECT_FALSE(contains(out, "info depth")) << out;
}

TEST(Uci, BitbasesOfTheSettingsLoadAtTheHandshake) {
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/morvantix.ini") << "Use_Egbb ON\nEgbb_Path " << EGBB_DIR << "\nEgbb_Cache_Size 8\n";
    const std::string out = uciSession("position fen 8/8/8/8/8/2k5/7r/K7 w - - 0 1\ngo depth 3\n", engine(), dir);
    expectInOrder(out, {"info string bitbases loaded from ", "uciok\n", "bestmove "});
    // Children of the root are probed: a lost rook ending reads as a distant mate.
    static const std::regex depth1(R"(\ninfo depth 1 score (cp|mate) (-?\d+) )");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, depth1)) << out;
    EXPECT_TRUE(m[1] == "mate" || std::stoi(m[2]) < -28000) << out;
}

// Interactive: the interface speaks while the engine searches.
class UciLive : public ::testing::Test {
protected:
    EngineSession s{engine()};
    void SetUp() override {
        s.send("uci\n");
        ASSERT_TRUE(s.waitFor("uciok\n"));
    }
    // Waits for the next bestmove after `from` and returns where its line ends.
    size_t bestMoveAfter(size_t from) {
        EXPECT_TRUE(s.waitFor("bestmove ", 20000, from)) << s.output();
        const size_t at = s.output().find("bestmove ", from);
        return at == std::string::npos ? from : at + 9;
    }
    // An analysis answers isready without giving its move; stop gives it.
    void isreadyThenStop() {
        s.send("isready\n");
        ASSERT_TRUE(s.waitFor("readyok\n"));
        EXPECT_FALSE(contains(s.output(), "bestmove"));
        s.send("stop\n");
        bestMoveAfter(0);
    }
};

TEST_F(UciLive, InfiniteAnalysisAnswersIsreadyAndEndsOnStop) {
    s.send("position startpos\ngo infinite\n");
    ASSERT_TRUE(s.waitFor("info depth 6 "));
    isreadyThenStop();
    s.send("quit\n");
    EXPECT_EQ(s.finish(), 0);
}

TEST_F(UciLive, AnalysisThatEndsByItselfWaitsForStop) {
    // Mate in one is found at once, and an analysis stops deepening on a short mate.
    s.send("position fen 7k/8/5K2/8/8/8/8/R7 w - - 0 1 moves f6g6 h8g8\ngo infinite\n");
    ASSERT_TRUE(s.waitFor(" score mate 1 "));
    isreadyThenStop();
    EXPECT_TRUE(contains(s.output(), "bestmove a1a8"));
    s.send("quit\n");
    EXPECT_EQ(s.finish(), 0);
}

TEST_F(UciLive, PonderThenPonderhitOrStop) {
    s.send("position startpos moves e2e4 e7e5\ngo ponder wtime 2000 btime 2000 winc 100 binc 100\n");
    ASSERT_TRUE(s.waitFor("info depth 5 "));
    EXPECT_FALSE(contains(s.output(), "bestmove"));
    s.send("ponderhit\n");  // a timed search from now: it ends by itself
    size_t at = bestMoveAfter(0);
    s.send("position startpos moves e2e4 e7e5 g1f3\ngo ponder wtime 2000 btime 2000\n");
    ASSERT_TRUE(s.waitFor("info depth 5 ", 20000, at));
    s.send("stop\n");
    at = bestMoveAfter(at);
    // A new position arrives during an analysis without a stop: the analysis ends first.
    s.send("go infinite\n");
    ASSERT_TRUE(s.waitFor("info depth 4 ", 20000, at));
    s.send("position startpos\ngo depth 2\n");
    at = bestMoveAfter(bestMoveAfter(at));
    s.send("quit\n");
    EXPECT_EQ(s.finish(), 0);
    EXPECT_EQ(bestMoves(s.output()).size(), 4u) << s.output();
}

}  // namespace
