// The Polyglot book: keys, the file search, the choice by weight.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>

#include "board/fen.h"
#include "board/makemove.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/random.h"
#include "book/book.h"
#include "config/config.h"
#include "support.h"
#include "search/worker.h"

namespace {

uint64_t bookKeyAfter(std::initializer_list<const char*> moves) {
    playMoves(kStartFen, moves);
    char text[kFenTextSize];
    writeFenText(mainWorker(), text);
    return bookKey(text);
}

TEST(Book, KeysOfThePublishedExamples) {
    EXPECT_EQ(bookKeyAfter({}), 0x463B96181691FC9CULL);
    EXPECT_EQ(bookKeyAfter({"e2e4"}), 0x823C9B50FD114196ULL);
    EXPECT_EQ(bookKeyAfter({"e2e4", "d7d5"}), 0x0756B94461C50FB0ULL);
    EXPECT_EQ(bookKeyAfter({"e2e4", "d7d5", "e4e5"}), 0x662FAFB965DB29D4ULL);
    // f7f5 next to the e5 pawn: the en-passant file counts.
    EXPECT_EQ(bookKeyAfter({"e2e4", "d7d5", "e4e5", "f7f5"}), 0x22A48B5A8E47FF78ULL);
    // The king moves: castling rights partly and then wholly lost.
    EXPECT_EQ(bookKeyAfter({"e2e4", "d7d5", "e4e5", "f7f5", "e1e2"}), 0x652A607CA3F242C1ULL);
    EXPECT_EQ(bookKeyAfter({"e2e4", "d7d5", "e4e5", "f7f5", "e1e2", "e8f7"}), 0x00FDD303C946BDD9ULL);
    EXPECT_EQ(bookKeyAfter({"a2a4", "b7b5", "h2h4", "b5b4", "c2c4"}), 0x3C8123EA7B067637ULL);
    EXPECT_EQ(bookKeyAfter({"a2a4", "b7b5", "h2h4", "b5b4", "c2c4", "b4c3", "a1a3"}), 0x5C3F9B829B279560ULL);
}

TEST(Book, EnPassantFileCountsOnlyWhenAPawnCanTake) {
    // The same position with an en-passant square in the text: no black pawn
    // beside the e4 pawn, so the square makes no difference to the key.
    EXPECT_EQ(bookKey("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3"),
              bookKey("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -"));
    // With a black pawn on d4 it does.
    EXPECT_NE(bookKey("rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3"),
              bookKey("rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq -"));
}

// The entries of the test book, decoded independently of the engine.
std::multimap<uint64_t, BookEntry> testBook() {
    std::multimap<uint64_t, BookEntry> entries;
    const std::string bytes = readFileText(std::string(TEST_DATA_DIR) + "/test-book.bin");
    auto be = [&](size_t at, int n) {
        uint64_t v = 0;
        for (int i = 0; i < n; i++) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    for (size_t at = 0; at + 16 <= bytes.size(); at += 16) {
        BookEntry e{be(at, 8), uint16_t(be(at + 8, 2)), uint16_t(be(at + 10, 2)), uint32_t(be(at + 12, 4))};
        entries.insert({e.key, e});
    }
    return entries;
}

void copyTestBook() {
    std::ofstream(kBookName(), std::ios::binary) << readFileText(std::string(TEST_DATA_DIR) + "/test-book.bin");
}

TEST(Book, EveryPositionOfATestBookGivesOneOfItsMoves) {
    TempWorkDir dir;
    copyTestBook();
    const auto entries = testBook();
    EXPECT_EQ(entries.size(), 292u);
    int positions = 0, castles = 0;
    for (auto it = entries.begin(); it != entries.end(); it = entries.upper_bound(it->first)) {
        positions++;
        std::set<std::string> listed;
        auto range = entries.equal_range(it->first);
        for (auto e = range.first; e != range.second; ++e) {
            char text[8];
            bookMoveText(e->second.move, text);
            listed.insert(text);
            const int from = (e->second.move >> 6) & 63, to = e->second.move & 63;
            if ((from == 4 && (to == 7 || to == 0)) || (from == 60 && (to == 63 || to == 56))) {
                castles++;  // stored king-takes-rook, read as the king's two-square move
                EXPECT_TRUE(std::string(text) == "e1g1" || std::string(text) == "e1c1" ||
                            std::string(text) == "e8g8" || std::string(text) == "e8c8")
                    << text;
            }
        }
        char chosen[8];
        CaptureStdout quiet;
        ASSERT_EQ(probeBook(it->first, chosen), 1);
        EXPECT_EQ(quiet.finish(), "");
        EXPECT_TRUE(listed.count(chosen)) << chosen;
    }
    EXPECT_EQ(positions, 266);
    EXPECT_EQ(castles, 8);
    // Keys outside the book, below the first and above the last.
    char text[8];
    EXPECT_EQ(probeBook(0, text), 0);
    EXPECT_EQ(probeBook(~0ULL, text), 0);
    EXPECT_EQ(probeBook(0x463B96181691FC9DULL, text), 0);
}

// Another program made the test book and computed its keys from its games.
// Playing the book's moves from the start position reaches its positions
// under the engine's keys; a wrong key for one of them cuts the walk short.
// Moves that scored nothing are not in the book, so 71 of its 266 positions
// are reached this way.
TEST(Book, KeysOfThePositionsTheTestBookLeadsTo) {
    const auto entries = testBook();
    std::set<uint64_t> reached;
    std::function<void()> walk = [&] {
        char fen[kFenTextSize];
        writeFenText(mainWorker(), fen);
        const uint64_t key = bookKey(fen);
        if (!entries.count(key) || !reached.insert(key).second) return;
        const auto range = entries.equal_range(key);
        for (auto e = range.first; e != range.second; ++e) {
            char text[8];
            bookMoveText(e->second.move, text);
            const Move move = findMove(text);
            ASSERT_TRUE(move && makeMove(mainWorker(), move)) << fen << " " << text;
            walk();
            unmakeMove(mainWorker());
        }
    };
    setUp(kStartFen);
    walk();
    EXPECT_EQ(reached.size(), 71u);
}

TEST(Book, FindsALegalBookMoveInTheInitialPosition) {
    TempWorkDir dir;
    copyTestBook();
    setUp(kStartFen);
    Move move;
    ASSERT_TRUE(findBookMove(&move));
    const std::string text = moveToText(move);
    EXPECT_TRUE(text == "b1c3" || text == "d2d4" || text == "e2e4" || text == "g1f3" || text == "c2c4" ||
                text == "f2f4")
        << text;
}

TEST(Book, AChess960GameHasNoBookEvenInTheStandardPosition) {
    TempWorkDir dir;
    copyTestBook();
    gChess960 = 1;
    setUp(kStartFen);
    gChess960 = 0;
    Move move;
    EXPECT_FALSE(findBookMove(&move));
}

void writeBook(const std::vector<BookEntry>& entries) {
    std::ofstream out(kBookName(), std::ios::binary);
    for (const BookEntry& e : entries) {
        unsigned char b[16];
        for (int i = 0; i < 8; i++) b[i] = static_cast<unsigned char>(e.key >> (56 - 8 * i));
        b[8] = static_cast<unsigned char>(e.move >> 8), b[9] = static_cast<unsigned char>(e.move);
        b[10] = static_cast<unsigned char>(e.weight >> 8), b[11] = static_cast<unsigned char>(e.weight);
        b[12] = b[13] = b[14] = b[15] = 0;
        out.write(reinterpret_cast<const char*>(b), 16);
    }
}

TEST(Book, MissingShortAndCrowdedBooks) {
    TempWorkDir dir;
    char text[8];
    {
        CaptureStdout out;
        EXPECT_EQ(probeBook(1, text), 0);
        EXPECT_EQ(out.finish(), "# Missing book file\n");
    }
    std::ofstream(kBookName()) << "short";
    {
        CaptureStdout out;
        EXPECT_EQ(probeBook(1, text), 0);
        EXPECT_EQ(out.finish(), "");
    }
    std::ofstream(kBookName()).close();
    EXPECT_EQ(probeBook(1, text), 0);
    // 100 entries for a key are read; a 101st means "not in the book".
    std::vector<BookEntry> crowded(100, BookEntry{5, 0x031C, 1, 0});
    writeBook(crowded);
    EXPECT_EQ(probeBook(5, text), 1);
    crowded.push_back(BookEntry{5, 0x031C, 1, 0});
    writeBook(crowded);
    EXPECT_EQ(probeBook(5, text), 0);
    // All weights 0: no move.
    writeBook({BookEntry{7, 0x031C, 0, 0}, BookEntry{7, 0x0052, 0, 0}});
    EXPECT_EQ(probeBook(7, text), 0);
    // A promotion to a queen (code 4) reads with a lower-case q.
    writeBook({BookEntry{9, uint16_t((4 << 12) | (6 << 9) | (0 << 6) | (7 << 3) | 0), 1, 0}});
    ASSERT_EQ(probeBook(9, text), 1);
    EXPECT_STREQ(text, "a7a8q");
}

TEST(Book, ChoiceByWeight) {
    const BookEntry threeToOne[2] = {{1, 1, 3, 0}, {1, 2, 1, 0}};
    const BookEntry tenToNine[2] = {{1, 1, 10, 0}, {1, 2, 9, 0}};
    const BookEntry even[2] = {{1, 1, 5, 0}, {1, 2, 5, 0}};
    for (uint32_t seed = 0; seed < 200; seed++) {
        seedRandom(seed);
        EXPECT_EQ(chooseBookEntry(threeToOne, 2), 0);  // shares 75 and 25
        seedRandom(seed);
        EXPECT_EQ(chooseBookEntry(tenToNine, 2), 0);  // shares 52 and 47
        // Equal shares: the second only when its random addend is larger.
        seedRandom(seed);
        const int32_t first = randomDraw() % 5, second = randomDraw() % 5;
        seedRandom(seed);
        EXPECT_EQ(chooseBookEntry(even, 2), second > first ? 1 : 0);
    }
}

}  // namespace
