// Make/unmake and the null move restore every field of the position; the
// incremental keys always equal the keys computed from scratch, and the key
// predicted before a move equals the one it makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "board/attacks.h"
#include "board/fen.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/position.h"
#include "config/config.h"
#include "same_position.h"
#include "support.h"
#include "search/worker.h"

namespace {

void expectSamePosition(const Position& a, const Position& b, const char* what) {
    EXPECT_TRUE(samePosition(a, b)) << what;
}

// Lists, bitboards, counters and king squares agree with the board arrays.
void expectConsistent() {
    const Position& p = mainWorker().pos;
    int32_t counts[2][6] = {};
    uint64_t occ[2] = {0, 0};
    for (int32_t s = 0; s < 64; s++) {
        if (p.piece[s] == EMPTY) {
            EXPECT_EQ(p.colour[s], EMPTY);
            continue;
        }
        counts[p.colour[s]][p.piece[s]]++;
        occ[p.colour[s]] |= 1ULL << (s ^ 56);
    }
    for (int32_t c = 0; c < 2; c++) {
        EXPECT_EQ(p.occupancy[c], occ[c]);
        EXPECT_EQ(p.pawnBits[c], p.pieceBits[c][PAWN]);
        for (int32_t k = 0; k < 6; k++) {
            ASSERT_EQ(p.pieceCount[c][k], counts[c][k]);
            for (int32_t i = 0; i < p.pieceCount[c][k]; i++) {
                int32_t s = p.pieceList[c][k][i];
                EXPECT_EQ(p.piece[s], k);
                EXPECT_EQ(p.colour[s], c);
                EXPECT_TRUE(p.pieceBits[c][k] & (1ULL << (s ^ 56)));
                EXPECT_EQ(p.listIndex[s], i);
            }
        }
        EXPECT_EQ(p.pawnNumber[c], counts[c][PAWN]);
        EXPECT_EQ(p.knightNumber[c], counts[c][KNIGHT]);
        EXPECT_EQ(p.bishopNumber[c], counts[c][BISHOP]);
        EXPECT_EQ(p.rookNumber[c], counts[c][ROOK]);
        EXPECT_EQ(p.queenNumber[c], counts[c][QUEEN]);
        EXPECT_EQ(p.pieceNumber[c], counts[c][KNIGHT] + counts[c][BISHOP] + counts[c][ROOK] + counts[c][QUEEN]);
        EXPECT_EQ(p.pawnMaterial[c], 100 * counts[c][PAWN]);
        EXPECT_EQ(p.pieceMaterial[c], 315 * counts[c][KNIGHT] + 325 * counts[c][BISHOP] +
                                          500 * counts[c][ROOK] + 1000 * counts[c][QUEEN]);
        EXPECT_EQ(p.piece[p.kingSquare[c]], KING);
    }
    EXPECT_EQ(p.occupied, occ[0] | occ[1]);
    EXPECT_EQ(p.xside, p.side ^ 1);
    EXPECT_EQ(p.hashKey, computeHashKey(mainWorker()));
    EXPECT_EQ(p.pawnKey, computePawnKey(mainWorker(), mainWorker().setupCastle));
}

struct StartPosition {
    const char* fen;
    bool chess960;
};

const StartPosition kStartPositions[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", false},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", false},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -", false},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", false},
    {"rnbqkb1r/ppppp1pp/7n/4Pp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6", false},
    {"8/PPPk4/8/8/8/8/4Kppp/8 b - -", false},
    // Chess960: kings that swap squares with their rooks, a king already on
    // its target, rooks beside and beyond the king.
    {"1r3kr1/pppppppp/8/8/8/8/PPPPPPPP/1R3KR1 w GBgb -", true},
    {"rk4r1/1ppppppp/8/8/8/8/1PPPPPPP/R5KR w HAa -", true},
    {"2rk3r/p6p/8/8/8/8/P6P/2RK3R w HChc -", true},
};

TEST(MakeMove, EveryMoveAndNullMoveRestoresEveryFieldAlongRandomGames) {
    std::mt19937 random(20261207);
    int64_t checked = 0, castles960 = 0;
    for (const auto& [fen, chess960] : kStartPositions) {
        for (int game = 0; game < 12; game++) {
            gChess960 = chess960;
            setUp(fen);
            gChess960 = 0;
            for (int move = 0; move < 80; move++) {
                expectConsistent();
                const Position before = mainWorker().pos;
                // Null move.
                const uint64_t predictedNull = keyAfterNullMove(mainWorker());
                makeNullMove(mainWorker());
                EXPECT_EQ(mainWorker().pos.hashKey, computeHashKey(mainWorker()));
                EXPECT_EQ(mainWorker().pos.hashKey, predictedNull);
                EXPECT_EQ(mainWorker().pos.epSquare, -1);
                unmakeNullMove(mainWorker());
                expectSamePosition(before, mainWorker().pos, "null move");
                // Every generated move, legal or not.
                generateAllMoves(mainWorker());
                const std::vector<Move> moves = listedMoves();
                std::vector<Move> legal;
                for (Move m : moves) {
                    const Position justBefore = mainWorker().pos;
                    const uint64_t predicted = keyAfter(mainWorker(), m);
                    if (!makeMove(mainWorker(), m)) {
                        EXPECT_EQ(0, memcmp(&justBefore, &mainWorker().pos, sizeof justBefore)) << "refused move changed it";
                        continue;
                    }
                    legal.push_back(m);
                    if ((moveFlags(m) & MOVE_CASTLE) && chess960) castles960++;
                    // The key predicted for prefetching is exact but for the two
                    // cases it leaves out.
                    if (!(moveFlags(m) & MOVE_CASTLE) && mainWorker().pos.epSquare == -1) {
                        EXPECT_EQ(predicted, mainWorker().pos.hashKey);
                    }
                    expectConsistent();
                    unmakeMove(mainWorker());
                    expectSamePosition(before, mainWorker().pos, "make/unmake");
                    checked++;
                }
                if (legal.empty() || mainWorker().pos.fifty >= 100) break;
                ASSERT_TRUE(makeMove(mainWorker(), legal[random() % legal.size()]));
                mainWorker().pos.ply = 0;
            }
        }
    }
    EXPECT_GT(checked, 20000);
    EXPECT_GT(castles960, 100);
}

