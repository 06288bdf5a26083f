// The UCI protocol over pipes: scripted sessions (all commands sent at once,
// as a script or a test harness sends them) and interactive ones (a search
// running while the interface speaks).
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <regex>
#include <set>
#include <thread>
#include <vector>

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

// White mates in two: Qd8+ Bxd8, Re8#.
constexpr const char* kMateInTwoText = "position fen r1b2k1r/ppp1bppp/8/1B1Q4/5q2/2P5/PPP2PPP/R3R1K1 w - - 1 1\n";

// The node count of the last "info depth <depth>" line without a bound.
long nodesAtDepth(const std::string& out, int depth) {
    const std::regex line("\ninfo depth " + std::to_string(depth) + R"( seldepth \d+ multipv 1 score (cp|mate) -?\d+ nodes (\d+) )");
    long nodes = -1;
    for (std::sregex_iterator it(out.begin(), out.end(), line), end; it != end; ++it) nodes = std::stol((*it)[2]);
    return nodes;
}

TEST(Uci, HandshakeNamesTheEngineAndItsOptions) {
    for (const std::string& path : enginePaths()) {
        const std::string out = uciSession("isready\nquit\n", path);
        // The 32-bit engine's address space holds no table beyond 1 GB.
        const std::string hashHigh = path.find("w32") != std::string::npos ? "1024" : "65536";
        expectInOrder(out, {"\nid name " + engineNameFor(path) + "\n", "id author ",
                            "option name Hash type spin default 32 min 32 max " + hashHigh + "\n",
                            "option name Clear Hash type button\n", "option name OwnBook type check default false\n",
                            "option name Book File type string default morvantix.bin\n",
                            "option name Contempt type spin default 0 min -100 max 100\n",
                            "option name Egbb Path type string default <empty>\n",
                            "option name Threads type spin default 1 min 1 max 256\n",
                            "option name UCI_Chess960 type check default false\n", "uciok\n", "readyok\n"});
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
        "position startpos moves" + [] { std::string s; for (int i = 0; i < 1100; i++) s += " e2e4"; return s; }() + "\n",  // too many words
    };
    std::string script = base;
    for (const std::string& r : rejected) script += r + "go depth 1\n";
    const std::string out = uciSession(script);
    const std::vector<std::string> moves = bestMoves(out);
    ASSERT_EQ(moves.size(), std::size(rejected)) << out;
    for (const std::string& m : moves) EXPECT_EQ(m.substr(0, 2), "h8") << out;
    EXPECT_TRUE(contains(out, "info string error: illegal move h8h6; position unchanged\n")) << out;
    EXPECT_TRUE(contains(out, "info string error: illegal position: ")) << out;
    EXPECT_TRUE(contains(out, "info string error: a line of 16383 characters or more is ignored\n")) << out;
    EXPECT_TRUE(contains(out, "info string error: a line of more than 1063 words is ignored\n")) << out;
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
    // Each isready is answered during the search it arrived in (the second
    // behind a setoption that waits for the loop); the rest runs in order.
    expectInOrder(out, {"readyok\n", "bestmove ", "readyok\n", "bestmove ", "bestmove "});
    EXPECT_EQ(bestMoves(out).size(), 3u);
    // The node limit is kept to within one check interval.
    static const std::regex info(R"(\ninfo depth \d+ seldepth \d+ multipv 1 score cp -?\d+( \w+bound)? nodes (\d+) )");
    const std::string second = out.substr(out.find("bestmove "), out.rfind("readyok") - out.find("bestmove "));
    for (std::sregex_iterator it(second.begin(), second.end(), info), end; it != end; ++it)
        EXPECT_LE(std::stol((*it)[2]), 3000 + 1024);
}

TEST(Uci, GoLimitsAtTheirEdgesStillGiveAMove) {
    const std::string out = uciSession(
        "position startpos\ngo depth 0\ngo nodes 0\ngo wtime -500 btime -500\ngo wtime 5 btime 5\n"
        "go movetime 99999999999 depth 3\ngo depth 1 wtime\n");
    EXPECT_EQ(bestMoves(out).size(), 6u) << out;
    expectInOrder(out, {"bestmove ", "bestmove ", "bestmove ", "bestmove ", "info depth 3 ", "bestmove ",
                        "info string missing or invalid number after wtime; the word is ignored\n", "bestmove "});
}

