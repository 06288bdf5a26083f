// The engine's bitbase loader and probe, against the stand-in library.
#include <gtest/gtest.h>

#include "board/position.h"
#include "config/config.h"
#include "eval/bitbase.h"
#include "support.h"
#include "search/worker.h"

namespace {

TEST(Bitbase, MissingLibraryLeavesTheBitbasesUnloaded) {
    gEgbbLoaded = false;
    loadBitbases("/no/such/directory/");
    EXPECT_FALSE(gEgbbLoaded);
}

TEST(Bitbase, LoadedLibraryAnswersThreeMenPositions) {
    gEgbbCacheSize = 4 * 1048576;
    gEgbbLoadType = 1;
    loadBitbases(EGBB_DIR);
    ASSERT_TRUE(gEgbbLoaded);
    int32_t score = 0;
    setUp("k7/1Q6/2K5/8/8/8/8/8 b - -");  // Black is mated
    ASSERT_TRUE(probeBitbases(mainWorker(), &score));
    EXPECT_EQ(score, -29000);
    setUp("k7/8/2K5/8/8/8/8/1Q6 w - -");  // Qb7 mates
    ASSERT_TRUE(probeBitbases(mainWorker(), &score));
    EXPECT_EQ(score, 29000 - 1);
    setUp("8/8/8/8/8/2k5/7r/K7 w - -");  // a black rook: lost for White
    ASSERT_TRUE(probeBitbases(mainWorker(), &score));
    EXPECT_LT(score, 0);
    EXPECT_GT(score, -29800);
    setUp("8/8/8/8/8/8/k1p5/2K5 w - -");  // Kxc2 is a draw
    ASSERT_TRUE(probeBitbases(mainWorker(), &score));
    EXPECT_EQ(score, 0);
    setUp("4k3/8/4K3/4P3/8/8/8/8 b - -");  // the king on a key square wins
    ASSERT_TRUE(probeBitbases(mainWorker(), &score));
    EXPECT_LT(score, 0);
    setUp("4k3/8/8/8/8/8/r7/Q3K3 w - -");  // four men: no value
    EXPECT_FALSE(probeBitbases(mainWorker(), &score));
}

}  // namespace
