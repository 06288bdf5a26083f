// The XBoard protocol over pipes, as an interface speaks it.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "engine_process.h"
#include "engine_session.h"
#include "text_checks.h"

namespace {

const std::string& engine() {
    static const std::string first = enginePaths()[0];
    return first;
}

// Output of a whole scripted session (all commands sent at once).
std::string session(const std::string& commands, const std::string& dir = "") {
    const EngineRun run = runEngine(engine(), "xboard\n" + commands, dir);
    EXPECT_EQ(run.exitStatus, 0);
    return run.output;
}

TEST(XBoard, FeaturesAnswerProtover) {
    for (const std::string& path : enginePaths()) {
        const EngineRun run = runEngine(path, "xboard\nprotover 2\nquit\n");
        EXPECT_EQ(run.exitStatus, 0);
        const std::string features = "\nfeature ping=1 time=1 setboard=1 name=1 colors=0 debug=1, nps=1\n"
                                     "feature draw=0 sigint=0 sigterm=0 reuse=0 analyze=1 ics=1\n"
                                     "feature variants=\"normal\"\n"
                                     "feature myname=\"" + engineNameFor(path) + "\"\n"
                                     "feature done=1\n";
        EXPECT_TRUE(contains(run.output, features)) << run.output;
        EXPECT_FALSE(contains(run.output, "done=0"));
    }
}

TEST(XBoard, BitbasesLoadDuringProtoverWhenSwitchedOn) {
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/morvantix.ini") << "Use_Egbb ON\nEgbb_Path " << EGBB_DIR << "\nEgbb_Cache_Size 8\n";
    const std::string out = session("protover 2\nnew\nforce\nsetboard 8/8/8/8/8/2k5/7r/K7 w - -\npost\nsd 3\ngo\nquit\n", dir);
    expectInOrder(out, {"feature done=0\n", "feature myname=", "feature done=1\n"});
    // Children of the root are probed: a lost rook ending reads as a distant mate.
    static const std::regex first(R"(\n  1 +(-?\d+) )");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, first)) << out;
    EXPECT_LT(std::stoi(m[1]), -28000) << out;
}

TEST(XBoard, PingIsAnsweredInOrderAndAfterAMove) {
    const std::string out = session("ping 1\nping 2\nnew\nsd 2\ne2e4\nping 3\nquit\n");
    expectInOrder(out, {"pong 1\n", "pong 2\n", "move ", "pong 3\n"});
}

TEST(XBoard, ClockCommands) {
    const std::string out = session(
        "time 12345\nlevel 40 5 0\nlevel 0 2 12\nlevel 40 0:30 0\nlevel -3 5 0\nlevel 40\n"
        "time 30000\nst 5\nsd 1\nsd 7\nnps 1000\notim 100\nquit\n");
    expectInOrder(out, {"# Total Initial Time = 300 sec.\n# Conventional Time Control.\n"
                        "# Moves per session = 40 moves.\n# Minutes per game = 5.00 min.\n# Increment = 0 ms.\n",
                        "# Total Initial Time = 120 sec.\n# Blitz Time Control.\n"
                        "# Moves per session = 0 moves.\n# Minutes per game = 2.00 min.\n# Increment = 12000 ms.\n",
                        "# Total Initial Time = 30 sec.\n# Conventional Time Control.\n",
                        "Error (negative moves per time control): level -3 5 0\n",
                        "Error (missing or invalid argument): level 40\n",
                        "# moves_to_go = 40\n",
                        "# search time 5 sec\n# Fixed Time Control.\n",
                        "# search depth is 1 ply\n",
                        "# search depth is 7 plies\n",
                        "# nps is set to 1000\n"});
    // time before any level prints nothing.
    EXPECT_FALSE(contains(out.substr(0, out.find("# Total Initial Time")), "moves_to_go"));
}

TEST(XBoard, MovesToGoCountsTheMovesOfTheGame) {
    // Two moves each played: 38 to go before the control. The engine's searches
    // work on a copy of the game; after its two moves and f8c5 the count still
    // comes from the game: 36.
    const std::string out = session("new\nlevel 40 5 0\nforce\ne2e4\ne7e5\ng1f3\nb8c6\ntime 30000\n"
                                    "sd 1\ngo\nf8c5\ntime 30000\nquit\n");
    expectInOrder(out, {"# moves_to_go = 38\n", "move ", "# moves_to_go = 36\n"});
}