TEST(Uci, EveryGoIsAnsweredAndAStoppedSearchKeepsToItsMoves) {
    // A bad number is left out and the rest searched; a search stopped before
    // its first root move answers a move of its searchmoves, with no earlier
    // search (row 0 empty) and after one (row 0 as it left it).
    const std::string out = uciSession(
        "position startpos\ngo infinite searchmoves h2h3\nstop\ngo wtime 1000 btime abc\n"
        "go movetime 100 depth --1\ngo depth 3\ngo infinite searchmoves h2h3\nstop\n"
        "go ponder searchmoves a2a3 b2b3\nstop\n");
    const std::vector<std::string> moves = bestMoves(out);
    ASSERT_EQ(moves.size(), 6u) << out;
    expectInOrder(out, {"bestmove h2h3", "info string missing or invalid number after btime; the word is ignored\n",
                        "bestmove ", "info string missing or invalid number after depth; the word is ignored\n",
                        "bestmove "});
    EXPECT_EQ(moves[4], "h2h3") << out;
    EXPECT_TRUE(moves[5] == "a2a3" || moves[5] == "b2b3") << out;
}

TEST(Uci, ImpossiblePositionsAndFailedBitbaseLoadsAreTold) {
    const std::string out = uciSession(std::string("setoption name Use Egbb value true\n") +
                                       "setoption name Egbb Path value " + EGBB_DIR + "\n" +
                                       "setoption name Egbb Path value /nonexistent/\n"
                                       "position fen 8/8/8/8/8/2k5/7r/K7 w - - 0 1\ngo depth 3\n"
                                       "position fen 8/8/8/8/8/8/8/kK6 b - - 0 1\n"
                                       "position fen 8/8/8/8/8/8/8/kK6 w - - 0 1\ngo depth 1\n");
    // The library of the first path is not used once the second failed.
    expectInOrder(out, {std::string("info string bitbases loaded from \"") + EGBB_DIR + "\"\n",
                        "info string no bitbases found at \"/nonexistent/\"\n", "bestmove "});
    EXPECT_FALSE(contains(out, " tbhits ")) << out;
    // Kings side by side: refused whoever is to move; the rook ending stays.
    const std::string refused = "info string error: illegal position: the side not to move is in check; position unchanged\n";
    expectInOrder(out, {refused, refused, "bestmove a1"});
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
    static const std::regex depth1(R"(\ninfo depth 1 seldepth \d+ multipv 1 score (cp|mate) (-?\d+) )");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, depth1)) << out;
    EXPECT_TRUE(m[1] == "mate" || std::stoi(m[2]) < -28000) << out;
    // The info lines count the bitbase answers.
    EXPECT_TRUE(std::regex_search(out, std::regex(R"(\ninfo depth 3 [^\n]* tbhits [1-9]\d* pv )"))) << out;
}

// The info lines of one search: depth, multipv, score text, bound, pv.
struct InfoLine {
    int depth, multipv;
    std::string score, bound, pv;
};

std::vector<InfoLine> infoLines(const std::string& out) {
    static const std::regex line(
        R"(\ninfo depth (\d+) seldepth \d+ multipv (\d+) score ((?:cp|mate) -?\d+)( \w+bound)? nodes \d+ [^\n]*? pv ([^\n]*))");
    std::vector<InfoLine> lines;
    for (std::sregex_iterator it(out.begin(), out.end(), line), end; it != end; ++it)
        lines.push_back({std::stoi((*it)[1]), std::stoi((*it)[2]), (*it)[3], (*it)[4], (*it)[5]});
    return lines;
}

int centipawns(const std::string& score) {
    const int n = std::stoi(score.substr(score.find(' ') + 1));
    return score.rfind("mate", 0) == 0 ? (n > 0 ? 100000 - n : -100000 - n) : n;
}

TEST(Uci, LimitedSearchesEndOnAnExactMateWithItsLine) {
    for (const char* go : {"go depth 8\n", "go movetime 3000\n", "go mate 2\n"}) {
        const std::string out = uciSession(std::string(kMateInTwoText) + go);
        const std::vector<InfoLine> lines = infoLines(out);
        ASSERT_FALSE(lines.empty()) << out;
        EXPECT_EQ(lines.back().score, "mate 2") << go << out;
        EXPECT_EQ(lines.back().bound, "") << go << out;
        EXPECT_EQ(lines.back().pv, "d5d8 e7d8 e1e8") << go << out;
        EXPECT_LT(lines.back().depth, 8) << go << out;
        EXPECT_TRUE(contains(out, "bestmove d5d8 ponder e7d8\n")) << go << out;
    }
}

