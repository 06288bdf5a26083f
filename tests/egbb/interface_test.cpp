// The library's entry points and the inputs that have no value.
#include <gtest/gtest.h>

#include "library.h"

using namespace egbbtest;

namespace {

const Library& lib() { return Library::get(); }

TEST(EgbbInterface, ExportsBothFunctions) {
    EXPECT_NE(lib().symbol("load_egbb_5men"), nullptr);
    EXPECT_NE(lib().symbol("probe_egbb_5men"), nullptr);
}

// Under ctest each test runs in a process of its own, so there this probe is
// the library's first call and has to build the tables itself.
TEST(EgbbInterface, ProbeBeforeLoadBuildsTheTables) {
    EXPECT_EQ(lib().probe(kWhite, sq("b6"), sq("a8"), kWhiteQueen, sq("c1")), kMateScore - 1);
}

TEST(EgbbInterface, LoadingAgainIsHarmless) {
    lib().load("./", 8 << 20, 0);
    const int first = lib().probe(kBlack, sq("e5"), sq("e7"), kWhitePawn, sq("e4"));
    lib().load("/nowhere/", 0, 3);
    lib().load(nullptr, -1, 1);
    EXPECT_EQ(lib().probe(kBlack, sq("e5"), sq("e7"), kWhitePawn, sq("e4")), first);
    EXPECT_LT(first, 0);
    EXPECT_EQ(lib().probe(kWhite, sq("b6"), sq("a8"), kWhiteRook, sq("h1")), kMateScore - 1);
}

TEST(EgbbInterface, DrawnMaterial) {
    lib().load();
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8")), 0);
    EXPECT_EQ(lib().probe(kBlack, sq("a1"), sq("h8")), 0);
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), kWhiteBishop, sq("c1")), 0);
    EXPECT_EQ(lib().probe(kBlack, sq("e1"), sq("e8"), kBlackBishop, sq("f8")), 0);
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), kWhiteKnight, sq("g1")), 0);
    EXPECT_EQ(lib().probe(kBlack, sq("e1"), sq("e8"), kBlackKnight, sq("b8")), 0);
    // A bishop or knight cannot mate even with the lone king cornered.
    EXPECT_EQ(lib().probe(kWhite, sq("b6"), sq("a8"), kWhiteBishop, sq("d3")), 0);
    EXPECT_EQ(lib().probe(kWhite, sq("b6"), sq("a8"), kWhiteKnight, sq("a6")), 0);
}

TEST(EgbbInterface, MoreMenHaveNoValue) {
    lib().load();
    // KQKR, KRKP, KPKP, KQQK, three men besides the kings.
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), kWhiteQueen, sq("d1"), kBlackRook, sq("a8")), kNoValue);
    EXPECT_EQ(lib().probe(kBlack, sq("e1"), sq("e8"), kBlackPawn, sq("a7"), kWhiteRook, sq("h1")), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), kWhitePawn, sq("a2"), kBlackPawn, sq("h7")), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), kWhiteQueen, sq("d1"), kWhiteQueen, sq("d2")), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), kWhitePawn, sq("a2"), kWhiteKnight, sq("b1"), kBlackRook,
                          sq("h8")),
              kNoValue);
    // KBK plus an empty slot is still KBK, whichever slot holds the man.
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), 0, 0, kWhiteBishop, sq("c1")), 0);
}

TEST(EgbbInterface, UnknownPieceCodesHaveNoValue) {
    lib().load();
    for (int code : {1, 7, 13, 14, -1, -6, 100})
        EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), code, sq("d4")), kNoValue) << "code " << code;
}

TEST(EgbbInterface, IllegalPositionsHaveNoValue) {
    lib().load();
    // The kings next to each other, or on one square.
    EXPECT_EQ(lib().probe(kWhite, sq("e4"), sq("e5")), kNoValue);
    EXPECT_EQ(lib().probe(kBlack, sq("e4"), sq("f5"), kWhiteQueen, sq("a1")), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("e4"), sq("e4")), kNoValue);
    // A man on a king's square.
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), kWhiteRook, sq("e1")), kNoValue);
    EXPECT_EQ(lib().probe(kBlack, sq("e1"), sq("e8"), kWhiteRook, sq("e8")), kNoValue);
    // Pawns on the first or last rank.
    for (const char* square : {"a1", "e1", "h8", "d8"}) {
        EXPECT_EQ(lib().probe(kWhite, sq("c4"), sq("f5"), kWhitePawn, sq(square)), kNoValue) << square;
        EXPECT_EQ(lib().probe(kBlack, sq("c4"), sq("f5"), kBlackPawn, sq(square)), kNoValue) << square;
    }
    // The side not to move in check, by each kind of man.
    EXPECT_EQ(lib().probe(kWhite, sq("a1"), sq("e8"), kWhiteQueen, sq("h5")), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("a1"), sq("e8"), kWhiteRook, sq("e2")), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("a1"), sq("e8"), kWhiteBishop, sq("b5")), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("a1"), sq("e8"), kWhiteKnight, sq("f6")), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("a1"), sq("e8"), kWhitePawn, sq("d7")), kNoValue);
    EXPECT_EQ(lib().probe(kBlack, sq("e1"), sq("h8"), kBlackQueen, sq("e4")), kNoValue);
    EXPECT_EQ(lib().probe(kBlack, sq("e1"), sq("h8"), kBlackPawn, sq("f2")), kNoValue);
    EXPECT_EQ(lib().probe(kBlack, sq("e1"), sq("h8"), kBlackKnight, sq("d3")), kNoValue);
    // The same men giving check with the checked side to move are fine.
    EXPECT_NE(lib().probe(kBlack, sq("a1"), sq("e8"), kWhiteQueen, sq("h5")), kNoValue);
    EXPECT_EQ(lib().probe(kBlack, sq("a1"), sq("e8"), kWhiteKnight, sq("f6")), 0);
    EXPECT_NE(lib().probe(kWhite, sq("e1"), sq("h8"), kBlackPawn, sq("f2")), kNoValue);
    // A king between a rook and the other king blocks the check.
    EXPECT_NE(lib().probe(kWhite, sq("e6"), sq("e8"), kWhiteRook, sq("e1")), kNoValue);
    // Squares off the board and a side that is neither colour.
    EXPECT_EQ(lib().probe(kWhite, -1, sq("e8")), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), 64), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), kWhiteQueen, 64), kNoValue);
    EXPECT_EQ(lib().probe(kWhite, sq("e1"), sq("e8"), kWhiteQueen, -8), kNoValue);
    EXPECT_EQ(lib().probe(2, sq("e1"), sq("e8")), kNoValue);
    EXPECT_EQ(lib().probe(-1, sq("e1"), sq("e8"), kWhiteQueen, sq("d1")), kNoValue);
}

TEST(EgbbInterface, SlotOrderDoesNotMatter) {
    lib().load();
    const int value = lib().probe(kWhite, sq("c3"), sq("e5"), kWhiteRook, sq("h7"));
    EXPECT_GT(value, 0);
    EXPECT_EQ(lib().probe(kWhite, sq("c3"), sq("e5"), 0, 0, kWhiteRook, sq("h7")), value);
    EXPECT_EQ(lib().probe(kWhite, sq("c3"), sq("e5"), 0, 0, 0, 0, kWhiteRook, sq("h7")), value);
}

}  // namespace
