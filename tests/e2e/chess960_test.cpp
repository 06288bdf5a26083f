// Chess960 under UCI: the castling field's three forms, the castling rules
// (by move-path counts), "king takes rook" moves in and out, and searches
// from Chess960 positions.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "engine_process.h"
#include "engine_session.h"
#include "text_checks.h"

namespace {

const std::string kChess960On = "uci\nsetoption name UCI_Chess960 value true\n";

std::string session(const std::string& commands, const std::string& path = enginePaths()[0]) {
    const EngineRun run = runEngine(path, kChess960On + commands + "quit\n", "");
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    return run.output;
}

// The totals of every "go perft", in order.
std::vector<uint64_t> perftTotals(const std::string& out) {
    static const std::regex total(R"(\nNodes searched: (\d+)\n)");
    std::vector<uint64_t> counts;
    for (std::sregex_iterator it(out.begin(), out.end(), total), end; it != end; ++it)
        counts.push_back(std::stoull((*it)[1]));
    return counts;
}

struct StartPosition {
    std::string rank;  // White's first rank, "RNBQKBNR"
    uint64_t depth4 = 0, depth5 = 0;
};

std::vector<StartPosition> loadStartPositions() {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/chess960-perft.txt");
    std::vector<StartPosition> positions;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        StartPosition p;
        words >> p.rank >> p.depth4 >> p.depth5;
        positions.push_back(p);
    }
    return positions;
}

// The start position with all four rights, in the plain form (KQkq) or as
// Shredder-FEN file letters.
std::string startFen(const std::string& rank, bool fileLetters) {
    std::string black = rank;
    for (char& c : black) c = char(c - 'A' + 'a');
    std::string rights = "KQkq";
    if (fileLetters) {
        const size_t queenRook = rank.find('R'), kingRook = rank.rfind('R');
        rights = {char('A' + kingRook), char('A' + queenRook), char('a' + kingRook), char('a' + queenRook)};
    }
    return black + "/pppppppp/8/8/8/8/PPPPPPPP/" + rank + " w " + rights + " - 0 1";
}

TEST(Chess960, PublishedCountsOfTheStartPositions) {
    const std::vector<StartPosition> positions = loadStartPositions();
    ASSERT_EQ(positions.size(), 960u);
#ifdef MORVANTIX_SANITIZE
    const size_t step = 10, deepCount = 0;  // a sample, at the sanitizers' pace
#else
    const size_t step = 1, deepCount = 100;
#endif
    std::string commands;
    std::vector<uint64_t> expected;
    for (size_t i = 0; i < positions.size(); i += step) {
        commands += "position fen " + startFen(positions[i].rank, i % 2 == 1) + "\ngo perft 4\n";
        expected.push_back(positions[i].depth4);
        if (i < deepCount) {
            commands += "go perft 5\n";
            expected.push_back(positions[i].depth5);
        }
    }
    const std::vector<uint64_t> counts = perftTotals(session(commands));
    ASSERT_EQ(counts.size(), expected.size());
    for (size_t i = 0; i < counts.size(); i++) EXPECT_EQ(counts[i], expected[i]) << "count " << i;
}

// Positions built for the castling rules, with counts from an independent
// move generator (depths 1 to 4).
struct RuleCase {
    const char* what;
    const char* fen;
    uint64_t counts[4];
};

const RuleCase kRuleCases[] = {
    {"king side: the king lands on the rook's square and the rook on the king's",
     "1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R3KR1 w GBgb - 0 1", {24, 600, 14106, 341460}},
    {"both sides, kings swapping with their rooks", "1r3kr1/8/8/8/8/8/8/1R3KR1 w GBgb - 0 1",
     {23, 439, 9836, 209468}},
    {"the king does not move: it stands on its target already", "rk4r1/8/8/8/8/8/8/R5KR w HAa - 0 1",
     {3, 69, 1426, 32128}},
    {"rooks beside the king on both sides", "2rk3r/8/8/8/8/8/8/2RK3R w HChc - 0 1", {23, 441, 9924, 213219}},
    {"the castling rook stands between the king and its target", "4k3/8/8/8/8/8/8/1KR4R w C - 0 1",
     {27, 113, 3191, 15619}},
    {"another rook stands in the castling rook's way", "4k3/8/8/8/8/8/8/1KRR4 w C - 0 1", {22, 67, 1850, 9072}},
    {"queen side: the rook screened the king's target from an enemy rook", "4k3/8/8/8/8/8/8/rR3K2 w B - 0 1",
     {9, 102, 1501, 22885}},
    {"king side: the rook screened the king's target", "4k3/8/8/8/8/8/8/4K1Rr w G - 0 1", {7, 82, 1178, 17838}},
    {"X-FEN: the letter b names the inner rook", "rr1k4/8/8/8/8/8/8/4K3 b b - 0 1", {21, 93, 2489, 14112}},
    {"X-FEN: q names the outermost rook, blocked by the other", "rr1k4/8/8/8/8/8/8/4K3 b q - 0 1",
     {20, 90, 2420, 13734}},
    {"an attacked rook square does not matter", "4k3/8/8/8/8/8/6b1/R3K2R w KQ - 0 1", {24, 303, 7931, 101850}},
    {"rooks that can be taken lose their rights", "r3k2r/8/8/8/8/8/1q6/R3K2R w KQkq - 0 1",
     {22, 909, 16400, 660926}},
    {"rooks on b and f, king on c", "1rk2r2/1p3p2/8/8/8/8/1P2BP2/1RK2R2 w FBfb - 0 1", {22, 286, 6469, 103192}},
    {"the queen-side rook's square attacked, the king's path free", "4k3/8/8/8/8/8/1b6/1RK4R w HB - 0 1",
     {5, 52, 1322, 15220}},
};

