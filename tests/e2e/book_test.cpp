// The opening book and the record files in XBoard games.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "engine_process.h"

namespace {

int countOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
    return n;
}

// Two games in which the engine plays both sides (go, force, go, ...).
std::string twoGames() {
    std::string script = "xboard\nprotover 2\n";
    for (int game = 0; game < 2; game++) {
        script += "new\nname Tester\nlevel 40 5 0\nsd 2\npost\n";
        for (int i = 0; i < 24; i++) script += "go\nforce\n";
        script += "result 0-1 {White resigns}\n";
    }
    return script + "quit\n";
}

TEST(BookGames, BookMovesFirstAndRecordsAppendedAcrossGamesAndRuns) {
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/morvantix.bin", std::ios::binary) << readFile(std::string(TEST_DATA_DIR) + "/test-book.bin");
    std::ofstream(dir + "/morvantix.ini") << "Book ON\nAuto_Save_Game ON\nWrite_Learned_Opening ON\n";
    const std::string engine = enginePaths()[0];
    int exits = 0;
    for (int run = 0; run < 2; run++) {
        const EngineRun r = runEngine(engine, twoGames(), dir);
        ASSERT_EQ(r.exitStatus, 0);
        // The game starts from the book, then the engine searches.
        static const std::regex bookMove(R"(\n0 0 0 0 \(Book Move (b1c3|d2d4|e2e4|g1f3|c2c4|f2f4)\)\nmove \1\n)");
        EXPECT_TRUE(std::regex_search(r.output, bookMove)) << r.output;
        // The book's choice depends on the clock; a line may lead back into the
        // book, so a game leaves it at least once.
        const int left = countOf(r.output, "is out of book at move no.");
        EXPECT_GE(left, 2) << r.output;
        exits += left;
        EXPECT_EQ(countOf(r.output, "Writing Morvantix Games...\n"), 2);
    }
    const std::string games = readFile(dir + "/MorvantixGames.pgn");
    EXPECT_EQ(countOf(games, "[Event \"Morvantix Auto Saved Games\"]\n"), 4);
    EXPECT_EQ(countOf(games, "[TimeControl \"40/300+0\"]\n"), 4);
    EXPECT_EQ(countOf(games, "[Result \"0-1\"]\n"), 4);
    // 24 moves each: plies 7, 13 and 19 start new lines; the last move is
    // followed by the result token.
    static const std::regex moveText(
        R"(\n1\. [a-h][1-8][a-h][1-8] \{[+-]?\d+\.\d\d/\d+ \d+\} [a-h][1-8][a-h][1-8] \{[+-]?\d+\.\d\d/\d+ \d+\} )");
    EXPECT_TRUE(std::regex_search(games, moveText)) << games;
    static const std::regex lastMove(R"(12\. [a-h][1-8][a-h][1-8] \{[^}]*\} [a-h][1-8][a-h][1-8] \{[^}]*\} 0-1\n\n)");
    EXPECT_EQ(std::distance(std::sregex_iterator(games.begin(), games.end(), lastMove), std::sregex_iterator()), 4)
        << games;
    // One position per exit from the book; the file name tells the engine's side.
    const std::string outOfBook = readFile(dir + "/wOutOfBook.dbk") + readFile(dir + "/bOutOfBook.dbk");
    EXPECT_EQ(std::count(outOfBook.begin(), outOfBook.end(), '\n'), exits) << outOfBook;
}

TEST(BookGames, NoFilesWithoutTheSettings) {
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/morvantix.bin", std::ios::binary) << readFile(std::string(TEST_DATA_DIR) + "/test-book.bin");
    std::ofstream(dir + "/morvantix.ini") << "Book ON\n";
    const EngineRun r = runEngine(enginePaths()[0], twoGames(), dir);
    ASSERT_EQ(r.exitStatus, 0);
    const EngineRun list = runEngine("/bin/ls", "", dir);
    EXPECT_EQ(list.output.find(".pgn"), std::string::npos) << list.output;
    EXPECT_EQ(list.output.find(".dbk"), std::string::npos) << list.output;
    EXPECT_EQ(list.output.find(".lrn"), std::string::npos) << list.output;
}

TEST(BookGames, MissingBookIsReportedAndTheEngineSearches) {
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/morvantix.ini") << "Book ON\n";
    const EngineRun r = runEngine(enginePaths()[0], "xboard\nnew\nsd 2\ne2e4\nquit\n", dir);
    EXPECT_NE(r.output.find("# Missing book file\n"), std::string::npos);
    EXPECT_NE(r.output.find("\nmove "), std::string::npos);
}

}  // namespace
