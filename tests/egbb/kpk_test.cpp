// King and pawn against king.
#include <gtest/gtest.h>

#include "checks.h"
#include "library.h"

using namespace egbbtest;

namespace {

Position kpk(int side, const char* wk, const char* bk, const char* pawn) {
    return makePosition(side, sq(wk), sq(bk), {{kWhitePawn, sq(pawn)}});
}

// The value of a position with a white pawn, after checking that the same
// position with colours exchanged (a black pawn) has the same value.
int value(int side, const char* wk, const char* bk, const char* pawn) {
    const Position p = kpk(side, wk, bk, pawn);
    const int v = probe(p);
    EXPECT_EQ(probe(colourMirrored(p)), v) << describe(p);
    return v;
}

TEST(EgbbKpk, PromotionWithMate) {
    Library::get().load();
    // c8=Q# or c8=R#: the new piece checks along the eighth rank, the king b6
    // covers a7 and b7. The promotion is the first ply.
    EXPECT_EQ(value(kWhite, "b6", "a8", "c7"), kMateScore - 1);
    // With Black to move it is stalemate: a7 and b7 are next to the king b6,
    // the pawn guards b8.
    EXPECT_EQ(value(kBlack, "b6", "a8", "c7"), 0);
}

// 1.g8=Q stalemates (the queen covers a2, the king b1 and b2), so the rook
// wins: 1.g8=R Ka2 2.Ra8#, three plies.
TEST(EgbbKpk, UnderpromotionToRook) {
    Library::get().load();
    EXPECT_EQ(value(kWhite, "c2", "a1", "g7"), kMateScore - 3);
    EXPECT_EQ(value(kWhite, "c6", "a7", "c7"), kMateScore - 3);  // 1.c8=R Ka6 2.Ra8#
}

// With the king two ranks in front of its pawn (a key square), away from the
// rook files, White wins whoever moves, wherever the black king stands on the
// last two ranks.
TEST(EgbbKpk, KingOnKeySquareWins) {
    Library::get().load();
    static const char* const kKeySquares[] = {"d6", "e6", "f6"};
    for (const char* wk : kKeySquares)
        for (int bk = sq("a7"); bk <= sq("h8"); ++bk) {
            const Position white = makePosition(kWhite, sq(wk), bk, {{kWhitePawn, sq("e4")}});
            if (!isLegal(white)) continue;
            EXPECT_GT(probe(white), 0) << describe(white);
            const Position black = makePosition(kBlack, sq(wk), bk, {{kWhitePawn, sq("e4")}});
            EXPECT_LT(probe(black), 0) << describe(black);
        }
    // The king on the sixth rank in front of a pawn on the fifth: the pawn's
    // spare step wins even with White to move (1.Kf6 Kf8 2.e6 Ke8 3.e7).
    EXPECT_GT(value(kWhite, "e6", "e8", "e5"), 0);
    EXPECT_LT(value(kBlack, "e6", "e8", "e5"), 0);
}

TEST(EgbbKpk, Opposition) {
    Library::get().load();
    // Ke5/e4 against Ke7: Black to move must give way (1...Kd7 2.Kf6), White
    // to move cannot make progress against the opposition.
    EXPECT_EQ(value(kWhite, "e5", "e7", "e4"), 0);
    EXPECT_LT(value(kBlack, "e5", "e7", "e4"), 0);
    // Kf6/e6 against Ke8: 1.e7 Kd7 2.Kf7 queens; with Black to move 1...Kf8!
    // 2.e7+ Ke8 3.Ke6 is stalemate.
    EXPECT_GT(value(kWhite, "f6", "e8", "e6"), 0);
    EXPECT_EQ(value(kBlack, "f6", "e8", "e6"), 0);
}

// A rook pawn does not win against a king in the corner in front of it, on
// either wing, wherever the white king is and whoever moves.
TEST(EgbbKpk, RookPawnAgainstCornerKingDraws) {
    Library::get().load();
    for (int rank = 1; rank <= 5; ++rank)
        for (int wk = 0; wk < 64; ++wk)
            for (int side : {kWhite, kBlack}) {
                const Position a = makePosition(side, wk, sq("a8"), {{kWhitePawn, rank * 8}});
                if (!isLegal(a)) continue;
                EXPECT_EQ(probe(a), 0) << describe(a);
                const Position h = fileMirrored(a);
                EXPECT_EQ(probe(h), 0) << describe(h);
            }
}

TEST(EgbbKpk, ShortMatesMatchBruteForce) {
    Library::get().load();
#if defined(__SANITIZE_ADDRESS__)
    const int samples = 40;
#else
    const int samples = 150;
#endif
    expectShortMatesMatchBruteForce(kWhitePawn, samples, samples / 5);
    expectShortMatesMatchBruteForce(kBlackPawn, samples / 2, samples / 10);
}

}  // namespace
