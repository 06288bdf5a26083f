// The benchmark and test commands through the console: report shapes, clamps,
// the dot and count lines of the file readers, and the symmetry checks.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "engine_process.h"
#include "engine_session.h"

namespace {

const char* const kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

// Text after the first occurrence of `marker` (empty when absent).
std::string after(const std::string& text, const std::string& marker) {
    const size_t at = text.find(marker);
    return at == std::string::npos ? "" : text.substr(at);
}

TEST(Tools, BenchClampsItsDepthAndPrintsTheTable) {
    const EngineRun run = runEngine(enginePaths()[0], "bench -5\nfen\nbye\n");
    ASSERT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output.find("# This will calculate 10 positions on different game phase.\n"
                              "# Calculating Position no. 1/10\n"),
              run.output.find("# This"));
    EXPECT_NE(run.output.find("# Calculating Position no. 10/10\n"), std::string::npos);
    // Base depths less one; nodes, milliseconds with one decimal, the move.
    const std::string table = after(run.output, "\n\n# Fixed depth Bench Results @ -1 added depth:\n");
    ASSERT_FALSE(table.empty()) << run.output;
    std::string pattern = R"(\n\n# Fixed depth Bench Results @ -1 added depth:\n)"
                          R"(# Pos Depth      Nodes    Time\(sec\) SearchedMove\n)"
                          R"(# -----------------------------------------------\n)";
    const int depths[10] = {11, 10, 11, 12, 12, 10, 10, 11, 13, 12};
    for (int i = 0; i < 10; i++) {
        char row[64];
        snprintf(row, sizeof row, "# %2d   %2d", i + 1, depths[i]);
        pattern += std::string(row) + R"( +\d+ +\d+\.\d     +[a-h][1-8][a-h][1-8]\n)";
    }
    pattern += R"(\n# total_time=\d+ msec, score=\d+, total_nodes=\d+M, average nps=\d+K\.\n\n)";
    EXPECT_TRUE(std::regex_search(table, std::regex(pattern))) << table;
    // The initial position is set up afterwards.
    EXPECT_NE(run.output.find(std::string("\n") + kStart + "\nBye bye!"), std::string::npos);
}

TEST(Tools, Fine70SearchesAtLeastOnePly) {
    const EngineRun run = runEngine(enginePaths()[0], "fine70 0\nfen\nbye\n");
    ASSERT_EQ(run.exitStatus, 0);
    // One iteration only, then the report.
    EXPECT_TRUE(std::regex_search(run.output, std::regex(R"(\n  1 +-?\d+ +\d+ +\d+ [a-h])"))) << run.output;
    EXPECT_EQ(run.output.find("\n  2 "), std::string::npos);
    std::smatch time, best;
    ASSERT_TRUE(std::regex_search(run.output, time, std::regex(R"(\nTime: (\d+) ms\n)"))) << run.output;
    const std::string report = after(run.output, "\n\nNodes: ");
    ASSERT_TRUE(std::regex_search(report, best,
                                  std::regex(R"(^\n\nNodes: \d+\nBest time: (\d+) ms\n)"
                                             R"(Nodes per second: \d+ \(Score: \d+\.\d{3}\)\n)")))
        << report;
    EXPECT_EQ(time[1], best[1]);
    EXPECT_NE(run.output.find(std::string("\n") + kStart + "\nBye bye!"), std::string::npos);
}

// A file of positions: eleven FEN lines with one line too short to be a position.
std::string writePositions(const std::string& dir) {
    const char* fens[] = {
        "rnbqkb1r/pppp1ppp/5n2/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 3",
        "r1bq1rk1/ppp1npbp/3p1np1/3Pp3/2P1P3/2N2N2/PP2BPPP/R1BQ1RK1 w - - 0 9",
        "8/5p1k/6pp/R7/8/Pr3PP1/5K1P/8 w - - 0 39",
        "8/p4kP1/8/5P2/1p6/4K3/8/8 w - - 0 58",
        "8/6pk/p7/8/6P1/1P6/5K2/8 b - - 0 50",
        "8/1n5p/3k2p1/8/2B3PP/4K3/8/8 w - - 0 51",
        "short line",
        "6k1/6p1/p3pp2/6p1/5r2/2K2N1P/1P3PP1/3N4 w - - 0 34",
        "8/k7/3p4/p2P1p2/P2P1P2/8/8/K7 w - - 0 1",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1",
        "4k3/8/8/8/8/8/8/R3K3 w - - 0 1",
    };
    const std::string path = dir + "/positions.epd";
    std::ofstream out(path);
    for (const char* f : fens) out << f << "\n";
    return path;
}

// Runs file-bench interactively (a search of the file bench stops when input
// waits, so nothing more is sent until the report is out).
std::string fileBench(const std::string& arguments, const std::string& dir, bool interruptAll = false) {
    EngineSession engine(enginePaths()[0], dir);
    engine.send("file-bench " + arguments + "\n");
    if (interruptAll) {
        EXPECT_TRUE(engine.waitFor("Start bench"));
        engine.send("d\n");
    }
    EXPECT_TRUE(engine.waitFor("Total nodes", 60000));
    engine.send("fen\nbye\n");
    EXPECT_EQ(engine.finish(), 0);
    return engine.output();
}

