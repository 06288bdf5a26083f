// Every depth of the perft reference positions (several hundred million leaves).
#include <gtest/gtest.h>

#include "../unit/perft_data.h"
#include "../unit/support.h"
#include "board/perft.h"
#include "search/worker.h"

TEST(PerftFull, EveryDepthOfEveryReferencePosition) {
    for (const PerftCase& c : loadPerftCases()) {
        setUp(c.fen.c_str());
        const size_t d = c.counts.size();
        EXPECT_EQ(uint64_t(perftCount(mainWorker(), int32_t(d))), c.counts[d - 1]) << c.fen << " depth " << d;
    }
}