TEST(Uci, MultiPvGivesDistinctSortedExactLines) {
    const std::string out = uciSession("setoption name MultiPV value 3\n"
                                       "position startpos moves e2e4 e7e5 g1f3 b8c6\ngo depth 6\n"
                                       "position startpos moves e2e4 e7e5 g1f3 b8c6\n"
                                       "go depth 5 searchmoves f1b5 f1c4 zz d2d4 f1b5\n");
    const size_t second = out.find("bestmove ");
    ASSERT_NE(second, std::string::npos) << out;
    const std::vector<InfoLine> lines = infoLines(out.substr(0, second));
    ASSERT_EQ(lines.size(), 18u) << out;
    for (int depth = 1; depth <= 6; depth++) {
        std::set<std::string> firstMoves;
        for (int i = 0; i < 3; i++) {
            const InfoLine& l = lines[3 * (depth - 1) + i];
            EXPECT_EQ(l.depth, depth);
            EXPECT_EQ(l.multipv, i + 1);
            EXPECT_EQ(l.bound, "") << out;
            if (i > 0) {
                EXPECT_LE(centipawns(l.score), centipawns(lines[3 * (depth - 1) + i - 1].score)) << out;
            }
            firstMoves.insert(l.pv.substr(0, 4));
        }
        EXPECT_EQ(firstMoves.size(), 3u) << out;
    }
    EXPECT_EQ(bestMoves(out)[0], lines[15].pv.substr(0, 4));
    // The search moves: only those (an illegal one is told and left out);
    // with three lines wanted and three moves given, each is one line.
    expectInOrder(out, {"bestmove ", "info string searchmoves: zz is not a legal move here and is ignored\n"});
    const std::vector<InfoLine> restricted = infoLines(out.substr(second));
    ASSERT_EQ(restricted.size(), 15u) << out;
    for (const InfoLine& l : restricted) {
        const std::string first = l.pv.substr(0, 4);
        EXPECT_TRUE(first == "f1b5" || first == "f1c4" || first == "d2d4") << out;
    }
}

TEST(Uci, ASearchLeavesNothingToTheNextButTheTable) {
    // The same position again, the table cleared between: the same tree, and
    // the tree of a fresh process (the same start keeps the same keys).
    const std::string position = "position startpos moves e2e4 e7e5 g1f3 b8c6 f1b5\ngo depth 7\n";
    const std::string out = uciSession(position + "setoption name Clear Hash\n" + position);
    static const std::regex line(R"(\ninfo depth 7 seldepth \d+ multipv 1 score (cp|mate) -?\d+ nodes (\d+) )");
    std::vector<long> nodes;
    for (std::sregex_iterator it(out.begin(), out.end(), line), end; it != end; ++it) nodes.push_back(std::stol((*it)[2]));
    ASSERT_EQ(nodes.size(), 2u) << out;
    EXPECT_EQ(nodes[1], nodes[0]);
    EXPECT_EQ(nodesAtDepth(uciSession(position), 7), nodes[0]);
}

TEST(Uci, OneLineSearchesAsBeforeWhateverWasAsked) {
    // MultiPV back at 1, and searchmoves that held for one go only, leave
    // the next search as it would have been.
    const std::string script = "ucinewgame\nposition startpos moves e2e4 c7c5 g1f3\ngo depth 7\n";
    const long plain = nodesAtDepth(uciSession("go depth 4\n" + script), 7);
    const long after = nodesAtDepth(uciSession("setoption name MultiPV value 4\ngo depth 4 searchmoves a2a3 h2h3\n"
                                               "setoption name MultiPV value 1\n" + script),
                                    7);
    EXPECT_GT(plain, 0);
    EXPECT_EQ(after, plain);
}

