// Transposition table: mate scores relative to the node, bounds, replacement.
#include <gtest/gtest.h>

#include "board/position.h"
#include "search/tt.h"
#include "support.h"
#include "search/worker.h"

namespace {

class TranspositionTable : public testing::Test {
protected:
    void SetUp() override {
        setUp("4k3/8/8/8/8/8/8/4K3 w - -");
        ttClear();
        gSearchAge = 5;
    }
    void TearDown() override { mainWorker().pos.ply = 0; }

    int32_t probe(int32_t depth, int32_t* score, Move* move) {
        *move = 0;
        return ttProbe(mainWorker(), depth, score, move);
    }
};

TEST_F(TranspositionTable, EmptyBucketMisses) {
    int32_t score = 123;
    Move move;
    EXPECT_EQ(probe(0, &score, &move), BOUND_NONE);
    EXPECT_EQ(move, 0u);
    EXPECT_EQ(score, 123);
}

TEST_F(TranspositionTable, ExactMateScoresCountFromTheNode) {
    mainWorker().pos.ply = 4;
    ttStore(mainWorker(), 0x1234, 8, 29990, BOUND_EXACT);
    EXPECT_EQ(ttRead(gTTable.entries[mainWorker().pos.hashKey & (gTTable.count - 1)].slot[0]).score, 29994);
    mainWorker().pos.ply = 6;
    int32_t score;
    Move move;
    EXPECT_EQ(probe(8, &score, &move), BOUND_EXACT);
    EXPECT_EQ(score, 29988);
    mainWorker().pos.ply = 2;
    ttStore(mainWorker(), 0, 8, -29995, BOUND_EXACT);
    EXPECT_EQ(ttRead(gTTable.entries[mainWorker().pos.hashKey & (gTTable.count - 1)].slot[0]).score, -29997);
    mainWorker().pos.ply = 3;
    EXPECT_EQ(probe(8, &score, &move), BOUND_EXACT);
    EXPECT_EQ(score, -29994);
}

TEST_F(TranspositionTable, BoundsAreClampedToTheMateBound) {
    mainWorker().pos.ply = 4;
    ttStore(mainWorker(), 0, 8, 29990, BOUND_LOWER);
    int32_t score;
    Move move;
    EXPECT_EQ(probe(8, &score, &move), BOUND_LOWER);
    EXPECT_EQ(score, 29800);
    ttStoreNoMove(mainWorker(), 8, -29990, BOUND_EXACT);  // without a move every bound is clamped
    EXPECT_EQ(probe(8, &score, &move), BOUND_EXACT);
    EXPECT_EQ(score, -29800);
}

TEST_F(TranspositionTable, ShallowEntryHandsBackOnlyItsMove) {
    ttStore(mainWorker(), 0x4321, 6, 50, BOUND_EXACT);
    int32_t score = 7;
    Move move;
    const double hits = mainWorker().hashHits, probes = mainWorker().hashProbes;
    EXPECT_EQ(probe(8, &score, &move), BOUND_NONE);
    EXPECT_EQ(move, 0x4321u);
    EXPECT_EQ(score, 7);
    EXPECT_EQ(mainWorker().hashHits, hits);
    EXPECT_EQ(mainWorker().hashProbes, probes + 1);
    EXPECT_EQ(probe(6, &score, &move), BOUND_EXACT);
    EXPECT_EQ(mainWorker().hashHits, hits + 1);
}

TEST_F(TranspositionTable, SameKeyKeepsItsMoveWhenStoredWithoutOne) {
    ttStore(mainWorker(), 0x1111, 4, 10, BOUND_LOWER);
    ttStore(mainWorker(), 0, 2, 20, BOUND_UPPER);
    int32_t score;
    Move move;
    EXPECT_EQ(probe(2, &score, &move), BOUND_UPPER);
    EXPECT_EQ(move, 0x1111u);
    EXPECT_EQ(score, 20);
    ttStoreNoMove(mainWorker(), 6, 30, BOUND_LOWER);
    EXPECT_EQ(probe(6, &score, &move), BOUND_LOWER);
    EXPECT_EQ(move, 0x1111u);
}

TEST_F(TranspositionTable, ReplacementPrefersDepthWithinOneSearch) {
    TTBucket& bucket = gTTable.entries[mainWorker().pos.hashKey & (gTTable.count - 1)];
    ttStore(mainWorker(), 0x1111, 10, 1, BOUND_EXACT);  // slot 0
    const uint64_t key = mainWorker().pos.hashKey;
    // Another position of the same bucket, shallower: slot 1.
    mainWorker().pos.hashKey = key + gTTable.count;
    ttStore(mainWorker(), 0x2222, 6, 2, BOUND_EXACT);
    EXPECT_EQ(ttRead(bucket.slot[0]).move, 0x1111u);
    EXPECT_EQ(ttRead(bucket.slot[1]).move, 0x2222u);
    // A third, shallower again: evicts slot 1.
    mainWorker().pos.hashKey = key + 2 * uint64_t(gTTable.count);
    ttStore(mainWorker(), 0x3333, 2, 3, BOUND_EXACT);
    EXPECT_EQ(ttRead(bucket.slot[1]).move, 0x3333u);
    // Equal depth replaces slot 0.
    mainWorker().pos.hashKey = key + 3 * uint64_t(gTTable.count);
    ttStore(mainWorker(), 0x4444, 10, 4, BOUND_EXACT);
    EXPECT_EQ(ttRead(bucket.slot[0]).move, 0x4444u);
    // In a later search any store takes slot 0, whatever its depth.
    gSearchAge++;
    mainWorker().pos.hashKey = key + 4 * uint64_t(gTTable.count);
    ttStore(mainWorker(), 0x5555, 2, 5, BOUND_EXACT);
    EXPECT_EQ(ttRead(bucket.slot[0]).move, 0x5555u);
    EXPECT_EQ(ttRead(bucket.slot[1]).move, 0x3333u);
    mainWorker().pos.hashKey = key;
}

TEST_F(TranspositionTable, SlotZeroHidesACopyInSlotOne) {
    TTBucket& bucket = gTTable.entries[mainWorker().pos.hashKey & (gTTable.count - 1)];
    ttWrite(bucket.slot[1], TTEntry{mainWorker().pos.hashKey, 0x7777, 99, 20, gSearchAge, BOUND_EXACT});
    ttWrite(bucket.slot[0], TTEntry{mainWorker().pos.hashKey, 0x8888, 11, 2, gSearchAge, BOUND_EXACT});
    int32_t score;
    Move move;
    EXPECT_EQ(probe(8, &score, &move), BOUND_NONE);
    EXPECT_EQ(move, 0x8888u);
}

}  // namespace

TEST_F(TranspositionTable, ASlotHalfWrittenByAnotherThreadMatchesNoKey) {
    TTBucket& bucket = gTTable.entries[mainWorker().pos.hashKey & (gTTable.count - 1)];
    ttStore(mainWorker(), 0x1111, 10, 1, BOUND_EXACT);
    const TTSlot before = bucket.slot[0];
    ttStore(mainWorker(), 0x2222, 12, -40, BOUND_LOWER);
    const TTSlot after = bucket.slot[0];
    // Each mix of the two writes' words, as a reader racing the second write
    // may see it: only the whole old or the whole new slot is this position's.
    for (int32_t mix = 1; mix < 7; mix++) {
        bucket.slot[0].check = (mix & 1 ? after : before).check;
        bucket.slot[0].data = (mix & 2 ? after : before).data;
        bucket.slot[0].meta = (mix & 4 ? after : before).meta;
        int32_t score = 0;
        Move move = 0;
        EXPECT_EQ(probe(0, &score, &move), BOUND_NONE) << "mix " << mix;
        EXPECT_EQ(move, 0u) << "mix " << mix;
    }
    bucket.slot[0] = after;
}