// In every build: the 32-bit one and the one with hardware bit counts too.
TEST(Chess960, CastlingRulesMatchAnIndependentCount) {
    std::string commands;
    for (const RuleCase& c : kRuleCases)
        commands += std::string("position fen ") + c.fen + "\ngo perft 1\ngo perft 2\ngo perft 3\ngo perft 4\n";
    for (const std::string& path : enginePaths()) {
        const std::vector<uint64_t> counts = perftTotals(session(commands, path));
        ASSERT_EQ(counts.size(), 4 * std::size(kRuleCases)) << path;
        for (size_t i = 0; i < std::size(kRuleCases); i++)
            for (size_t d = 0; d < 4; d++)
                EXPECT_EQ(counts[4 * i + d], kRuleCases[i].counts[d])
                    << path << ": " << kRuleCases[i].what << ", depth " << d + 1;
    }
}

TEST(Chess960, CastlingIsKingTakesRookInAndOutAndStandardWithTheOptionOff) {
    const char* fen = "position fen 1r2k1r1/pppppppp/8/8/8/8/PPPPPPPP/1R3KR1 w GBgb - 0 1";
    const std::string on = session(std::string(fen) + "\ngo perft 1\n" + fen + " moves f1g1 e8b8\ngo perft 1\nd\n");
    // f1g1 (king takes the g-rook) castles: king g1, rook f1; e8b8 the same for
    // Black on the queen side: king c8, rook d8.
    expectInOrder(on, {"\nf1g1: 1\nf1b1: 1\n", "Nodes searched: 24\n", "\n8  . . k r . . r .\n",
                       "\n1  . R . . . R K .\n"});
    EXPECT_FALSE(contains(on, "info string error"));
    // Standard castling keeps its standard form while the option is off.
    const EngineRun off = runEngine(enginePaths()[0],
                                    "uci\nposition fen r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1\ngo perft 1\n"
                                    "setoption name UCI_Chess960 value true\n"
                                    "position fen r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1\ngo perft 1\nquit\n",
                                    "");
    expectInOrder(off.output, {"\ne1g1: 1\ne1c1: 1\n", "Nodes searched: 26\n", "\ne1h1: 1\ne1a1: 1\n",
                               "Nodes searched: 26\n"});
}

TEST(Chess960, CastlingFieldsNamingNoRookDropTheirRightWithANote) {
    const std::string out = session(
        "position fen 4k3/8/8/8/8/8/8/1KRR4 w CDh - 0 1\ngo perft 3\n"
        "position fen 4k3/8/8/8/8/8/8/1KRR4 w - - 0 1\ngo perft 3\n"
        "position fen 4k3/8/8/8/8/8/4K3/R6R w KQ - 0 1\ngo perft 2\n");
    expectInOrder(out, {"info string castling right D dropped: that side has its right already\n",
                        "info string castling right h dropped: no rook of that colour on that file\n",
                        "info string castling right K dropped: the king is not on its first rank\n",
                        "info string castling right Q dropped: the king is not on its first rank\n"});
    // The right C stands (castling once the other rook has left); the
    // dropped ones count as no right at all.
    const std::vector<uint64_t> counts = perftTotals(out);
    EXPECT_EQ(counts, (std::vector<uint64_t>{1850, 1825, 152}));
}

// Random Chess960 starts played on by the engine itself: every bestmove and
// every principal variation must replay as legal moves, castling written as
// the king taking its rook.
TEST(Chess960, SearchesFromRandomStartsGiveLegalMovesAndLines) {
    const std::vector<StartPosition> positions = loadStartPositions();
    std::mt19937 random(960);
    EngineSession engine(enginePaths()[0]);
    engine.send(kChess960On + "isready\n");
    ASSERT_TRUE(engine.waitFor("readyok"));
    static const std::regex pvLine(R"(\ninfo depth \d+ [^\n]* pv ([^\n]+))");
    for (int game = 0; game < 4; game++) {
        const std::string fen = startFen(positions[random() % positions.size()].rank, game % 2 == 1);
        std::string moves;
        for (int ply = 0; ply < 10; ply++) {
            const size_t from = engine.output().size();
            const std::string position = "position fen " + fen + (moves.empty() ? "" : " moves" + moves) + "\n";
            engine.send(position + (ply % 2 ? "go movetime 100\n" : "go depth 6\n"));
            ASSERT_TRUE(engine.waitFor("\nbestmove ", 20000, from)) << position;
            ASSERT_TRUE(engine.waitFor("\n", 5000, engine.output().find("\nbestmove ", from) + 1));
            const std::string out = engine.output().substr(from);
            const std::vector<std::string> best = bestMoves(out);
            ASSERT_EQ(best.size(), 1u) << out;
            // Each line of play, and the move, replayed after the position.
            std::string replay;
            for (std::sregex_iterator it(out.begin(), out.end(), pvLine), end; it != end; ++it)
                replay += "position fen " + fen + " moves" + moves + " " + std::string((*it)[1]) + "\n";
            moves += " " + best[0];
            const size_t checkFrom = engine.output().size();
            engine.send(replay + "position fen " + fen + " moves" + moves + "\nisready\n");
            ASSERT_TRUE(engine.waitFor("readyok", 20000, checkFrom));
            EXPECT_FALSE(contains(engine.output().substr(checkFrom), "info string error")) << position << replay;
        }
    }
    engine.send("quit\n");
    EXPECT_EQ(engine.finish(), 0);
}

}  // namespace
