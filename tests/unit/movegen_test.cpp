// Move generation: the generators agree with each other on the legal moves,
// and the searches try the moves in the order of their classes.
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
#include "search/worker.h"

namespace {

std::set<Move> asSet(const std::vector<Move>& v) { return std::set<Move>(v.begin(), v.end()); }

const std::vector<std::string>& samplePositions() { return randomPositions(); }

TEST(MoveGen, InitialPositionListsPawnsThenKnightsInListOrder) {
    setUp(kStartFen);
    generateAllMoves(mainWorker());
    std::vector<std::string> texts;
    for (Move m : listedMoves()) texts.push_back(moveToText(m));
    const std::vector<std::string> expected = {"a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4", "d2d3",
                                               "d2d4", "e2e3", "e2e4", "f2f3", "f2f4", "g2g3", "g2g4",
                                               "h2h3", "h2h4", "b1a3", "b1c3", "g1f3", "g1h3"};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(moveFlags(findMove("e2e4")), MOVE_PAWN | MOVE_DOUBLE_STEP);
    EXPECT_EQ(moveFlags(findMove("e2e3")), MOVE_PAWN);
}

TEST(MoveGen, GoodCapturesAndOtherMovesTogetherAreAllMoves) {
    for (const std::string& fen : samplePositions()) {
        setUp(fen.c_str());
        generateAllMoves(mainWorker());
        std::vector<Move> all = listedMoves();
        generateGoodCaptures(mainWorker());
        std::vector<Move> good = listedMoves();
        generateOtherMoves(mainWorker());
        std::vector<Move> other = listedMoves();
        std::vector<Move> both = good;
        both.insert(both.end(), other.begin(), other.end());
        std::sort(both.begin(), both.end());
        std::sort(all.begin(), all.end());
        ASSERT_EQ(both, all) << fen;
        for (Move m : good) {
            int32_t attacker = mainWorker().pos.piece[moveFrom(m)], victim = mainWorker().pos.piece[moveTo(m)];
            EXPECT_GT(gExchangeValue[victim], gExchangeValue[attacker]) << fen;
        }
    }
}

TEST(MoveGen, EvasionsAndKingMovesGiveEveryLegalMoveInCheck) {
    int inCheckCount = 0;
    for (const std::string& fen : samplePositions()) {
        setUp(fen.c_str());
        if (!inCheck(mainWorker(), mainWorker().pos.side)) continue;
        inCheckCount++;
        const std::set<Move> legal = legalMoves();
        findAttackers(mainWorker(), mainWorker().pos.kingSquare[mainWorker().pos.side], mainWorker().pos.xside);
        if (mainWorker().checkerSquare[1] == -1)
            generateEvasions(mainWorker());
        else
            generateKingMoves(mainWorker());
        EXPECT_EQ(legalOf(listedMoves()), legal) << fen;
    }
    EXPECT_GT(inCheckCount, 50);
}

TEST(MoveGen, CapturesAreEveryCaptureAndPromotion) {
    for (const std::string& fen : samplePositions()) {
        setUp(fen.c_str());
        generateAllMoves(mainWorker());
        std::set<Move> expected;
        for (Move m : listedMoves())
            if (mainWorker().pos.piece[moveTo(m)] != EMPTY || (moveFlags(m) & (MOVE_EN_PASSANT | MOVE_PROMOTION)))
                expected.insert(m);
        generateCaptures(mainWorker());
        EXPECT_EQ(asSet(listedMoves()), expected) << fen;
    }
}

TEST(MoveGen, QuietChecksAreQuietAndGiveCheck) {
    int found = 0;
    for (const std::string& fen : samplePositions()) {
        setUp(fen.c_str());
        if (inCheck(mainWorker(), mainWorker().pos.side)) continue;
        generateAllMoves(mainWorker());
        const std::set<Move> all = asSet(listedMoves());
        generateQuietChecks(mainWorker());
        for (Move m : listedMoves()) {
            EXPECT_TRUE(all.count(m)) << fen << " " << moveToText(m);
            EXPECT_EQ(mainWorker().pos.piece[moveTo(m)], EMPTY);
            EXPECT_FALSE(moveFlags(m) & (MOVE_CASTLE | MOVE_PROMOTION));
            EXPECT_NE(mainWorker().pos.piece[moveFrom(m)], KING);
            if (makeMove(mainWorker(), m)) {
                EXPECT_TRUE(inCheck(mainWorker(), mainWorker().pos.side)) << fen << " " << moveToText(m);
                unmakeMove(mainWorker());
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
    generateQuietChecks(mainWorker());
    EXPECT_TRUE(listedMoves().empty());
    // A rook next to the king's file slides onto it.
    setUp("4k3/8/8/8/8/8/8/3RK3 w - -");
    generateQuietChecks(mainWorker());
    EXPECT_TRUE(listedMoves().empty());  // d1-e1 is the own king; d2 is off the king's lines
    setUp("4k3/8/8/8/8/8/3R4/4K3 w - -");
    generateQuietChecks(mainWorker());
    EXPECT_EQ(listedTexts(), std::vector<std::string>({"d2e2"}));
    // A knight on the other square colour than the enemy king ends the knight
    // loop: the e4 knight listed after the a5 knight is not tried.
    setUp("4k3/8/8/8/4N3/8/8/4K3 w - -");
    generateQuietChecks(mainWorker());
    EXPECT_EQ(listedTexts(), std::vector<std::string>({"e4d6", "e4f6"}));
    setUp("4k3/8/8/N7/4N3/8/8/4K3 w - -");
    generateQuietChecks(mainWorker());
    EXPECT_TRUE(listedMoves().empty());
}

TEST(MoveGen, SingleMoveFindsEachGeneratedMoveAlone) {
    for (const std::string& fen : samplePositions()) {
        setUp(fen.c_str());
        generateAllMoves(mainWorker());
        const std::vector<Move> all = listedMoves();
        const std::vector<int32_t> scores = listedScores();
        for (size_t i = 0; i < all.size(); i++) {
            if (moveFlags(all[i]) & MOVE_PROMOTION) continue;
            generateSingleMove(mainWorker(), all[i]);
            ASSERT_EQ(listedMoves(), std::vector<Move>{all[i]}) << fen << " " << moveToText(all[i]);
            EXPECT_EQ(listedScores()[0], scores[i]);
        }
    }
    setUp(kStartFen);
    generateSingleMove(mainWorker(), makeMoveWord(52, 28, EMPTY, 0));  // e2e5 is no move
    EXPECT_TRUE(listedMoves().empty());
    generateSingleMove(mainWorker(), makeMoveWord(12, 20, EMPTY, 16));  // a black pawn, White to move
    EXPECT_TRUE(listedMoves().empty());
}

TEST(MoveGen, KingNeverStepsNextToTheOtherKing) {
    setUp("8/8/8/3k4/8/3K4/8/8 w - -");
    generateAllMoves(mainWorker());
    EXPECT_EQ(listedMoves().size(), 5u);  // c2 d2 e2 c3 e3; c4 d4 e4 are next to the black king
    setUp("8/8/8/3k4/3p4/3K4/8/8 w - -");  // capturing d4 would stand next to the king
    EXPECT_EQ(findMove("d3d4"), 0u);
}

// Passes when the moves (coordinate text) are all in the list generated at the
// ply and their scores fall strictly along the sequence: the picker then tries
// them in this order, whatever lies between them.
testing::AssertionResult triedInOrder(int32_t ply, std::initializer_list<const char*> moves) {
    mainWorker().pos.ply = ply;
    mainWorker().firstMove[ply] = 0;
    generateAllMoves(mainWorker());
    mainWorker().pos.ply = 0;
    std::string previous;
    int32_t previousScore = 0;
    for (const char* text : moves) {
        const ScoredMove* found = nullptr;
        for (int32_t i = mainWorker().firstMove[ply]; i < mainWorker().firstMove[ply + 1]; i++)
            if (std::string(moveToText(mainWorker().moveStack[i].move)) == text) found = &mainWorker().moveStack[i];
        if (!found) return testing::AssertionFailure() << text << " is not generated at ply " << ply;
        if (!previous.empty() && found->score >= previousScore)
            return testing::AssertionFailure() << text << " (" << found->score << ") is not below " << previous
                                               << " (" << previousScore << ") at ply " << ply;
        previous = text;
        previousScore = found->score;
    }
    return testing::AssertionSuccess();
}

TEST(MoveGen, CapturesByGainThenBiggerVictimThenCheaperAttacker) {
    resetOrderingTables(mainWorker());
    // Pawn and knight take the queen, the pawn the rook, the knight a knight;
    // then a quiet move.
    setUp("4k3/8/2n5/3q1r2/1N2P3/8/8/4K3 w - -");
    EXPECT_TRUE(triedInOrder(0, {"e4d5", "b4d5", "e4f5", "b4c6", "e4e5"}));
    // Even exchanges, bigger victim first, and of two men taking the same
    // knight the cheaper one first; en passant as a pawn taking a pawn; the
    // queen taking a pawn the bishop defends after the killer.
    setUp("4k1b1/7p/8/2nrpP2/8/BN5Q/8/3RK3 w - e6");
    mainWorker().killer1[0] = findMove("d1d2");
    EXPECT_TRUE(triedInOrder(0, {"d1d5", "b3c5", "a3c5", "f5e6", "d1d2", "h3h7", "e1e2"}));
    // Without the bishop the queen wins the pawn: tried before the killer.
    setUp("4k3/7p/8/2nrpP2/8/BN5Q/8/3RK3 w - e6");
    EXPECT_TRUE(triedInOrder(0, {"d1d5", "h3h7", "d1d2", "e1e2"}));
    mainWorker().killer1[0] = 0;
}

TEST(MoveGen, PromotingCaptureIsFourMoves) {
    setUp("1r2k3/P7/8/8/8/8/8/4K3 w - -");
    generateAllMoves(mainWorker());
    std::set<int32_t> pieces;
    for (Move m : listedMoves())
        if (moveTo(m) == 1) {
            EXPECT_EQ(moveFlags(m), MOVE_CAPTURE | MOVE_PAWN | MOVE_PROMOTION);
            pieces.insert(movePromotion(m));
        }
    EXPECT_EQ(pieces, std::set<int32_t>({KNIGHT, BISHOP, ROOK, QUEEN}));
}

TEST(MoveGen, OrderOfPromotionsCapturesKillersAndQuietMoves) {
    // The black bishop on a8 attacks d5, the knight h4 (defended by g5 and the
    // h8 rook) can only be taken at a loss, the pawn b2 takes the queen.
    setUp("b3k2r/6P1/3r4/6p1/7n/q7/1P6/3RK2R w K -");
    resetOrderingTables(mainWorker());
    const Move d1d3 = findMove("d1d3"), d1d5 = findMove("d1d5");
    const int32_t d4 = 35, d5 = 27;
    // The queen promotion (capturing or not) first, then captures winning
    // material, even ones, castling, the killers (killer 1 even when its
    // square is attacked), losing captures, the under-promotions (knight,
    // rook, bishop) and the quiet moves by history.
    mainWorker().killer1[3] = d1d5;
    mainWorker().killer2[3] = d1d3;
    mainWorker().historyValue[WHITE][ROOK][d4] = 60000;
    EXPECT_TRUE(triedInOrder(3, {"g7h8q", "b2a3", "d1d6", "e1g1", "d1d5", "d1d3", "h1h4", "g7h8n", "g7g8r",
                                 "g7h8b", "d1d4", "d1d2"}));
    resetOrderingTables(mainWorker());
    // Killer 1 of two plies earlier comes between the killers of the ply. Up to
    // ply 9 a killer 2 on an attacked square falls behind the under-promotions
    // (yet before any history); from ply 10 on it does not.
    mainWorker().killer1[1] = d1d3;
    mainWorker().killer2[3] = mainWorker().killer2[10] = d1d5;
    mainWorker().historyValue[WHITE][ROOK][d4] = 60000;
    EXPECT_TRUE(triedInOrder(3, {"e1g1", "d1d3", "h1h4", "g7g8b", "d1d5", "d1d4"}));
    EXPECT_TRUE(triedInOrder(10, {"e1g1", "d1d5", "h1h4"}));
    // A mate killer before everything; one of two plies earlier before the
    // queen promotion too, unless its square is attacked.
    mainWorker().mateKiller[3] = d1d5;
    EXPECT_TRUE(triedInOrder(3, {"d1d5", "g7g8q", "b2a3"}));
    resetOrderingTables(mainWorker());
    mainWorker().mateKiller[1] = d1d3;
    EXPECT_TRUE(triedInOrder(3, {"d1d3", "g7g8q"}));
    mainWorker().mateKiller[1] = d1d5;
    EXPECT_TRUE(triedInOrder(3, {"h1h4", "d1d5", "g7g8n"}));
    resetOrderingTables(mainWorker());
    // History: a rook's move to an attacked square falls behind one with less
    // history up to ply 9, not from ply 10 on.
    mainWorker().historyValue[WHITE][ROOK][d5] = 9000;
    mainWorker().historyValue[WHITE][ROOK][d4] = 5000;
    EXPECT_TRUE(triedInOrder(3, {"d1d4", "d1d5"}));
    EXPECT_TRUE(triedInOrder(10, {"d1d5", "d1d4"}));
    resetOrderingTables(mainWorker());
}

TEST(MoveGen, ThreatTestByPiece) {
    // Black pawn e5 attacks d4 and f4; black knight c6 attacks d4, e5, b4...;
    // black bishop h7 attacks d3 along its diagonal.
    setUp("4k3/7b/2n5/4p3/8/8/3P4/N2RK3 w - -");
    const int32_t d1 = 59, a1 = 56, d2 = 51, d4 = 35, b4 = 33, d3 = 43, f4 = 37;
    EXPECT_TRUE(isThreatened(mainWorker(), WHITE, a1, f4));   // pawn attack counts for every piece
    EXPECT_TRUE(isThreatened(mainWorker(), WHITE, d1, b4));   // knight attack counts for a rook
    EXPECT_FALSE(isThreatened(mainWorker(), WHITE, a1, b4));  // but not for a knight
    EXPECT_TRUE(isThreatened(mainWorker(), WHITE, d1, d3));   // bishop attack counts for a rook
    EXPECT_FALSE(isThreatened(mainWorker(), WHITE, d2, d4));  // a pawn is never threatened
}

}  // namespace
