// Attack tests, checkers and static exchange evaluation.
#include <gtest/gtest.h>

#include "board/attacks.h"
#include "board/position.h"
#include "board/tables.h"
#include "support.h"
#include "search/worker.h"

namespace {

int32_t seeOf(const char* fen, const char* move) {
    setUp(fen);
    Move m = findMove(move);
    EXPECT_NE(m, 0u) << move;
    return see(mainWorker(), m);
}

TEST(Attacks, ExchangeEvaluationExamples) {
    // Pawn takes an undefended knight.
    EXPECT_EQ(seeOf("4k3/8/8/3n4/4P3/8/8/4K3 w - -", "e4d5"), 3);
    // Queen takes a pawn that a pawn defends.
    EXPECT_EQ(seeOf("4k3/2p5/3p4/8/8/8/8/3QK3 w - -", "d1d6"), 1 - 10);
    // Rook takes a rook that only a bishop defends, a second rook behind the
    // capturer: bishop recaptures, the second rook takes the bishop.
    EXPECT_EQ(seeOf("4k3/8/3r4/8/1b6/8/3R4/3RK3 w - -", "d2d6"), 3);
    // En passant: the destination is empty.
    EXPECT_EQ(seeOf("4k3/8/8/3pP3/8/8/8/4K3 w - d6", "e5d6"), 0);
    // Queen takes a rook that a pawn defends.
    EXPECT_EQ(seeOf("4k3/2p5/3r4/8/8/8/8/3QK3 w - -", "d1d6"), 5 - 10);
    // Pawn takes a pawn defended by a bishop, with a queen behind the capturer
    // on the diagonal: the queen recaptures after the bishop (x-ray).
    EXPECT_EQ(seeOf("4k3/8/6b1/5p2/4P3/3Q4/8/4K3 w - -", "e4f5"), 1);
}

TEST(Attacks, KingsAreNotAttackersButPawnsAre) {
    setUp("8/8/8/3k4/3K4/8/8/8 w - -");  // not reachable in play
    EXPECT_FALSE(inCheck(mainWorker(), WHITE));
    EXPECT_FALSE(inCheck(mainWorker(), BLACK));
    setUp("8/8/8/3k4/8/4p3/3K4/8 w - -");
    EXPECT_TRUE(inCheck(mainWorker(), WHITE));
    setUp("8/8/8/3k4/8/3p4/3K4/8 w - -");  // a pawn in front gives no check
    EXPECT_FALSE(inCheck(mainWorker(), WHITE));
}

TEST(Attacks, FindAttackersRecordsTwoCheckersInBitOrder) {
    setUp("4k3/8/8/8/8/5n2/8/r3K3 w - -");  // knight f3 and rook a1
    EXPECT_TRUE(findAttackers(mainWorker(), mainWorker().pos.kingSquare[WHITE], BLACK));
    EXPECT_EQ(mainWorker().checkerSquare[0], 56);  // a1 is bit 0
    EXPECT_EQ(mainWorker().checkerSquare[1], 45);  // f3
    setUp("4k3/8/8/8/8/8/8/4K3 w - -");
    EXPECT_FALSE(findAttackers(mainWorker(), mainWorker().pos.kingSquare[WHITE], BLACK));
    EXPECT_EQ(mainWorker().checkerSquare[0], -1);
    EXPECT_EQ(mainWorker().checkerSquare[1], -1);
}

TEST(Attacks, BitNumberingRunsFromA1) {
    setUp("4k3/8/8/8/8/8/8/4K3 w - -");
    EXPECT_EQ(gBitIndex[56], 0);  // a1
    EXPECT_EQ(gBitIndex[7], 63);  // h8
    EXPECT_EQ(gBitIndex[0], 56);  // a8
    // Sliders stop at the first man in every direction.
    setUp("4k3/8/8/8/1p1R2P1/8/3P4/4K3 w - -");
    uint64_t rook = rookAttacks(mainWorker().pos.occupied, 35);  // d4
    auto has = [&](int32_t sq) { return (rook >> gBitIndex[sq]) & 1; };
    EXPECT_TRUE(has(33));   // b4 blocker
    EXPECT_FALSE(has(32));  // a4 behind it
    EXPECT_TRUE(has(38));   // g4 blocker
    EXPECT_FALSE(has(39));
    EXPECT_TRUE(has(51));   // d2
    EXPECT_FALSE(has(59));  // d1
    EXPECT_TRUE(has(3));    // d8
}

}  // namespace