TEST(MakeMove, DoubleStepSetsTheEnPassantSquareOnlyBesideAnEnemyPawn) {
    setUp(kStartFen);
    const uint64_t start = mainWorker().pos.hashKey;
    ASSERT_TRUE(makeMove(mainWorker(), findMove("e2e4")));
    EXPECT_EQ(mainWorker().pos.epSquare, -1);
    EXPECT_EQ(mainWorker().pos.hashKey, start ^ gPieceKey[WHITE][PAWN][52] ^ gPieceKey[WHITE][PAWN][36] ^ gSideKey);
    ASSERT_TRUE(makeMove(mainWorker(), findMove("d7d5")));
    ASSERT_TRUE(makeMove(mainWorker(), findMove("e4e5")));
    ASSERT_TRUE(makeMove(mainWorker(), findMove("f7f5")));
    EXPECT_EQ(mainWorker().pos.epSquare, 21);  // f6
    EXPECT_EQ(mainWorker().pos.hashKey, computeHashKey(mainWorker()));
}

TEST(MakeMove, CastlingThroughAnAttackedSquareIsRefusedAndChangesNothing) {
    setUp("4k3/8/8/8/8/8/5r2/4K2R w K -");
    generateAllMoves(mainWorker());
    const Position before = mainWorker().pos;
    Move castle = findMove("e1g1");
    ASSERT_NE(castle, 0u);
    EXPECT_FALSE(makeMove(mainWorker(), castle));
    EXPECT_EQ(0, memcmp(&before, &mainWorker().pos, sizeof before));
}

TEST(MakeMove, CastlingIsGeneratedInCheckButRefused) {
    setUp("4k3/8/8/8/8/8/4r3/R3K2R w KQ -");
    Move castle = findMove("e1g1");
    ASSERT_NE(castle, 0u);
    EXPECT_FALSE(makeMove(mainWorker(), castle));
    EXPECT_EQ(findMove("e1c1") != 0, true);
}

TEST(MakeMove, RookAndKingMovesClearTheirCastlingRights) {
    setUp("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    ASSERT_TRUE(makeMove(mainWorker(), findMove("h1h2")));
    EXPECT_EQ(mainWorker().pos.castle, 2 | 4 | 8);
    setUp("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    ASSERT_TRUE(makeMove(mainWorker(), findMove("e1f1")));
    EXPECT_EQ(mainWorker().pos.castle, 4 | 8);
    setUp("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    ASSERT_TRUE(makeMove(mainWorker(), findMove("a1a8")));
    EXPECT_EQ(mainWorker().pos.castle, 1 | 4);  // the capture on a8 clears bit 8
    EXPECT_EQ(mainWorker().pos.hashKey, computeHashKey(mainWorker()));
}

TEST(MakeMove, EnPassantCaptureLowersThePawnCountAndUnmakeRestoresIt) {
    setUp("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
    const Position before = mainWorker().pos;
    Move ep = findMove("e5d6");
    ASSERT_EQ(moveFlags(ep), 21u);
    ASSERT_TRUE(makeMove(mainWorker(), ep));
    EXPECT_EQ(mainWorker().pos.pawnNumber[BLACK], 0);
    EXPECT_EQ(mainWorker().pos.piece[27], EMPTY);  // d5
    EXPECT_EQ(mainWorker().pos.pawnKey, computePawnKey(mainWorker(), mainWorker().setupCastle));
    unmakeMove(mainWorker());
    expectSamePosition(before, mainWorker().pos, "en passant");
}

TEST(MakeMove, NullMoveClearsEnPassantAndChangesOnlySideAndEpKeys) {
    setUp("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
    const uint64_t key = mainWorker().pos.hashKey;
    makeNullMove(mainWorker());
    EXPECT_EQ(mainWorker().pos.epSquare, -1);
    EXPECT_EQ(mainWorker().pos.fifty, 0);
    EXPECT_EQ(mainWorker().pos.hashKey, key ^ gSideKey ^ gEpKey[19]);
    unmakeNullMove(mainWorker());
    EXPECT_EQ(mainWorker().pos.hashKey, key);
    EXPECT_EQ(mainWorker().pos.epSquare, 19);
}

TEST(MakeMove, RepetitionCountLooksBackToTheLastIrreversibleMove) {
    setUp(kStartFen);
    const char* shuffle[] = {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"};
    int32_t counts[8];
    for (int i = 0; i < 8; i++) {
        ASSERT_TRUE(makeMove(mainWorker(), findMove(shuffle[i])));
        counts[i] = repetitionCount(mainWorker());
    }
    EXPECT_EQ(counts[3], 1);  // start position seen once before
    EXPECT_EQ(counts[7], 2);  // third occurrence
    ASSERT_TRUE(makeMove(mainWorker(), findMove("e2e4")));
    EXPECT_EQ(repetitionCount(mainWorker()), 0);
}

}  // namespace
