// The evaluation core: colour symmetry, the caches, the lazy exit, phase,
// pawn structure, bare kings and drawish material.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "board/position.h"
#include "eval/evalcache.h"
#include "eval/evalstate.h"
#include "eval/evaluate.h"
#include "eval/params.h"
#include "eval/pawnhash.h"
#include "eval/pawns.h"
#include "support.h"
#include "search/worker.h"

namespace {

int32_t evalOf(const std::string& fen) {
    setUp(fen.c_str());
    return evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE);
}

// The score from White's point of view.
int32_t whiteEval(const std::string& fen) {
    int32_t v = evalOf(fen);
    return mainWorker().pos.side == BLACK ? -v : v;
}

TEST(Eval, EveryPositionEvaluatesLikeItsColourMirror) {
    setTunableDefaults();
    int checked = 0;
    const auto& positions = randomPositions();
    for (size_t i = 0; i < positions.size(); i += 7) {
        const std::string& fen = positions[i];
        ASSERT_EQ(evalOf(fen), evalOf(mirrorFen(fen))) << fen << "  vs  " << mirrorFen(fen);
        checked++;
    }
    EXPECT_GT(checked, 500);
    EXPECT_EQ(evalOf(kStartFen), 0);
    EXPECT_EQ(mirrorFen("4k3/2b1B3/8/8/4N3/8/4RK2/8 w - -"), "8/4rk2/8/4n3/8/8/2B1b3/4K3 b - -");
}

TEST(Eval, SecondCallComesFromTheCache) {
    setTunableDefaults();
    setUp("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQ1RK1 b kq -");
    const int32_t first = evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE);
    gKingPcsqOpFactor = 300;  // would change the score if it were computed again
    EXPECT_EQ(evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE), first);
    mainWorker().evalCache.table.clear();
    EXPECT_NE(evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE), first);
    setTunableDefaults();
}

TEST(Eval, LazyExitReturnsMaterialAndIsNotCached) {
    setTunableDefaults();
    // White is a queen up; Black to move.
    setUp("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -");
    const int32_t material = -1000;
    EXPECT_EQ(evaluate(mainWorker(), 2000, 2001), material);  // zero window far above
    int32_t cached;
    EXPECT_FALSE(evalCacheProbe(mainWorker().evalCache, mainWorker().pos.hashKey, &cached));
    EXPECT_EQ(evaluate(mainWorker(), -3000, -2000), material);  // wide window far above: PvLE margin
    const int32_t full = evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE);
    EXPECT_NE(full, material);
    EXPECT_TRUE(evalCacheProbe(mainWorker().evalCache, mainWorker().pos.hashKey, &cached));
    EXPECT_EQ(cached, full);
    // Within the margin the full evaluation runs.
    mainWorker().evalCache.table.clear();
    EXPECT_EQ(evaluate(mainWorker(), material - 100, material - 99), full);
    // No lazy exit for a side with at most 1000 of pieces.
    mainWorker().evalCache.table.clear();
    setUp("4k3/8/8/8/8/8/8/Q3K3 b - -");
    EXPECT_NE(evaluate(mainWorker(), 5000, 5001), -1000);
}

TEST(Eval, GamePhase) {
    EvalState e;
    setUp(kStartFen);
    initEvalState(mainWorker(), e);
    EXPECT_EQ(e.phase, 64);
    EXPECT_EQ(e.pawnPhase, 16);
    setUp("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq -");
    initEvalState(mainWorker(), e);
    EXPECT_EQ(e.phase, 44);
    setUp("4k2r/pppp4/8/8/8/8/PPPP4/4K2R w Kk -");
    initEvalState(mainWorker(), e);
    EXPECT_EQ(e.phase, 10);
    EXPECT_EQ(e.pawnPhase, 8);
    setUp("4k3/pppp4/8/8/8/8/PPPP4/4K3 w - -");
    initEvalState(mainWorker(), e);
    EXPECT_EQ(e.phase, 0);
}

int32_t structureOf(const char* fen) {
    setUp(fen);
    EvalState e;
    initEvalState(mainWorker(), e);
    fillPawnRows(mainWorker(), e);
    return pawnStructure(mainWorker(), pawnFacts(mainWorker(), e));
}