TEST(XBoard, AllotmentShowsInTheTimeLine) {
    // level 40 5 0 allots 300000 / 42 = 7142 ms, plus a sixth for the first
    // move out of book with more than two minutes on the clock.
    const std::string out = session("new\nlevel 40 5 0\npost\nsd 1\ngo\nquit\n");
    EXPECT_TRUE(contains(out, "# TimeLeft=300000.00ms. CT=30000ms, MT=15000.00ms  AT=8332.00ms.\n")) << out;
    const std::string blitz = session("new\nlevel 0 5 3\npost\nsd 1\ngo\nquit\n");
    EXPECT_TRUE(contains(blitz, "AT=12250.00ms.\n")) << blitz;
}

TEST(XBoard, PlayingThroughNewForceMovesAndGo) {
    const std::string out = session("new\nsd 2\ne2e4\nforce\nd2d4\ngo\nquit\n");
    static const std::regex move(R"(move [a-h][1-8][a-h][1-8]\n)");
    auto count = std::distance(std::sregex_iterator(out.begin(), out.end(), move), std::sregex_iterator());
    EXPECT_EQ(count, 2) << out;  // Black's reply to e2e4, and Black's move after go
    EXPECT_FALSE(contains(out, "Error (unknown command): d2d4"));
}

TEST(XBoard, UndoRemoveAndSetboard) {
    const std::string out = session(
        "new\nforce\nundo\ne2e4\ne7e5\nremove\nd\nsetboard 4k3/8/8/8/8/8/8/4K2R b K - 0 1\nundo\nd\n"
        "setboard 8/8 w\nd\nquit\n");
    // remove takes back both moves; undo right after a set-up does nothing.
    expectInOrder(out, {"\n8  r n b q k b n r\n7  o o o o o o o o\n6  . . . . . . . .\n5  . . . . . . . .\n"
                        "4  . . . . . . . .\n",
                        "\n8  . . . . k . . .\n", "1  . . . . K . . R\n",
                        "Error (incomplete position): setboard 8/8 w\n", "\n8  . . . . k . . .\n"});
}

TEST(XBoard, UnknownCommandsAndIllegalMoves) {
    const std::string out = session("new\nforce\nfoo bar\ne2e5\ne7e5\nvariant normal\nrandom\naccepted ping\nquit\n");
    expectInOrder(out, {"Error (unknown command): foo\n", "Error (unknown command): e2e5\n",
                        "Error (unknown command): e7e5\n"});
    EXPECT_FALSE(contains(out, "normal"));
}

TEST(XBoard, HintNameRatingAndIcs) {
    // The opponent is reported at the first search out of book.
    const std::string out = session(
        "new\nsd 2\nname Crafty 23.4 (beta)\nics chessclub.com\nrating 2500 1875\npost\ngo\nhint\nquit\n");
    EXPECT_TRUE(std::regex_search(out, std::regex(R"(\nHint: [a-h][1-8][a-h][1-8]\n)"))) << out;
    expectInOrder(out, {"# Opponent's name: Crafty 23.4 (beta), Rating: 1875\n", "# Contempt is 5\n"});
    const std::string plain = session("new\nname Somebody Else\nics -\npost\nsd 1\ngo\nquit\n");
    expectInOrder(plain, {"# Opponent's name: Somebody Else\n", "# Contempt is 0\n"});
    // new resets the contempt the name set.
    const std::string reset = session("name Crafty\nnew\npost\nsd 1\ngo\nquit\n");
    EXPECT_TRUE(contains(reset, "# Contempt is 0\n")) << reset;
}

TEST(XBoard, OptionsSetMobilityAndTheAnnouncedName) {
    const std::string out = session("option Mobility=250\noption ExtVerName=Tuned\noption Other=1\nquit\n");
    expectInOrder(out, {"# option_name Mobility=250\n# Mobility is set to 250\n",
                        "# option_name ExtVerName=Tuned\nfeature myname=\"" + engineNameFor(engine()) +
                            " Tuned\"\n# ExtVerName is set to Tuned\n",
                        "# option_name Other=1\n"});
}

TEST(XBoard, NodeBudgetStopsTheSearch) {
    // 1000 nodes a second and 5 seconds: 3976 nodes, checked every 1024.
    const std::string out = session("new\nnps 1000\nst 5\npost\nsd 30\ngo\nquit\n");
    static const std::regex line(R"(\n *\d+ +-?\d+ +\d+ +(\d+) [a-h])");
    long long most = 0;
    for (auto it = std::sregex_iterator(out.begin(), out.end(), line); it != std::sregex_iterator(); ++it)
        most = std::max(most, std::stoll((*it)[1]));
    EXPECT_GT(most, 0) << out;
    EXPECT_LE(most, 4096) << out;
    EXPECT_TRUE(contains(out, "\nmove ")) << out;
}

