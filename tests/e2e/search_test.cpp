// Searches through the console of every build: the same node counts everywhere
// (the bench total is the search signature), and the limits of `sd` and `st`.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "engine_process.h"

namespace {

struct Signature {
    int addedDepth = 0;
    long long nodes = 0;
};

// tests/data/signature.txt: the bench's added depth and its expected node total.
Signature expectedSignature() {
    Signature s;
    std::ifstream(std::string(TEST_DATA_DIR) + "/signature.txt") >> s.addedDepth >> s.nodes;
    return s;
}

// A bench run: the total of its result table's node column, and every
// iteration line and table row with the times left out (they must be the
// same in every build).
struct BenchRun {
    long long totalNodes = 0;
    std::string lines;
};

BenchRun bench(const std::string& engine, int addedDepth) {
    const EngineRun run = runEngine(engine, "bench " + std::to_string(addedDepth) + "\nbye\n");
    EXPECT_EQ(run.exitStatus, 0);
    static const std::regex iteration(R"(^ *(\d+) +(-?\d+) +\d+ +(\d+)( .*)$)");
    static const std::regex ratio(R"( \(\d+\.\d\)( \(egbb=\d+\))?$)");
    static const std::regex row(R"(^# +(\d+) +(\d+) +(\d+) +\d+\.\d +(\S+)$)");
    BenchRun result;
    std::stringstream out(run.output);
    for (std::string line; std::getline(out, line);) {
        std::smatch m;
        if (std::regex_match(line, m, iteration)) {
            // The time ratio at the end of the line depends on the clock.
            result.lines += m[1].str() + " " + m[2].str() + " " + m[3].str() +
                            std::regex_replace(m[4].str(), ratio, "") + "\n";
        } else if (std::regex_match(line, m, row)) {
            result.totalNodes += std::stoll(m[3]);
            result.lines += "# " + m[1].str() + " " + m[2].str() + " " + m[3].str() + " " + m[4].str() + "\n";
        }
    }
    return result;
}

TEST(Search, SignatureIsTheSameInEveryBuild) {
    const Signature expected = expectedSignature();
    const std::vector<std::string> engines = enginePaths();
    const BenchRun first = bench(engines[0], expected.addedDepth);
    std::cout << "search signature (bench " << expected.addedDepth << "): " << first.totalNodes << "\n";
    EXPECT_EQ(first.totalNodes, expected.nodes) << "the search changed: update tests/data/signature.txt on purpose";
    for (size_t i = 1; i < engines.size(); i++) {
        const BenchRun other = bench(engines[i], expected.addedDepth);
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