TEST(Eval, PawnStructureExamples) {
    // e2 is doubled and isolated (-12 - 10 - 12), e3 isolated (-10).
    EXPECT_EQ(structureOf("4k3/8/8/8/8/4P3/4P3/4K3 w - -"), -44);
    // An a-file pawn with no b-pawn is isolated (the sentinel file is empty).
    EXPECT_EQ(structureOf("4k3/P7/8/8/8/8/8/4K3 w - -"), -2);
    // d4 gains 8 - 4 from its right neighbour on the same row; e4 nothing.
    EXPECT_EQ(structureOf("4k3/8/8/8/3PP3/8/8/4K3 w - -"), 4);
    // c5 with its only neighbour b7 further up is backward (-4).
    EXPECT_EQ(structureOf("4k3/1P6/8/2P5/8/8/8/4K3 w - -"), -4);
    // b3 with a4 and c4 ahead of it is backward (-8).
    EXPECT_EQ(structureOf("4k3/8/8/8/P1P5/1P6/8/4K3 w - -"), -8);
    // Colour mirrors give opposite signs.
    EXPECT_EQ(structureOf("4k3/4p3/4p3/8/8/8/8/4K3 b - -"), 44);
    EXPECT_EQ(structureOf("4k3/8/8/3pp3/8/8/8/4K3 b - -"), -4);
}

// The pawn hash keeps the structure score, square-value sums, light-square
// counts and passed pawns: a position evaluated from a warm pawn hash must
// score as it did when they were computed.
TEST(Eval, PawnHashHitsScoreAsTheComputedFacts) {
    setTunableDefaults();
    const auto& positions = randomPositions();
    for (size_t i = 0; i < positions.size(); i += 5) {
        setUp(positions[i].c_str());
        mainWorker().pawnHash.table.clear();
        mainWorker().evalCache.table.clear();
        const int32_t computed = evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE);
        mainWorker().evalCache.table.clear();
        ASSERT_EQ(evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE), computed) << positions[i];
    }
}

TEST(Eval, PawnHashStoresForTheSideToMoveAndSkipsPawnlessBoards) {
    setUp("4k3/8/8/8/8/4P3/4P3/4K3 b - -");
    mainWorker().pawnHash.table.clear();
    mainWorker().pawnHash.probes = mainWorker().pawnHash.hits = 0;
    EvalState e;
    initEvalState(mainWorker(), e);
    fillPawnRows(mainWorker(), e);
    EXPECT_EQ(pawnStructure(mainWorker(), pawnFacts(mainWorker(), e)), -44);
    EXPECT_EQ(pawnStructure(mainWorker(), pawnFacts(mainWorker(), e)), -44);  // from the hash, negated back
    EXPECT_EQ(mainWorker().pawnHash.probes, 2);
    EXPECT_EQ(mainWorker().pawnHash.hits, 1);
    EXPECT_EQ(mainWorker().pawnHash.table.entries[mainWorker().pos.pawnKey & 262143].score, 44);  // one slot of 262144 per key
    setUp("4k3/8/8/8/8/8/8/R3K3 w - -");
    mainWorker().pawnHash.probes = 0;
    evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE);
    EXPECT_EQ(mainWorker().pawnHash.probes, 0);
}

TEST(Eval, BareKingsAndDrawishMaterial) {
    // Only the kings: divided by 5; symmetric kings give 0.
    EXPECT_EQ(evalOf("4k3/8/8/8/8/8/8/4K3 w - -"), 0);
    // Kings e1 and d7: endgame king values (-30 + 3) * 133 / 100 = -35 and
    // (-7 + 3) * 133 / 100 = -5, so (-35 + 5) / 5.
    EXPECT_EQ(whiteEval("8/3k4/8/8/8/8/8/4K3 w - -"), -6);
    // A lone minor against a lone pawn leans 150 toward the pawn.
    const int32_t withPawn = whiteEval("4k3/8/8/8/8/8/p7/4KN2 w - -");
    EXPECT_LT(withPawn, 315 - 100 - 100);
    // King and rook against king: better the nearer the edge and the closer the kings.
    const int32_t centre = whiteEval("8/8/8/3k4/8/8/8/R3K3 w - -");
    const int32_t edge = whiteEval("3k4/8/8/8/8/8/8/R3K3 w - -");
    const int32_t close = whiteEval("3k4/8/3K4/8/8/8/8/R7 w - -");
    EXPECT_GT(edge, centre);
    EXPECT_GT(close, edge);
}

}  // namespace