TEST(Tools, FileBenchReadsExactlyTheLinesAsked) {
    const std::string dir = makeTempDir();
    const std::string file = writePositions(dir);
    // Five lines: one dot (before the first line; the next is due before the
    // sixth), no count line, five searches.
    std::string out = fileBench(file + " 5 2", dir);
    EXPECT_NE(out.find("\nStart bench\n.\n   No.   ply  time(ms)\n---------------------------\n"), std::string::npos)
        << out;
    EXPECT_TRUE(std::regex_search(out, std::regex(R"(\n    5     2     \d+\n\nfile-bench )")));
    EXPECT_EQ(out.find("\n    6 "), std::string::npos);
    EXPECT_NE(out.find("\nfile-bench " + file + " 5 2\n\n " + engineNameFor(enginePaths()[0]) +
                       " bench results of 5 positions from " + file + " file\nTotal time "),
              std::string::npos)
        << out;
    // Every line: dots before lines 1, 6 and 11, the count after line 10; the
    // short line is counted but not searched.
    out = fileBench(file + " 100 1", dir);
    EXPECT_NE(out.find("\nStart bench\n..  10 positions\n.\n   No."), std::string::npos) << out;
    EXPECT_NE(out.find("\n   11     1     "), std::string::npos);
    EXPECT_EQ(out.find("\n   12 "), std::string::npos);
    EXPECT_NE(out.find(" bench results of 11 positions from "), std::string::npos);
    EXPECT_NE(out.find(std::string("\n") + kStart + "\nBye bye!"), std::string::npos);
}

TEST(Tools, FileBenchClampsAndErrors) {
    const std::string dir = makeTempDir();
    const std::string file = writePositions(dir);
    std::string out = fileBench(file + " 0 0", dir);
    EXPECT_NE(out.find("No. of Positions to be analyzed 1\nSearch depth  1\n\nStart bench\n.\n"), std::string::npos)
        << out;
    // Too many lines and too deep: clamped; the waiting input stops every search.
    out = fileBench(file + " 300000 500", dir, true);
    EXPECT_NE(out.find("No. of Positions to be analyzed 200000\nSearch depth  100\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\nfile-bench " + file + " 200000 100\n"), std::string::npos);
    EXPECT_NE(out.find(" bench results of 11 positions from "), std::string::npos);

    const EngineRun run = runEngine(enginePaths()[0], "file-bench " + dir + "/missing.epd 5 2\nfile-bench x y 2\nbye\n");
    EXPECT_NE(run.output.find("Error: can not open the epd file\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Usage: file-bench [file_name] [pos_num] [search_depth]\n"), std::string::npos);
    EXPECT_EQ(run.exitStatus, 0);
}

std::string tes(const std::vector<std::string>& lines, int count) {
    const std::string dir = makeTempDir();
    std::ofstream out(dir + "/pairs.fen");
    for (const std::string& line : lines) out << line << "\n";
    out.close();
    return runEngine(enginePaths()[0], "tes pairs.fen " + std::to_string(count) + "\nbye\n", dir).output;
}

TEST(Tools, TesComparesPairs) {
    const std::string a = "r1bq1rk1/ppp1npbp/3p1np1/3Pp3/2P1P3/2N2N2/PP2BPPP/R1BQ1RK1 w - - 0 9";
    const std::string aMirror = "r1bq1rk1/pp2bppp/2n2n2/2p1p3/3pP3/3P1NP1/PPP1NPBP/R1BQ1RK1 b - - 0 9";
    const std::string b = "8/5p1k/6pp/R7/8/Pr3PP1/5K1P/8 w - - 0 39";
    const std::string bMirror = "8/5k1p/pR3pp1/8/r7/6PP/5P1K/8 b - - 0 39";
    const std::string header = "Testting symmetry of eval\nscanning pairs.fen file line by line ...\n.\n";
    EXPECT_NE(tes({a, aMirror, b, bMirror}, 10).find(header + "\nThere are 4 positions evaluated out of total 4\n"
                                                             "Success!! no eval symmetry errors\n"),
              std::string::npos);
    // A broken second pair: its index, then the FEN of the position last set up.
    EXPECT_NE(tes({a, aMirror, b, aMirror}, 10)
                  .find(header + "mismatch: index 2\n" + aMirror.substr(0, aMirror.find(" 0 9")) +
                        "\n\n\nThere are 2 positions evaluated out of total 4\nProblem in eval??\n"),
              std::string::npos);
    // An odd number of positions: the last has no partner, which the count shows.
    EXPECT_NE(tes({a, aMirror, b, bMirror, a}, 10).find("\nThere are 4 positions evaluated out of total 5\n"
                                                        "Success!! no eval symmetry errors\n"),
              std::string::npos);
    // The line count limits the reading; a short line is read but not a position.
    EXPECT_NE(tes({a, aMirror, "too short", b, bMirror}, 3).find("\nThere are 2 positions evaluated out of total 2\n"),
              std::string::npos);
    EXPECT_NE(runEngine(enginePaths()[0], "tes /nonexistent/pairs.fen 4\nbye\n").output.find("Error opening *.fen file\n"),
              std::string::npos);
}

TEST(Tools, SymmetrySetIsAllCorrect) {
    // A move typed afterwards is matched against the position symtestpos left set up.
    const EngineRun run = runEngine(enginePaths()[0], "symtestpos\ne2e4\nfen\nbye\n");
    EXPECT_NE(run.output.find("Illegal move.\nr4k1r/PpPp1ppp/5nbN/nP2Q3/1q2P3/P4N2/3P2PP/5RK1 b - -\n"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("# Total=151, Correct=151, Mistake=0, Correct=100%\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Not OK"), std::string::npos);
}

}  // namespace
