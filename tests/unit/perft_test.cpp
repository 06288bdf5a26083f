// Leaf counts of the reference positions: en passant (also the illegal ones
// that expose the king), castling through and out of check, promotions and
// under-promotions, discovered checks, stalemate and mate.
#include <gtest/gtest.h>

#include "board/perft.h"
#include "board/position.h"
#include "perft_data.h"
#include "support.h"
#include "search/worker.h"

namespace {

// Every depth whose count stays below the budget, so the test is quick even
// in the sanitizer build; the full depths run in the slow tests.
constexpr uint64_t kLeafBudget = 300000;

TEST(Perft, ReferencePositionsAtCheapDepths) {
    const auto cases = loadPerftCases();
    ASSERT_GE(cases.size(), 30u);
    for (const PerftCase& c : cases) {
        for (size_t d = 1; d <= c.counts.size() && c.counts[d - 1] <= kLeafBudget; d++) {
            setUp(c.fen.c_str());
            EXPECT_EQ(uint64_t(perftCount(mainWorker(), int32_t(d))), c.counts[d - 1]) << c.fen << " depth " << d;
        }
    }
}

TEST(Perft, PrintsOneLinePerMoveInGenerationOrderAndSummary) {
    setUp("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    CaptureStdout out;
    perft(mainWorker(), 1);
    std::string text = out.finish();
    const std::string head = "\n a2a3 - 1\n a2a4 - 1\n b2b3 - 1\n b2b4 - 1\n c2c3";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(text.find(" g1f3 - 1\n g1h3 - 1\n\n Perft 1 Summary\n Nodes: 20\n Time: "), std::string::npos);
    EXPECT_NE(text.find(" Nodes/sec: "), std::string::npos);
}

TEST(Perft, LeavesThePositionAsItWas) {
    setUp("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -");
    const uint64_t key = mainWorker().pos.hashKey;
    perftCount(mainWorker(), 3);
    EXPECT_EQ(mainWorker().pos.hashKey, key);
    EXPECT_EQ(mainWorker().pos.ply, 0);
    EXPECT_EQ(mainWorker().pos.hply, 0);
}

}  // namespace
