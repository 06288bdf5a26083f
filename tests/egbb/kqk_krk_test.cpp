// King and queen, and king and rook, against a lone king.
#include <gtest/gtest.h>

#include <algorithm>

#include "checks.h"
#include "library.h"

using namespace egbbtest;

namespace {

int value(int side, const char* wk, const char* bk, int code, const char* man) {
    return probe(makePosition(side, sq(wk), sq(bk), {{code, sq(man)}}));
}

// With the queen's or rook's side to move every legal position is a win. With
// the lone king to move it is lost, unless the king is stalemated or can take
// the man (the bare kings draw).
TEST(EgbbKqkKrk, WinsExceptStalemateOrCapture) {
    Library::get().load();
    for (int code : {kWhiteQueen, kWhiteRook, kBlackQueen, kBlackRook}) {
        Mismatches wrong;
        forEachPlacement(code, [&](const Position& p) {
            if (!isLegal(p)) return;
            const int v = probe(p);
            if (p.side == colourOf(code)) {
                if (v <= 0 || v >= kMateScore) wrong.add(p, "not a win: " + std::to_string(v));
                return;
            }
            const MoveList moves = legalMoves(p);
            const bool canTake = std::any_of(moves.begin(), moves.end(), [](const Position& c) { return c.count == 2; });
            const bool stalemate = moves.empty() && !inCheck(p, p.side);
            const bool drawn = canTake || stalemate;
            if (drawn ? v != 0 : v >= 0 || v < -kMateScore)
                wrong.add(p, (drawn ? "not a draw: " : "not a loss: ") + std::to_string(v));
        });
        EXPECT_EQ(wrong.count(), 0) << "code " << code << wrong.examples();
    }
}

// The well-known longest wins: mate in 10 moves with the queen, in 16 with the rook.
TEST(EgbbKqkKrk, LongestWins) {
    Library::get().load();
    for (auto [code, plies] : {std::pair{kWhiteQueen, 19}, {kWhiteRook, 31}, {kBlackQueen, 19}, {kBlackRook, 31}}) {
        int longest = 0;
        forEachPlacement(code, [&](const Position& p) {
            const int v = probe(p);
            if (p.side == colourOf(code) && v != kNoValue) longest = std::max(longest, kMateScore - v);
        });
        EXPECT_EQ(longest, plies) << "code " << code;
    }
}

TEST(EgbbKqkKrk, MatesInOne) {
    Library::get().load();
    // Qc8#: the queen checks along the eighth rank, the king b6 takes a7 and b7.
    EXPECT_EQ(value(kWhite, "b6", "a8", kWhiteQueen, "c1"), kMateScore - 1);
    // Rh8#, the same net with the rook.
    EXPECT_EQ(value(kWhite, "b6", "a8", kWhiteRook, "h1"), kMateScore - 1);
    // And for Black: ...Rh1# against the white king a1 held by the king b3.
    EXPECT_EQ(value(kBlack, "a1", "b3", kBlackRook, "h8"), kMateScore - 1);
    // ...Qg1# (or ...Qa1#) with the kings in opposition on the edge.
    EXPECT_EQ(value(kBlack, "e1", "e3", kBlackQueen, "d4"), kMateScore - 1);
}

TEST(EgbbKqkKrk, CheckmatedSideScoresMinusMate) {
    Library::get().load();
    EXPECT_EQ(value(kBlack, "b6", "a8", kWhiteQueen, "b7"), -kMateScore);  // queen guarded by the king
    EXPECT_EQ(value(kBlack, "b6", "a8", kWhiteRook, "h8"), -kMateScore);
    EXPECT_EQ(value(kBlack, "c6", "c8", kWhiteQueen, "c7"), -kMateScore);
    EXPECT_EQ(value(kWhite, "a1", "b3", kBlackRook, "h1"), -kMateScore);
}

TEST(EgbbKqkKrk, StalemateAndCaptureDraw) {
    Library::get().load();
    // Stalemates: the king a8 is not in check but every square is covered.
    EXPECT_EQ(value(kBlack, "b6", "a8", kWhiteQueen, "c7"), 0);
    EXPECT_EQ(value(kBlack, "b6", "a8", kWhiteRook, "b7"), 0);
    EXPECT_EQ(value(kWhite, "h1", "f2", kBlackQueen, "g3"), 0);
    // The lone king takes an unguarded man, checking or not.
    EXPECT_EQ(value(kBlack, "d6", "a8", kWhiteQueen, "b7"), 0);
    EXPECT_EQ(value(kBlack, "d6", "a8", kWhiteRook, "b7"), 0);
    EXPECT_EQ(value(kBlack, "h1", "a8", kWhiteQueen, "b8"), 0);
    // Guarded, they win: the first is mate, the second escapes to a7 for now.
    EXPECT_EQ(value(kBlack, "c6", "a8", kWhiteQueen, "b7"), -kMateScore);
    const int guarded = value(kBlack, "c7", "a8", kWhiteRook, "b8");
    EXPECT_LT(guarded, 0);
    EXPECT_GT(guarded, -kMateScore);
}

TEST(EgbbKqkKrk, ShortMatesMatchBruteForce) {
    Library::get().load();
#if defined(__SANITIZE_ADDRESS__)
    const int samples = 40;
#else
    const int samples = 150;
#endif
    expectShortMatesMatchBruteForce(kWhiteQueen, samples, samples / 5);
    expectShortMatesMatchBruteForce(kWhiteRook, samples, samples / 5);
    expectShortMatesMatchBruteForce(kBlackRook, samples / 2, samples / 10);
}

}  // namespace