TEST(XBoard, ResultLinesAndResignation) {
    const std::string mate = session("new\nforce\nf2f3\ne7e5\ng2g4\nd8h4\nquit\n");
    EXPECT_TRUE(contains(mate, "0-1 {Black mates}\n")) << mate;
    // With resignation on and a low threshold, the engine playing a lost rook
    // ending gives up after its sixth move.
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/morvantix.ini") << "Resign ON\nResign_Score -300\n";
    std::string moves = "new\nsetboard r3k3/8/8/8/8/8/8/4K3 w - -\nsd 2\n";
    for (int i = 0; i < 14; i++) moves += "go\nforce\n";
    const std::string resign = session(moves + "quit\n", dir);
    EXPECT_TRUE(contains(resign, "0-1 {White Resigns}\n")) << resign;
}

TEST(XBoard, TwoGamesInOneProcess) {
    // The engine plays both sides (go, force, go, ...) of a queen ending, twice.
    // `new` lifts a depth limit, so each game sets its own.
    std::string script;
    for (int game = 0; game < 2; game++) {
        script += "new\nforce\nsetboard 8/8/8/3k4/8/8/8/Q3K3 w - -\nsd 4\n";
        for (int i = 0; i < 40; i++) script += "go\nforce\n";
        script += "result 1-0 {White mates}\nping " + std::to_string(game + 1) + "\n";
    }
    const std::string out = session(script + "quit\n");
    expectInOrder(out, {"1-0 {White mates}\n", "pong 1\n", "1-0 {White mates}\n", "pong 2\n"});
}

