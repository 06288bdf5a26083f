// Checks over every position of each material.
#include <gtest/gtest.h>

#include <algorithm>

#include "checks.h"
#include "library.h"

using namespace egbbtest;

namespace {

constexpr int kAllCodes[] = {kWhiteQueen, kWhiteRook, kWhiteBishop, kWhiteKnight, kWhitePawn,
                             kBlackQueen, kBlackRook, kBlackBishop, kBlackKnight, kBlackPawn};

// The library has a value exactly for the legal positions.
TEST(EgbbTables, ValueExactlyForLegalPositions) {
    Library::get().load();
    for (int code : kAllCodes) {
        Mismatches wrong;
        forEachPlacement(code, [&](const Position& p) {
            const bool legal = isLegal(p);
            if (legal != (probe(p) != kNoValue)) wrong.add(p, legal ? "legal, no value" : "illegal, has a value");
        });
        EXPECT_EQ(wrong.count(), 0) << "code " << code << wrong.examples();
    }
}

TEST(EgbbTables, BareKingsAndMinorPiecesDraw) {
    Library::get().load();
    Mismatches wrong;
    for (int side : {kWhite, kBlack})
        for (int wk = 0; wk < 64; ++wk)
            for (int bk = 0; bk < 64; ++bk) {
                const Position p = makePosition(side, wk, bk);
                if (probe(p) != (isLegal(p) ? 0 : kNoValue)) wrong.add(p, std::to_string(probe(p)));
            }
    for (int code : {kWhiteBishop, kWhiteKnight, kBlackBishop, kBlackKnight})
        forEachPlacement(code, [&](const Position& p) {
            const int v = probe(p);
            if (v != kNoValue && v != 0) wrong.add(p, std::to_string(v));
        });
    EXPECT_EQ(wrong.count(), 0) << wrong.examples();
}

// Every value is the best over the legal moves of the values after them (a
// win in n plies after a move into a loss in n - 1, a loss in n when every
// move leads into a win in at most n - 1, a draw otherwise), and a position
// without moves is checkmate (-kMateScore) or stalemate (0). With all values
// within the mate score, this determines every value: following the best
// moves, the distances shrink down to a checkmate.
struct MoveStats {
    int bestOnlyByRookPromotion = 0;
    int bestOnlyByDoubleStep = 0;
};

MoveStats expectValuesFollowFromMoves(int code, int stride) {
    Library::get().load();
    Mismatches wrong;
    MoveStats stats;
    long placement = 0;
    forEachPlacement(code, [&](const Position& p) {
        if (placement++ % stride != 0) return;
        const int v = probe(p);
        if (v == kNoValue) return;  // illegal, checked elsewhere
        if (std::abs(v) > kMateScore) {
            wrong.add(p, "out of range: " + std::to_string(v));
            return;
        }
        const MoveList moves = legalMoves(p);
        int best = moves.empty() ? (inCheck(p, p.side) ? -kMateScore : 0) : -kNoValue;
        int byRook = 0, byDouble = 0, byOthers = 0;
        for (const Position& c : moves) {
            const int cv = probe(c);
            if (cv == kNoValue) {
                wrong.add(c, "no value after a legal move");
                continue;
            }
            const int through = valueThroughMove(cv);
            if (through > best) {
                best = through;
                byRook = byDouble = byOthers = 0;
            }
            if (through != best) continue;
            const bool moved = c.count == 3 && typeOf(p.units[2].code) == 6;
            if (moved && typeOf(c.units[2].code) == 3)
                ++byRook;
            else if (moved && std::abs(c.units[2].square - p.units[2].square) == 16)
                ++byDouble;
            else
                ++byOthers;
        }
        if (v != best) wrong.add(p, "value " + std::to_string(v) + ", best move gives " + std::to_string(best));
        if (best > 0 && byOthers == 0 && byRook > 0) ++stats.bestOnlyByRookPromotion;
        if (best > 0 && byOthers == 0 && byDouble > 0) ++stats.bestOnlyByDoubleStep;
    });
    EXPECT_EQ(wrong.count(), 0) << "code " << code << wrong.examples();
    return stats;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr int kStride = 7;  // every 7th placement, to keep the sanitizer build quick
#else
constexpr int kStride = 1;
#endif

TEST(EgbbTables, QueenValuesFollowFromMoves) { expectValuesFollowFromMoves(kWhiteQueen, kStride); }
TEST(EgbbTables, RookValuesFollowFromMoves) { expectValuesFollowFromMoves(kWhiteRook, kStride); }

// Pawn positions have few moves, so all of them are checked in every build;
// that keeps in the few where only the rook promotion (the queen would
// stalemate or win more slowly) or only the double step is best.
TEST(EgbbTables, PawnValuesFollowFromMoves) {
    const MoveStats stats = expectValuesFollowFromMoves(kWhitePawn, 1);
    EXPECT_GT(stats.bestOnlyByRookPromotion, 0);
    EXPECT_GT(stats.bestOnlyByDoubleStep, 0);
}

TEST(EgbbTables, BlackMenValuesFollowFromMoves) {
    for (int code : {kBlackQueen, kBlackRook, kBlackPawn}) expectValuesFollowFromMoves(code, 5 * kStride);
}

// Exchanging the colours (and turning the board) or turning the board left to
// right keeps every value.
TEST(EgbbTables, MirroredPositionsHaveTheSameValue) {
    Library::get().load();
    for (int code : kAllCodes) {
        Mismatches wrong;
        forEachPlacement(code, [&](const Position& p) {
            const int v = probe(p);
            if (colourOf(code) == kWhite && probe(colourMirrored(p)) != v) wrong.add(p, "colours exchanged");
            if (probe(fileMirrored(p)) != v) wrong.add(p, "left to right");
        });
        EXPECT_EQ(wrong.count(), 0) << "code " << code << wrong.examples();
    }
}

}  // namespace
