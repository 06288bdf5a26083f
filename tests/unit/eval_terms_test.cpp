// The evaluation terms of pieces, king safety and passed pawns: worked
// examples run through the term routines in the order evaluate runs them, and
// colour symmetry over varied positions.
#include <gtest/gtest.h>

#include <type_traits>

#include "board/fen.h"
#include "board/position.h"
#include "eval/evalstate.h"
#include "eval/evaluate.h"
#include "eval/king.h"
#include "eval/params.h"
#include "eval/passers.h"
#include "eval/pawns.h"
#include "eval/pieces.h"
#include "support.h"
#include "search/worker.h"

namespace {

// The state as evaluate has it when the pieces come: pawn rows and both pawn loops done.
EvalState afterPawns(const char* fen) {
    setTunableDefaults();
    setUp(fen);
    EvalState e;
    initEvalState(mainWorker(), e);
    fillPawnRows(mainWorker(), e);
    const PawnHashEntry facts = pawnFacts(mainWorker(), e);
    evaluatePawns(mainWorker(), e, WHITE, facts);
    evaluatePawns(mainWorker(), e, BLACK, facts);
    return e;
}

// The state after every piece, as the king evaluation finds it.
EvalState afterPieces(const char* fen) {
    EvalState e = afterPawns(fen);
    for (int32_t c = 0; c < 2; c++) {
        evaluateKnights(mainWorker(), e, c);
        evaluateBishops(mainWorker(), e, c);
        evaluateRooks(mainWorker(), e, c);
        evaluateQueens(mainWorker(), e, c);
    }
    return e;
}

struct Sums {
    int32_t blended, opening, endgame;
};

Sums sumsOf(const EvalState& e) { return {e.blended, e.opening, e.endgame}; }

// What was added to the sums since `before` was taken.
Sums since(const Sums& before, const EvalState& e) {
    return {e.blended - before.blended, e.opening - before.opening, e.endgame - before.endgame};
}

// What one term routine adds to the three White-minus-Black sums (routines
// that read the board get the main worker's).
template <typename Term>
Sums added(EvalState& e, Term term, int32_t colour) {
    const Sums before = sumsOf(e);
    if constexpr (std::is_invocable_v<Term, EvalBoard&, EvalState&, int32_t>)
        term(mainWorker(), e, colour);
    else
        term(e, colour);
    return since(before, e);
}

template <typename Term>
Sums addedBy(EvalState& e, Term term) {
    const Sums before = sumsOf(e);
    if constexpr (std::is_invocable_v<Term, EvalBoard&, EvalState&>)
        term(mainWorker(), e);
    else
        term(e);
    return since(before, e);
}

// The pawn loop of one colour on a fresh state.
Sums pawnLoop(const char* fen, int32_t colour, EvalState* out = nullptr) {
    setTunableDefaults();
    setUp(fen);
    EvalState e;
    initEvalState(mainWorker(), e);
    fillPawnRows(mainWorker(), e);
    const PawnHashEntry facts = pawnFacts(mainWorker(), e);
    const Sums before = sumsOf(e);
    evaluatePawns(mainWorker(), e, colour, facts);
    if (out) *out = e;
    return since(before, e);
}

TEST(PieceTerms, KnightOutposts) {
    // e5 defended from d4, no Black pawn on d6 or f6: v = 6, base 4 -> 4 / 3,
    // protected extra 5 -> 5 / 4.
    EvalState e = afterPawns("4k3/8/8/4N3/3P4/8/8/4K3 w - -");
    evaluateKnights(mainWorker(), e, WHITE);
    EXPECT_EQ(e.outpostOpening[WHITE], 9);
    EXPECT_EQ(e.outpostEndgame[WHITE], 7);
    // The same knight for Black, mirrored.
    e = afterPawns("4k3/8/8/3p4/4n3/8/8/4K3 b - -");
    evaluateKnights(mainWorker(), e, BLACK);
    EXPECT_EQ(e.outpostOpening[BLACK], 9);
    EXPECT_EQ(e.outpostEndgame[BLACK], 7);
    // Undefended: only the base part.
    e = afterPawns("4k3/8/8/4N3/8/8/8/4K3 w - -");
    evaluateKnights(mainWorker(), e, WHITE);
    EXPECT_EQ(e.outpostOpening[WHITE], 4);
    // Within reach of a Black pawn, or outside the region: nothing.
    for (const char* fen : {"4k3/8/3p4/4N3/3P4/8/8/4K3 w - -", "4k3/8/8/N7/1P6/8/8/4K3 w - -",
                            "4k3/8/8/7N/6P1/8/8/4K3 w - -", "4k3/4N3/3P4/8/8/8/8/4K3 w - -"}) {
        e = afterPawns(fen);
        evaluateKnights(mainWorker(), e, WHITE);
        EXPECT_EQ(e.outpostOpening[WHITE] + e.outpostEndgame[WHITE], 0) << fen;
    }
}

TEST(PieceTerms, BishopOutposts) {
    // d5 (value 12), no Black pawn on the c or e files above it, defended: 3 + 9 + 4.
    EvalState e = afterPawns("4k3/8/8/3B4/2P5/8/8/4K3 w - -");
    EXPECT_EQ(added(e, evaluateBishops, WHITE).blended, 325 + 16);
    // A Black pawn on e6 makes the right side unsafe: 3 + 4.
    e = afterPawns("4k3/8/4p3/3B4/2P5/8/8/4K3 w - -");
    EXPECT_EQ(added(e, evaluateBishops, WHITE).blended, 325 + 7);
    // Pawns on both sides above it: nothing.
    e = afterPawns("4k3/2p5/4p3/3B4/8/8/8/4K3 w - -");
    EXPECT_EQ(added(e, evaluateBishops, WHITE).blended, 325);
}

TEST(PieceTerms, RookFilesAndTheEnemyKing) {
    // Open file facing the king with one foreign man between: 26 and the king file 30 / 30.
    EvalState e = afterPawns("4k3/8/8/4n3/8/8/8/4R1K1 w - -");
    Sums s = added(e, evaluateRooks, WHITE);
    EXPECT_EQ(s.blended, 500 + 26);
    EXPECT_EQ(s.opening, 30);
    EXPECT_EQ(s.endgame, 30);
    EXPECT_EQ(e.openRooks[WHITE], 1);
    // Two men between block the file; the open-file bonus stays.
    e = afterPawns("4k3/8/8/4n3/4n3/8/8/4R1K1 w - -");
    s = added(e, evaluateRooks, WHITE);
    EXPECT_EQ(s.blended, 500 + 26);
    EXPECT_EQ(s.opening, 0);
    // An own queen between does not count as a man.
    e = afterPawns("4k3/8/8/4n3/4Q3/8/8/4R1K1 w - -");
    EXPECT_EQ(added(e, evaluateRooks, WHITE).opening, 30);
    // The king on the next file: 13 / 15.
    e = afterPawns("3k4/8/8/8/8/8/8/4R1K1 w - -");
    s = added(e, evaluateRooks, WHITE);
    EXPECT_EQ(s.opening, 13);
    EXPECT_EQ(s.endgame, 15);
    // Half-open (a Black pawn on e7, the rook below it): 12 for the pawn's row, king file 20 / 20.
    e = afterPawns("4k3/4p3/8/8/8/8/8/4R1K1 w - -");
    s = added(e, evaluateRooks, WHITE);
    EXPECT_EQ(s.blended, 500 + 12);
    EXPECT_EQ(s.opening, 20);
    // An own pawn on the file: no bonus, and the rook behind it is flagged.
    e = afterPawns("4k3/8/8/8/8/4P3/8/4R1K1 w - -");
    s = added(e, evaluateRooks, WHITE);
    EXPECT_EQ(s.blended, 500);
    EXPECT_EQ(s.opening, 0);
    EXPECT_EQ(e.behindPawn[WHITE][BEHIND_ROOK][5], 1);
}

TEST(PieceTerms, RookRanksAndEnemyPassers) {
    // The seventh counts only with the enemy king on the eighth.
    EvalState e = afterPawns("4k3/R7/8/8/8/8/8/4K3 w - -");
    Sums s = added(e, evaluateRooks, WHITE);
    EXPECT_EQ(s.opening, gRook7thRankOp);
    EXPECT_EQ(s.endgame, gRook7thRankEn);
    EXPECT_EQ(e.rooksOnSeventh[WHITE], 1);
    e = afterPawns("8/R3k3/8/8/8/8/8/4K3 b - -");
    s = added(e, evaluateRooks, WHITE);
    EXPECT_EQ(s.opening + s.endgame, 0);
    EXPECT_EQ(e.rooksOnSeventh[WHITE], 0);
    // Black's rook on the second rank with the White king on the first.
    e = afterPawns("4k3/8/8/8/8/8/r7/4K3 b - -");
    s = added(e, evaluateRooks, BLACK);
    EXPECT_EQ(s.opening, -gRook7thRankOp);
    EXPECT_EQ(e.rooksOnSeventh[BLACK], 1);
    // Two rooks on the seventh: 6 / 80 on top.
    e = afterPawns("4k3/RR6/8/8/8/8/8/4K3 w - -");
    evaluateRooks(mainWorker(), e, WHITE);
    s = addedBy(e, rooksOnSeventhAndOpenFiles);
    EXPECT_EQ(s.opening, 6);
    EXPECT_EQ(s.endgame, 80);
    EXPECT_EQ(s.blended, 8);  // both files open too
    // Behind a Black passer on b3 with a clear path: 2 / 20, besides the seventh rank.
    e = afterPawns("4k3/1R6/8/8/8/1p6/8/6K1 w - -");
    s = added(e, evaluateRooks, WHITE);
    EXPECT_EQ(s.opening, 2 + gRook7thRankOp);
    EXPECT_EQ(s.endgame, 20 + gRook7thRankEn);
    // In front of it: the rank-3 value 9: -2 / -9.
    e = afterPawns("4k3/8/8/8/8/1p6/8/1R4K1 w - -");
    s = added(e, evaluateRooks, WHITE);
    EXPECT_EQ(s.opening, -(30 * 9) / 100);
    EXPECT_EQ(s.endgame, -9);
}

TEST(PieceTerms, QueenAndLateBishopTerms) {
    // Queen on the seventh with the king on the eighth, distance 1: tropism 4 / 14, +6 endgame.
    EvalState e = afterPawns("4k3/3Q4/8/8/8/8/8/4K3 b - -");
    Sums s = added(e, evaluateQueens, WHITE);
    EXPECT_EQ(s.opening, 4);
    EXPECT_EQ(s.endgame, 14 + 6);
    EXPECT_EQ(e.queenNearKing[WHITE], 1);
    // Two bishops: +50, no bad-bishop term.
    e = afterPieces("4k3/8/8/8/8/8/1P1P4/2B1KB2 w - -");
    s = addedBy(e, bishopPairAndBadBishop);
    EXPECT_EQ(s.blended, 50);
    EXPECT_EQ(s.opening + s.endgame, 0);
    // A lone dark-squared bishop with two own pawns on dark squares: -6 / -5.
    e = afterPieces("4k3/8/8/8/8/8/1P1P4/2B1K3 w - -");
    s = addedBy(e, bishopPairAndBadBishop);
    EXPECT_EQ(s.opening, -6);
    EXPECT_EQ(s.endgame, -5);
}

TEST(PieceTerms, MobilityFactorZeroStillBuildsTheMaps) {
    const char* fen = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1Q1PPP/R3KB1R w KQ -";
    const EvalState full = afterPieces(fen);
    gMobilityFactor = 0;
    EvalState e = afterPawns(fen);
    gMobilityFactor = 0;
    for (int32_t c = 0; c < 2; c++) {
        evaluateKnights(mainWorker(), e, c);
        evaluateBishops(mainWorker(), e, c);
        evaluateRooks(mainWorker(), e, c);
        evaluateQueens(mainWorker(), e, c);
    }
    setTunableDefaults();
    for (int32_t c = 0; c < 2; c++) {
        for (int32_t kind = 0; kind < 5; kind++) EXPECT_EQ(e.attackMap[c][kind], full.attackMap[c][kind]);
        EXPECT_EQ(e.queenNearKing[c], full.queenNearKing[c]);
    }
    EXPECT_NE(e.attackMap[WHITE][KNIGHT], 0u);
}

TEST(KingSafety, ShelterAndStorm) {
    // g1 behind f2, g2, h2 against the full Black army: own file 0, each side (0 + 14) / 2.
    EvalState e = afterPieces("rnbqkbnr/5ppp/8/8/8/8/5PPP/6K1 w kq -");
    EXPECT_EQ(added(e, evaluateKing, WHITE).blended, -14);
    EXPECT_EQ(e.kingFileOpen[WHITE] + e.kingAdjOpen[WHITE] + e.stormSum[BLACK], 0);
    // Without the g-pawns: A = 60 for the open own file, two open-file counts, storm 30.
    e = afterPieces("rnbqkbnr/5p1p/8/8/8/8/5P1P/6K1 w kq -");
    EXPECT_EQ(added(e, evaluateKing, WHITE).blended, -60 - 14);
    EXPECT_EQ(e.kingFileOpen[WHITE], 2);
    EXPECT_EQ(e.stormSum[BLACK], 30);
    // Black pawns storming on g4 and h4 with a rook behind on the h file:
    // half and part into the storm, and the rook's 5 with them (beside the
    // king); behind the g-pawn it would count in the behind sum.
    e = afterPieces("rnbqkbn1/5p2/7r/8/6pp/8/5PPP/6K1 w - -");
    evaluateKing(mainWorker(), e, WHITE);
    EXPECT_EQ(e.stormSum[BLACK], 30 + 24 + 5);
    EXPECT_EQ(e.behindSum[BLACK], 0);
    e = afterPieces("rnbqkbn1/5p2/6r1/8/6pp/8/5PPP/6K1 w - -");
    evaluateKing(mainWorker(), e, WHITE);
    EXPECT_EQ(e.stormSum[BLACK], 30 + 24);
    EXPECT_EQ(e.behindSum[BLACK], 5);
    // A queen and one other piece with few pawns is a light attack: no shelter terms.
    e = afterPieces("2bqk3/8/8/8/8/8/5P1P/6K1 w - -");
    EXPECT_EQ(added(e, evaluateKing, WHITE).blended, 0);
    EXPECT_EQ(e.kingFileOpen[WHITE], 0);
}

TEST(KingSafety, CastlingTerms) {
    const char* fen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w kq -";
    EvalState e = afterPieces(fen);
    mainWorker().castleRightsAtRoot[WHITE] = mainWorker().castleRightsAtRoot[BLACK] = 1;
    mainWorker().castledInSearch[WHITE] = mainWorker().castledInSearch[BLACK] = 0;
    EXPECT_EQ(addedBy(e, castlingTerms).blended, -20);  // White lost its rights without castling
    mainWorker().castledInSearch[WHITE] = 1;
    EXPECT_EQ(addedBy(e, castlingTerms).blended, 12);  // White castled in the search
    mainWorker().castleRightsAtRoot[WHITE] = 0;
    EXPECT_EQ(addedBy(e, castlingTerms).blended, 0);
    mainWorker().castleRightsAtRoot[BLACK] = mainWorker().castledInSearch[WHITE] = 0;
}

TEST(KingSafety, ZoneAttackCombinations) {
    // White's queen and rook in the Black king zone: (8, 120) with White to
    // move, (4, 90) otherwise, scaled by 130 / 100; 20 and 12 per open file.
    for (const char* fen : {"4k3/8/8/8/8/8/8/4K3 w - -", "4k3/8/8/8/8/8/8/4K3 b - -"}) {
        EvalState e = afterPawns(fen);
        e.queenNearKing[WHITE] = 1;
        e.attackMap[WHITE][ROOK] = e.kingZone[BLACK];
        e.kingFileOpen[BLACK] = 1;
        e.kingAdjOpen[BLACK] = 2;
        const Sums s = addedBy(e, kingZoneAttacks);
        const bool whiteToMove = mainWorker().pos.side == WHITE;
        EXPECT_EQ(s.opening, whiteToMove ? 10 : 5);
        EXPECT_EQ(s.endgame, whiteToMove ? 120 : 90);
        EXPECT_EQ(s.blended, 20 + 24);
    }
    // A bare Black king on the edge: the attack table applies only with the
    // White king within two squares. The queen on h1 reaches h7 and h8 of the
    // zone, the rook on a1 nothing: index 9 x 1 = 9, worth 46.
    EvalState e = afterPieces("6k1/8/8/8/8/8/8/R3K2Q w - -");
    evaluateKing(mainWorker(), e, WHITE);
    EXPECT_EQ(e.edgeAttack[WHITE], 0);
    e = afterPieces("6k1/8/6K1/8/8/8/8/R6Q w - -");
    evaluateKing(mainWorker(), e, WHITE);
    EXPECT_EQ(e.edgeAttack[WHITE], 1);
    EXPECT_EQ(addedBy(e, kingZoneAttacks).blended, 46);
}

TEST(PassedPawns, ValueByPhase) {
    // e7 at phase 0: 220; neither king near the square in front.
    EXPECT_EQ(pawnLoop("8/3kP3/8/8/8/8/8/4K3 w - -", WHITE).blended, 220);
    // At phase 64: 96, and no proximity terms against a full army.
    EXPECT_EQ(pawnLoop("rnbq1bnr/pppkPppp/8/8/8/8/PPPP1PPP/RNBQKBNR w KQ -", WHITE).blended, 96);
    // Blocked: 60% / 80% of the value off the opening / endgame sums.
    const Sums free = pawnLoop("rnbq1bnr/pppkPppp/8/8/8/8/PPPP1PPP/RNBQKBNR w KQ -", WHITE);
    const Sums blocked = pawnLoop("rnbqnb1r/pppkPppp/8/8/8/8/PPPP1PPP/RNBQKBNR w KQ -", WHITE);
    EXPECT_EQ(free.opening - blocked.opening, (96 * 60) / 100);
    EXPECT_EQ(free.endgame - blocked.endgame, (96 * 80) / 100);
}

TEST(PassedPawns, ConnectedPairCountsOnce) {
    // d6 and e6 at phase 0 (value 160): the d pawn gains 160 / 20 and 160 / 2.
    EvalState e;
    const Sums s = pawnLoop("4k3/8/3PP3/8/8/8/8/4K3 w - -", WHITE, &e);
    EXPECT_EQ(s.opening, 2 * 90 + 8);
    EXPECT_EQ(s.endgame, 2 * 115 + 80);
    EXPECT_EQ(e.passers[WHITE], 2);
    EXPECT_EQ(e.passerCount[WHITE][4] + e.passerCount[WHITE][5], 2);
}

TEST(PassedPawns, KingAndPawnAgainstKing) {
    EvalState e;
    // a2, White king b7 nearer to a8 than the Black king h8; inside the square with Black to move.
    EXPECT_GT(pawnLoop("7k/1K6/8/8/8/8/P7/8 b - -", WHITE, &e).blended, 1000);
    EXPECT_EQ(e.drawDivisor, 1);
    // h2 with the White king on h7: not won, divided by 5.
    EXPECT_LT(pawnLoop("4k3/7K/8/8/8/8/7P/8 w - -", WHITE, &e).blended, 1000);
    EXPECT_EQ(e.drawDivisor, 5);
    // e4, kings on e5 and e7: won with Black to move, drawish with White to move.
    EXPECT_GT(pawnLoop("8/4k3/8/4K3/4P3/8/8/8 b - -", WHITE, &e).blended, 1000);
    EXPECT_EQ(e.drawDivisor, 1);
    EXPECT_LT(pawnLoop("8/4k3/8/4K3/4P3/8/8/8 w - -", WHITE, &e).blended, 1000);
    EXPECT_EQ(e.drawDivisor, 5);
    // The mirrored Black rule also adds 4.
    EXPECT_GT(pawnLoop("8/8/8/4p3/4k3/8/4K3/8 b - -", BLACK, &e).blended, -1000);
    EXPECT_EQ(e.drawDivisor, 5);
    // The own king two rows ahead on the pawn's file: won.
    EXPECT_GT(pawnLoop("4k3/8/4K3/8/4P3/8/8/8 w - -", WHITE, &e).blended, 1000);
}

TEST(PassedPawns, UnstoppablePasserCountsAfterEveryLaterPawn) {
    // a7 is outside the Black king's square and comes first in White's pawn
    // list: 2 x 220 after a7, after g2 and after h2. a7: 220 + 4; g2 and h2:
    // 8 each, h2 one more for the Black king's distance.
    EvalState e;
    EXPECT_EQ(pawnLoop("8/P7/8/8/8/8/5kPP/7K w - -", WHITE, &e).blended, 224 + 8 + 9 + 3 * 440);
    EXPECT_EQ(e.bestValue[WHITE], 220);
    EXPECT_EQ(e.bestRow[WHITE], 1);
    // In the colour mirror the passer is listed last, so its bonus counts once:
    // the one place where the evaluation is not colour-symmetric.
    const std::string mirror = mirrorFen("8/P7/8/8/8/8/5kPP/7K w - -");
    EXPECT_EQ(pawnLoop(mirror.c_str(), BLACK).blended, -(224 + 8 + 9 + 440));
}

TEST(PassedPawns, MajorityAndDistantPassers) {
    // Passers on both wings against a lone king: 8 / 12; with a minor piece and
    // two passers against none, 24 more.
    EvalState e = afterPawns("4k3/8/8/8/8/8/P6P/2B1K3 w - -");
    const Sums s = addedBy(e, passerMajority);
    EXPECT_EQ(s.opening, 8);
    EXPECT_EQ(s.endgame, 12);
    EXPECT_EQ(s.blended, 24);
}

// Positions from random play out of varied starts: castled middlegames, open
// files, outposts, passers, rook, minor and pawn endings.
std::vector<std::string> variedPositions() {
    return randomPlayPositions(
        {
            "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ -",
            "2r2rk1/pp3ppp/2n1b3/3p4/3P4/2N1B3/PP3PPP/2R2RK1 w - -",
            "r2q1rk1/pp1nbppp/3p1n2/2pNp3/4P3/3P1N2/PPP2PPP/R1BQ1RK1 w - -",
            "r4rk1/1b3ppp/p3p3/1p1nP3/3N4/1B3Q2/PP3PPP/3R1RK1 b - -",
            "8/5pk1/6p1/1P6/8/6P1/5PK1/8 w - -",
            "8/pp3k2/8/3P4/8/8/5PPP/6K1 w - -",
            "8/5pk1/R5p1/8/r7/6P1/5PK1/8 w - -",
            "8/4bk2/5p2/3N4/8/6P1/5K2/8 w - -",
            "6k1/5p2/6p1/8/3Q4/6P1/q4PK1/8 b - -",
            "2kr3r/ppp2ppp/2n5/3q4/3P4/2P5/P4PPP/R2Q1RK1 w - -",
        },
        12, 40, 3, 2026);
}

TEST(EvalSymmetry, VariedPositionsEvaluateLikeTheirMirrors) {
    setTunableDefaults();
    mainWorker().castleRightsAtRoot[WHITE] = mainWorker().castleRightsAtRoot[BLACK] = 0;
    mainWorker().castledInSearch[WHITE] = mainWorker().castledInSearch[BLACK] = 0;
    int checked = 0, unstoppable = 0;
    for (const std::string& fen : variedPositions()) {
        // Unstoppable passers depend on the pawn-list order (tested above).
        const EvalState e = afterPawns(fen.c_str());
        if (e.bestValue[WHITE] || e.bestValue[BLACK]) {
            unstoppable++;
            continue;
        }
        setUp(fen.c_str());
        const int32_t score = evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE);
        setUp(mirrorFen(fen).c_str());
        ASSERT_EQ(score, evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE)) << fen;
        checked++;
    }
    EXPECT_GT(checked, 1000);
    EXPECT_LT(unstoppable, checked / 4);
}

}  // namespace
