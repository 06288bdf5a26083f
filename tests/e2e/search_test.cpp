// Searches through the console of every build: the same node counts everywhere
// (the search signature), and the limits of `sd` and `st`.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "engine_process.h"

namespace {

// The ten bench positions with their base depths.
const std::pair<const char*, int> kBench[] = {
    {"rnbqkb1r/pppp1ppp/5n2/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 3", 12},
    {"rnb1kb1r/ppp1pppp/5n2/q7/3P4/2N5/PPP2PPP/R1BQKBNR w KQkq - 0 5", 11},
    {"r1bq1rk1/ppp1npbp/3p1np1/3Pp3/2P1P3/2N2N2/PP2BPPP/R1BQ1RK1 w - - 0 9", 12},
    {"r3k2r/pp1bnppp/2n1p3/q2pP3/P1pP4/2P2N2/2PBBPPP/R2QK2R w KQkq - 0 11", 13},
    {"1q3rk1/4b1pp/p2pp3/n1p1p3/P3Pn2/2PP1N1P/2QN1PP1/2B1R1K1 w - - 0 19", 13},
    {"2rq1rk1/pp1bppb1/3p1np1/4n1Bp/3NP2P/2N2P2/PPPQB1P1/1K1R3R b - - 0 13", 11},
    {"r1bqk2r/pp1p1ppp/4pnn1/1Q6/3NP3/2P5/P1P1BPPP/R1B1K2R w KQkq - 1 10", 11},
    {"4nrk1/4bppp/8/q1p1pPP1/1p2P3/rP6/P5QP/1KNR1B1R b - - 0 22", 12},
    {"8/1p5p/3k2p1/P3p2r/3p4/1P1N4/8/3KR3 b - - 0 45", 14},
    {"8/R7/4n1kp/1q3b2/8/8/5PPP/2Q3K1 w - - 0 48", 13},
};

struct Signature {
    int depthOffset = 0;
    long long nodes = 0;
};

// tests/data/signature.txt: the added depth and the expected total.
Signature expectedSignature() {
    Signature s;
    std::ifstream(std::string(TEST_DATA_DIR) + "/signature.txt") >> s.depthOffset >> s.nodes;
    return s;
}

// The final iteration line of every search: its node count, and the lines
// with the time column blanked (they must be the same in every build).
struct SearchRun {
    long long totalNodes = 0;
    std::string lines;
};

SearchRun searchAll(const std::string& engine, int depthOffset) {
    std::string input = "st 172800\n";
    for (const auto& [fen, depth] : kBench)
        input += std::string("setboard ") + fen + "\nsd " + std::to_string(depth + depthOffset) + "\nplay\nstop\n";
    input += "bye\n";
    const EngineRun run = runEngine(engine, input);
    EXPECT_EQ(run.exitStatus, 0);
    static const std::regex iteration(R"(^ *(\d+) +(-?\d+) +(\d+) +(\d+)( .*)$)");
    SearchRun result;
    std::stringstream out(run.output);
    long long lastNodes = 0;
    for (std::string line; std::getline(out, line);) {
        std::smatch m;
        if (std::regex_match(line, m, iteration)) {
            lastNodes = std::stoll(m[4]);
            // The time ratio at the end of the line depends on the clock.
            static const std::regex ratio(R"( \(\d+\.\d\)( \(egbb=\d+\))?$)");
            const std::string moves = std::regex_replace(m[5].str(), ratio, "");
            result.lines += m[1].str() + " " + m[2].str() + " " + m[4].str() + moves + "\n";
        } else if (line.rfind("# Tm=", 0) == 0) {
            result.totalNodes += lastNodes;
            result.lines += line.substr(line.find(", Mv=")) + "\n";
        }
    }
    return result;
}

TEST(Search, SignatureIsTheSameInEveryBuild) {
    const Signature expected = expectedSignature();
    const std::vector<std::string> engines = enginePaths();
    const SearchRun first = searchAll(engines[0], expected.depthOffset);
    std::cout << "search signature (bench positions, base depth " << expected.depthOffset << "): " << first.totalNodes
              << "\n";
    EXPECT_EQ(first.totalNodes, expected.nodes) << "the search changed: update tests/data/signature.txt on purpose";
    for (size_t i = 1; i < engines.size(); i++) {
        const SearchRun other = searchAll(engines[i], expected.depthOffset);
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
