// Move generation: the generators agree with each other on the legal moves,
// and the ordering scores follow the fixed classes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "board/attacks.h"
#include "board/fen.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/tables.h"
#include "search/ordering.h"
#include "support.h"

namespace {

std::set<Move> asSet(const std::vector<Move>& v) { return std::set<Move>(v.begin(), v.end()); }

const std::vector<std::string>& samplePositions() { return randomPositions(); }

TEST(MoveGen, InitialPositionListsPawnsThenKnightsInListOrder) {
    setUp(kStartFen);
    generateAllMoves();
    std::vector<std::string> texts;
    for (Move m : listedMoves()) texts.push_back(moveToText(m));
    const std::vector<std::string> expected = {"a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4", "d2d3",
                                               "d2d4", "e2e3", "e2e4", "f2f3", "f2f4", "g2g3", "g2g4",
                                               "h2h3", "h2h4", "b1a3", "b1c3", "g1f3", "g1h3"};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(moveFlags(findMove("e2e4")), 24u);
    EXPECT_EQ(moveFlags(findMove("e2e3")), 16u);
}

TEST(MoveGen, GoodCapturesAndOtherMovesTogetherAreAllMoves) {
    for (const std::string& fen : samplePositions()) {
        setUp(fen.c_str());
        generateAllMoves();
        std::vector<Move> all = listedMoves();
        generateGoodCaptures();
        std::vector<Move> good = listedMoves();
        generateOtherMoves();
        std::vector<Move> other = listedMoves();
        std::vector<Move> both = good;
        both.insert(both.end(), other.begin(), other.end());
        std::sort(both.begin(), both.end());
        std::sort(all.begin(), all.end());
        ASSERT_EQ(both, all) << fen;
        for (Move m : good) {
            int32_t attacker = gPos.piece[moveFrom(m)], victim = gPos.piece[moveTo(m)];
            EXPECT_GT(gExchangeValue[victim], gExchangeValue[attacker]) << fen;
        }
    }
}

TEST(MoveGen, EvasionsAndKingMovesGiveEveryLegalMoveInCheck) {
    int inCheckCount = 0;
    for (const std::string& fen : samplePositions()) {
        setUp(fen.c_str());
        if (!inCheck(gPos.side)) continue;
        inCheckCount++;
        const std::set<Move> legal = legalMoves();
        findAttackers(gPos.kingSquare[gPos.side], gPos.xside);
        if (gCheckerSquare[1] == -1)
            generateEvasions();
        else
            generateKingMoves();
        EXPECT_EQ(legalOf(listedMoves()), legal) << fen;
    }
    EXPECT_GT(inCheckCount, 50);
}

TEST(MoveGen, CapturesAreEveryCaptureAndPromotion) {
    for (const std::string& fen : samplePositions()) {
        setUp(fen.c_str());
        generateAllMoves();
        std::set<Move> expected;
        for (Move m : listedMoves())
            if (gPos.piece[moveTo(m)] != EMPTY || (moveFlags(m) & (MOVE_EN_PASSANT | MOVE_PROMOTION)))
                expected.insert(m);
        generateCaptures();
        EXPECT_EQ(asSet(listedMoves()), expected) << fen;
    }
}

TEST(MoveGen, QuietChecksAreQuietAndGiveCheck) {
    int found = 0;
    for (const std::string& fen : samplePositions()) {
        setUp(fen.c_str());
        if (inCheck(gPos.side)) continue;
        generateAllMoves();
        const std::set<Move> all = asSet(listedMoves());
        generateQuietChecks();
        for (Move m : listedMoves()) {
            EXPECT_TRUE(all.count(m)) << fen << " " << moveToText(m);
            EXPECT_EQ(gPos.piece[moveTo(m)], EMPTY);
            EXPECT_FALSE(moveFlags(m) & (MOVE_CASTLE | MOVE_PROMOTION));
            EXPECT_NE(gPos.piece[moveFrom(m)], KING);
            if (makeMove(m)) {
                EXPECT_TRUE(inCheck(gPos.side)) << fen << " " << moveToText(m);
                unmakeMove();
                found++;
            }
        }
    }
    EXPECT_GT(found, 100);
}

std::vector<std::string> listedTexts() {
    std::vector<std::string> texts;
    for (Move m : listedMoves()) texts.push_back(moveToText(m));
    return texts;
}

TEST(MoveGen, QuietChecksFollowTheirSlideAndKnightRules) {
    // The rook on a1 could check from a8, but its slides end at the first
    // square off the king's lines (a2, b1).
    setUp("4k3/8/8/8/8/8/8/R3K3 w - -");
    generateQuietChecks();
    EXPECT_TRUE(listedMoves().empty());
    // A rook next to the king's file slides onto it.
    setUp("4k3/8/8/8/8/8/8/3RK3 w - -");
    generateQuietChecks();
    EXPECT_TRUE(listedMoves().empty());  // d1-e1 is the own king; d2 is off the king's lines
    setUp("4k3/8/8/8/8/8/3R4/4K3 w - -");
    generateQuietChecks();
    EXPECT_EQ(listedTexts(), std::vector<std::string>({"d2e2"}));
    // A knight on the other square colour than the enemy king ends the knight
    // loop: the e4 knight listed after the a5 knight is not tried.
    setUp("4k3/8/8/8/4N3/8/8/4K3 w - -");
    generateQuietChecks();
    EXPECT_EQ(listedTexts(), std::vector<std::string>({"e4d6", "e4f6"}));
    setUp("4k3/8/8/N7/4N3/8/8/4K3 w - -");
    generateQuietChecks();
    EXPECT_TRUE(listedMoves().empty());
}

TEST(MoveGen, SingleMoveFindsEachGeneratedMoveAlone) {
    for (const std::string& fen : samplePositions()) {
        setUp(fen.c_str());
        generateAllMoves();
        const std::vector<Move> all = listedMoves();
        const std::vector<int32_t> scores = listedScores();
        for (size_t i = 0; i < all.size(); i++) {
            if (moveFlags(all[i]) & MOVE_PROMOTION) continue;
            generateSingleMove(all[i]);
            ASSERT_EQ(listedMoves(), std::vector<Move>{all[i]}) << fen << " " << moveToText(all[i]);
            EXPECT_EQ(listedScores()[0], scores[i]);
        }
    }
    setUp(kStartFen);
    generateSingleMove(makeMoveWord(52, 28, EMPTY, 0));  // e2e5 is no move
    EXPECT_TRUE(listedMoves().empty());
    generateSingleMove(makeMoveWord(12, 20, EMPTY, 16));  // a black pawn, White to move
    EXPECT_TRUE(listedMoves().empty());
}

TEST(MoveGen, KingNeverStepsNextToTheOtherKing) {
    setUp("8/8/8/3k4/8/3K4/8/8 w - -");
    generateAllMoves();
    EXPECT_EQ(listedMoves().size(), 5u);  // c2 d2 e2 c3 e3; c4 d4 e4 are next to the black king
    setUp("8/8/8/3k4/3p4/3K4/8/8 w - -");  // capturing d4 would stand next to the king
    EXPECT_EQ(findMove("d3d4"), 0u);
}

TEST(MoveGen, CaptureScoresFollowExchangeRanks) {
    // b2xa3 (pawn takes pawn), c2xb3 (pawn takes knight), e4xd5? set up directly.
    setUp("4k3/8/8/8/8/pn6/PP6/4K3 w - -");
    generateAllMoves();
    auto scoreOf = [](const char* text) {
        for (int32_t i = gFirstMove[0]; i < gFirstMove[1]; i++)
            if (std::string(moveToText(gMoveStack[i].move)) == text) return gMoveStack[i].score;
        return -1;
    };
    EXPECT_EQ(scoreOf("b2a3"), 9996000 + 100 - 0);
    EXPECT_EQ(scoreOf("a2b3"), 9997000 + 315 - 100);
    setUp("4k3/8/8/3b4/8/4N3/8/4K3 w - -");
    generateAllMoves();
    EXPECT_EQ(scoreOf("e3d5"), 9996000 + 325 - 1);
    setUp("4k3/8/8/3n4/8/5B2/8/4K3 w - -");
    generateAllMoves();
    EXPECT_EQ(scoreOf("f3d5"), 9996000 + 315 - 2);
    setUp("3qk3/8/8/8/8/8/8/3QK3 w - -");
    generateAllMoves();
    EXPECT_EQ(scoreOf("d1d8"), 9996000 + 1000 - 4);
    // Queen takes a pawn that a pawn defends: exchange evaluation negative.
    setUp("4k3/2p5/3p4/8/8/8/8/3QK3 w - -");
    generateAllMoves();
    EXPECT_EQ(scoreOf("d1d6"), 9994000 + 100 - 1000);
    // Knight takes an undefended pawn: positive exchange evaluation.
    setUp("4k3/8/3p4/8/4N3/8/8/4K3 w - -");
    generateAllMoves();
    EXPECT_EQ(scoreOf("e4d6"), 9997000 + 100 - 315);
    // En passant.
    setUp("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
    generateAllMoves();
    EXPECT_EQ(scoreOf("e5d6"), 9996100);
}

TEST(MoveGen, PromotingCaptureIsFourMovesKnightBishopRookQueen) {
    setUp("1r2k3/P7/8/8/8/8/8/4K3 w - -");
    generateAllMoves();
    std::vector<std::pair<std::string, int32_t>> found;
    for (int32_t i = gFirstMove[0]; i < gFirstMove[1]; i++)
        if (moveTo(gMoveStack[i].move) == 1) {
            EXPECT_EQ(moveFlags(gMoveStack[i].move), 49u);
            found.push_back({moveToText(gMoveStack[i].move), gMoveStack[i].score});
        }
    const std::vector<std::pair<std::string, int32_t>> expected = {
        {"a7b8n", 9989500}, {"a7b8b", 9989300}, {"a7b8r", 9989400}, {"a7b8q", 9998000}};
    EXPECT_EQ(found, expected);
}

TEST(MoveGen, QuietMovesScoreByKillersThenHistoryWithThreatDemotion) {
    memset(gHistoryValue, 0, sizeof gHistoryValue);
    memset(gKiller1, 0, sizeof gKiller1);
    memset(gKiller2, 0, sizeof gKiller2);
    memset(gMateKiller, 0, sizeof gMateKiller);
    // A rook move to d5, which the black bishop on a8 attacks.
    setUp("b3k3/8/8/8/8/8/8/3RK3 w - -");
    gHistoryValue[WHITE][ROOK][27] = 9000;
    auto scoreAtPly = [](int32_t ply) {
        gPos.ply = ply;
        gFirstMove[ply] = 0;
        generateAllMoves();
        int32_t score = -1;
        for (int32_t i = gFirstMove[ply]; i < gFirstMove[ply + 1]; i++)
            if (std::string(moveToText(gMoveStack[i].move)) == "d1d5") score = gMoveStack[i].score;
        gPos.ply = 0;
        return score;
    };
    EXPECT_EQ(scoreAtPly(3), 9000 - 7000);
    EXPECT_EQ(scoreAtPly(10), 9000);
    Move rookMove = makeMoveWord(59, 27, EMPTY, 0);
    gKiller1[3] = rookMove;
    EXPECT_EQ(scoreAtPly(3), 9995500);  // killer 1 of the ply is never demoted
    gKiller1[3] = 0;
    gKiller2[3] = gKiller2[10] = rookMove;
    EXPECT_EQ(scoreAtPly(3), 9988300);
    EXPECT_EQ(scoreAtPly(10), 9995300);  // no threat test from ply 10 on
    gKiller2[10] = 0;
    gKiller1[1] = rookMove;  // killer 1 of two plies earlier
    EXPECT_EQ(scoreAtPly(3), 9988400);
    gKiller1[1] = 0;
    gMateKiller[3] = rookMove;
    EXPECT_EQ(scoreAtPly(3), 9999000);  // the mate killer wins over killer 2
    gMateKiller[3] = gKiller2[3] = 0;
    gHistoryValue[WHITE][ROOK][27] = 0;
}

TEST(MoveGen, ThreatTestByPiece) {
    // Black pawn e5 attacks d4 and f4; black knight c6 attacks d4, e5, b4...;
    // black bishop h7 attacks d3 along its diagonal.
    setUp("4k3/7b/2n5/4p3/8/8/3P4/N2RK3 w - -");
    const int32_t d1 = 59, a1 = 56, d2 = 51, d4 = 35, b4 = 33, d3 = 43, f4 = 37;
    EXPECT_TRUE(isThreatened(WHITE, a1, f4));   // pawn attack counts for every piece
    EXPECT_TRUE(isThreatened(WHITE, d1, b4));   // knight attack counts for a rook
    EXPECT_FALSE(isThreatened(WHITE, a1, b4));  // but not for a knight
    EXPECT_TRUE(isThreatened(WHITE, d1, d3));   // bishop attack counts for a rook
    EXPECT_FALSE(isThreatened(WHITE, d2, d4));  // a pawn is never threatened
}

}  // namespace