TEST(XBoard, EndOfInputEndsTheDriver) {
    const EngineRun run = runEngine(engine(), "xboard\nnew\nsd 2\ne2e4");
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(XBoard, LongAndBrokenLinesDoNoHarm) {
    const std::string out = session(std::string(5000, 'a') + "\n\n   \n" + "name " + std::string(400, 'N') + " " +
                                    std::string(300, 'M') + "\nresult " + std::string(300, 'R') +
                                    "\nrating\nping\nping 9\nquit\n");
    expectInOrder(out, {"Error (unknown command): aaaa", "Error (missing or invalid argument): rating\n",
                        "Error (missing or invalid argument): ping\n", "pong 9\n"});
}

// Interactive sessions: commands that arrive while the engine searches.

TEST(XBoard, PonderHitAndMiss) {
    EngineSession s(engine());
    // 100 s left: 2.5 s a move, enough to arm pondering (more than 2 s).
    // Depth 3 ends the ponder search by itself, so its last line holds the
    // move it expects.
    s.send("xboard\nprotover 2\nnew\nhard\nlevel 0 2 0\npost\nsd 3\ntime 10000\notim 10000\ne2e4\n");
    ASSERT_TRUE(s.waitFor("# Ponder miss\n")) << s.output();  // nothing was expected yet
    ASSERT_TRUE(s.waitFor("\nmove ")) << s.output();
    // The ponder search starts on the opponent's time and shows its line.
    ASSERT_TRUE(s.waitFor("# Morvantix is Pondering on position\n")) << s.output();
    static const std::regex ponderLine(R"(\n *\d+ +-?\d+ +\d+ +\d+ ([a-h][1-8][a-h][1-8][nbrq]?))");
    const size_t start = s.output().find("# Morvantix is Pondering");
    ASSERT_TRUE(s.waitFor("\n  3 ", 20000, start)) << s.output();
    const std::string after = s.output().substr(start);
    std::string expected;
    for (auto it = std::sregex_iterator(after.begin(), after.end(), ponderLine); it != std::sregex_iterator(); ++it)
        expected = (*it)[1].str();
    ASSERT_FALSE(expected.empty()) << after;
    // Play the expected reply: a hit.
    s.send("time 9700\notim 9500\n" + expected + "\n");
    ASSERT_TRUE(s.waitFor("# Ponder hit\n", 20000, start)) << s.output();
    ASSERT_TRUE(s.waitFor("\nmove ", 20000, s.output().find("# Ponder hit"))) << s.output();
    s.send("force\nundo\nundo\nping 4\n");
    ASSERT_TRUE(s.waitFor("pong 4"));
    s.send("a2a3\n");
    s.send("quit\n");
    EXPECT_EQ(s.finish(), 0);
}

TEST(XBoard, AnalysisFollowsMovesAndStopsForCommands) {
    EngineSession s(engine());
    s.send("xboard\nprotover 2\nnew\npost\nanalyze\n");
    ASSERT_TRUE(s.waitFor("\n  4 ")) << s.output();
    // A move restarts the analysis on the new position.
    size_t mark = s.output().size();
    s.send("e2e4\n");
    ASSERT_TRUE(s.waitFor("\n  4 ", 20000, mark)) << s.output();
    // "." stops it and is answered as unknown; the analysis then goes on.
    mark = s.output().size();
    s.send(".\n");
    ASSERT_TRUE(s.waitFor("Error (unknown command): .\n", 20000, mark)) << s.output();
    ASSERT_TRUE(s.waitFor("\n  3 ", 20000, s.output().find("Error (unknown command): .", mark))) << s.output();
    // Several commands in one write: each is executed.
    s.send("exit\nping 11\nping 12\n");
    ASSERT_TRUE(s.waitFor("pong 12\n")) << s.output();
    EXPECT_TRUE(s.output().find("pong 11\n") < s.output().find("pong 12\n"));
    s.send("quit\n");
    EXPECT_EQ(s.finish(), 0);
}

TEST(XBoard, AnalysisShowsAMateAsItDeepensAndAGameOverAtOnce) {
    EngineSession s(engine());
    // White mates in two; the analysis goes on past the mate with its whole line.
    s.send("xboard\nprotover 2\nnew\npost\nsetboard r1b2k1r/ppp1bppp/8/1B1Q4/5q2/2P5/PPP2PPP/R3R1K1 w - - 1 1\n"
           "analyze\n");
    ASSERT_TRUE(s.waitFor("\n 10 29997 ")) << s.output();  // and line 9 is whole
    EXPECT_TRUE(std::regex_search(s.output(), std::regex(R"(\n  9 29997 +\d+ +\d+ d5d8 e7d8 e1e8[ \n])"))) << s.output();
    // Mated, then stalemated: a line with the score and no move comes at once.
    size_t mark = s.output().size();
    s.send("exit\nsetboard 7k/6Q1/6K1/8/8/8/8/8 b - - 0 1\nanalyze\n");
    ASSERT_TRUE(s.waitFor("  0 -30000      0          0\n", 20000, mark)) << s.output();
    mark = s.output().size();
    s.send("exit\nsetboard 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1\nanalyze\n");
    ASSERT_TRUE(s.waitFor("  0     0      0          0\n", 20000, mark)) << s.output();
    s.send("exit\nquit\n");
    EXPECT_EQ(s.finish(), 0);
}

TEST(XBoard, ArenaAnalysisSwallowsDotAndConsumesOtherLines) {
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/morvantix.ini") << "Gui arena\n";
    EngineSession s(engine(), dir);
    s.send("xboard\nnew\npost\nsd 99\nanalyze\n");
    ASSERT_TRUE(s.waitFor("\n 11 ")) << s.output();
    size_t mark = s.output().size();
    s.send(".\n");
    // The analysis goes on: no error line, deeper iterations keep coming.
    ASSERT_TRUE(s.waitFor("\n 14 ", 60000, mark)) << s.output();
    EXPECT_EQ(s.output().find("Error (unknown command): .", mark), std::string::npos);
    // "exit" stops the analysis and is itself lost; the next line is read.
    s.send("exit\n");
    s.send("ping 3\n");
    ASSERT_TRUE(s.waitFor("pong 3\n")) << s.output();
    s.send("quit\n");
    EXPECT_EQ(s.finish(), 0);
}

TEST(XBoard, ACommandStopsPonderingQuickly) {
    EngineSession s(engine());
    s.send("xboard\nnew\nhard\nlevel 0 2 0\ntime 10000\notim 10000\ne2e4\n");
    ASSERT_TRUE(s.waitFor("# Morvantix is Pondering")) << s.output();
    const auto sent = std::chrono::steady_clock::now();
    s.send("ping 21\n");
    ASSERT_TRUE(s.waitFor("pong 21\n")) << s.output();
    const auto took = std::chrono::steady_clock::now() - sent;
    // Generous bound (a loaded machine); an unnoticed command would wait for
    // the 48-hour ponder deadline.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 5000);
    s.send("quit\n");
    EXPECT_EQ(s.finish(), 0);
}

}  // namespace