TEST(Uci, HashSettingTellsTheTableSize) {
    const std::string out = uciSession("setoption name Hash value 100\nsetoption name Hash value 32\n");
    expectInOrder(out, {"info string Hash 100: a table of 4194304 entries of 24 bytes, 96 MB in all\n",
                        "info string Hash 32: a table of 1048576 entries of 24 bytes, 24 MB in all\n"});
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

TEST_F(UciLive, AnalysisDeepensPastAMateUntilStopped) {
    // The mate is proven within a few plies; the analysis goes on showing it,
    // exact and with the whole line, until the interface stops it.
    s.send(std::string(kMateInTwoText) + "go infinite\n");
    ASSERT_TRUE(s.waitFor("info depth 10 seldepth ")) << s.output();  // and line 9 is whole
    EXPECT_TRUE(std::regex_search(s.output(), std::regex(R"(\ninfo depth 9 [^\n]* score mate 2 nodes [^\n]* pv d5d8 e7d8 e1e8\n)")))
        << s.output();
    s.send("isready\n");
    ASSERT_TRUE(s.waitFor("readyok\n"));
    EXPECT_FALSE(contains(s.output(), "bestmove"));
    s.send("stop\n");
    EXPECT_TRUE(s.waitFor("bestmove d5d8 ponder e7d8\n")) << s.output();
    // Mate and stalemate on the board are told at once; the move (none) waits for stop.
    for (const char* position : {"7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1"}) {
        const size_t from = s.output().size();
        s.send(std::string("position fen ") + position + "\ngo infinite\n");
        ASSERT_TRUE(s.waitFor("info depth 0 score ", 20000, from)) << s.output();
        s.send("isready\n");
        ASSERT_TRUE(s.waitFor("readyok\n", 20000, from));
        EXPECT_FALSE(contains(s.output().substr(from), "bestmove")) << s.output();
        s.send("stop\n");
        ASSERT_TRUE(s.waitFor("bestmove 0000\n", 20000, from));
    }
    expectInOrder(s.output(), {"info depth 0 score mate 0\n", "info depth 0 score cp 0\n"});
    s.send("quit\n");
    EXPECT_EQ(s.finish(), 0);
}

TEST_F(UciLive, ControlCommandsPassTheOnesWaitingForTheLoop) {
    // Stop, isready and quit reach a running search past a position or
    // setoption that waits for the loop.
    s.send("position startpos\ngo movetime 60000\n");
    ASSERT_TRUE(s.waitFor("info depth 5 "));
    s.send("position startpos moves e2e4\nsetoption name Hash value 64\nisready\nstop\n");
    size_t at = bestMoveAfter(0);
    EXPECT_LT(s.output().find("readyok\n"), at);
    // The position waited and was then taken: the next move is Black's.
    s.send("go depth 1\n");
    at = bestMoveAfter(at);
    EXPECT_TRUE(s.output()[at + 1] == '7' || s.output()[at + 1] == '8') << s.output();
    // A go without its number searches until told otherwise.
    s.send("go depth\n");
    ASSERT_TRUE(s.waitFor("info string missing or invalid number after depth; the word is ignored\n"));
    ASSERT_TRUE(s.waitFor("info depth 4 ", 20000, at));
    s.send("position startpos\nquit\n");
    EXPECT_EQ(s.finish(5000), 0);
}

TEST_F(UciLive, AnalysisShowsOnlyExactLinesInItsFirstSecond) {
    // Aspiration windows fail early in this position; interfaces keep the
    // flags of the last line they were told, so a bound waits for a second,
    // and so does the root's current move.
    s.send("position fen r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3\ngo infinite\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    const std::string early = s.output();
    EXPECT_TRUE(contains(early, "info depth 5 ")) << early;
    EXPECT_FALSE(contains(early, "currmove")) << early;
    EXPECT_FALSE(contains(early, "bound")) << early;
    ASSERT_TRUE(s.waitFor(" currmove "));
    s.send("stop\n");
    bestMoveAfter(0);
    static const std::regex boundLine(R"(\ninfo [^\n]*bound [^\n]* time (\d+) )");
    const std::string out = s.output();
    for (std::sregex_iterator it(out.begin(), out.end(), boundLine), end; it != end; ++it)
        EXPECT_GE(std::stoi((*it)[1]), 1000) << out;
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

#ifndef MORVANTIX_SANITIZE
namespace {

TEST(Uci, HashAndThreadsTheMachineCannotGiveAreToldAndSearchesGoOn) {
    // An address-space limit of about 1.2 GB: no 64 GB table, and not the
    // memory (tables and stack) of 256 threads.
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/limited.sh") << "ulimit -v 1200000\nexec \"$@\"\n";
    const EngineRun run = runEngine("/bin/sh",
                                    "uci\nsetoption name Hash value 65536\nsetoption name Threads value 256\n"
                                    "position startpos\ngo depth 6\n",
                                    dir, {dir + "/limited.sh", engine()});
    EXPECT_EQ(run.exitStatus, 0);
    expectInOrder(run.output, {"info string not enough memory for 65536 MB of hash; the table keeps 32 MB\n",
                               "info string Hash 32: a table of 1048576 entries of 24 bytes, 24 MB in all\n",
                               "info string not enough memory for 256 threads; the search has ",
                               "info depth 6 ", "bestmove "});
    const size_t told = run.output.find("the search has ");
    ASSERT_NE(told, std::string::npos);
    const int threads = std::stoi(run.output.substr(told + 15));
    EXPECT_GT(threads, 1);
    EXPECT_LT(threads, 256);
    EXPECT_NE(run.output.find("info string Threads " + std::to_string(threads) + "\n"), std::string::npos);
}

}  // namespace
#endif
