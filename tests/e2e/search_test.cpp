// Searches through the console of every build: the same node counts everywhere
// (the bench total is the search signature), and the limits of `sd` and `st`.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "bench_run.h"
#include "engine_process.h"

namespace {

TEST(Search, SignatureIsTheSameInEveryBuild) {
    const Signature expected = expectedSignature();
    const std::vector<std::string> engines = enginePaths();
    const BenchRun first = runBench(engines[0], expected.addedDepth);
    EXPECT_EQ(first.exitStatus, 0);
    std::cout << "search signature (bench " << expected.addedDepth << "): " << first.totalNodes << "\n";
    EXPECT_EQ(first.totalNodes, expected.nodes) << "the search changed: update tests/data/signature.txt on purpose";
    for (size_t i = 1; i < engines.size(); i++) {
        const BenchRun other = runBench(engines[i], expected.addedDepth);
        EXPECT_EQ(other.totalNodes, first.totalNodes) << engines[i];
        EXPECT_EQ(other.lines, first.lines) << engines[i];
    }
}

TEST(Search, ConsolePlayKeepsToItsDepthAndReportsTheMove) {
    const EngineRun run = runEngine(enginePaths()[0], "sd 4\nplay\nbye\n");
    EXPECT_EQ(run.exitStatus, 0);
    // One line per iteration (repeats after a failed window included), then
    // the report, an empty line and the move with its ply number.
    static const std::regex shape(
        R"((\s+[1-4] +-?\d+ +\d+ +\d+( [a-h][1-8][a-h][1-8][nbrq]?)+( \(\d+\.\d\))?\n)+)"
        R"(# Tm=\d+ ms, NPS=\d+K, Mv=[a-h][1-8][a-h][1-8], Val=-?\d+, Hply=1, Fifty=[01]\n\n1\. [a-h][1-8][a-h][1-8]\n)");
    EXPECT_TRUE(std::regex_search(run.output, shape)) << run.output;
    EXPECT_NE(run.output.find("# Opponent's name: \n# Contempt is 0\n# Morvantix (W) is out of book at move no. 1.\n"
                              "# TimeLeft=0.00ms. CT=10000ms, MT=10000.00ms  AT=10000.00ms.\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("\n  5 "), std::string::npos);
}

TEST(Search, PlayAnswersEveryMoveWithHplyNumbers) {
    const EngineRun run = runEngine(enginePaths()[0], "sd 3\nplay\ne7e5\nbye\n");
    EXPECT_NE(run.output.find("\n1. "), std::string::npos);
    // After the engine's first move and Black's reply the engine (White)
    // moves again: ply 3.
    EXPECT_NE(run.output.find("\n3. "), std::string::npos);
    const EngineRun black = runEngine(enginePaths()[0], "sd 3\ne2e4\nplay\nbye\n");
    EXPECT_NE(black.output.find("\n2. ... "), std::string::npos) << black.output;
}

TEST(Search, TimeLimitStopsAConsoleSearch) {
    // One second a move with no depth limit: the clock ends the search.
    const EngineRun run = runEngine(enginePaths()[0], "st 1\nplay\nbye\n");
    EXPECT_EQ(run.exitStatus, 0);
    static const std::regex report(R"(# Tm=(\d+) ms)");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(run.output, m, report)) << run.output;
    EXPECT_GE(std::stoi(m[1]), 1000);
    EXPECT_NE(run.output.find("\n1. "), std::string::npos);
}

}  // namespace
