// Setting up positions from FEN, writing them back, the display, and what
// malformed input does.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "support.h"
#include "search/worker.h"

namespace {

std::string fenNow() {
    char text[kFenTextSize];
    writeFenText(mainWorker(), text);
    return text;
}

TEST(Fen, InitialPositionCountsAndKeys) {
    setUp(kStartFen);
    for (int c = 0; c < 2; c++) {
        EXPECT_EQ(mainWorker().pos.pieceCount[c][PAWN], 8);
        EXPECT_EQ(mainWorker().pos.pieceCount[c][KNIGHT], 2);
        EXPECT_EQ(mainWorker().pos.pieceCount[c][QUEEN], 1);
        EXPECT_EQ(mainWorker().pos.pawnMaterial[c], 800);
        EXPECT_EQ(mainWorker().pos.pieceMaterial[c], 3280);
        EXPECT_EQ(mainWorker().pos.pawnsOnSeventh[c], 0);
    }
    EXPECT_EQ(fenNow(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    EXPECT_EQ(mainWorker().pos.hashKey, computeHashKey(mainWorker()));
}

TEST(Fen, EverySetUpDrawsFreshKeys) {
    setUp(kStartFen);
    const uint64_t first = mainWorker().pos.hashKey;
    setUp(kStartFen);
    EXPECT_NE(mainWorker().pos.hashKey, first);
    EXPECT_EQ(fenNow(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
}

TEST(Fen, FieldsAfterTheFourthAreIgnored) {
    setUp("8/p4kP1/8/5P2/1p6/4K3/8/8 w - - 0 58");
    EXPECT_EQ(mainWorker().pos.castle, 0);
    EXPECT_EQ(mainWorker().pos.epSquare, -1);
    EXPECT_EQ(mainWorker().pos.hashKey, computeHashKey(mainWorker()));  // includes gCastleKey[0]
    EXPECT_EQ(mainWorker().pos.pawnsOnSeventh[WHITE], 1);
    EXPECT_EQ(fenNow(), "8/p4kP1/8/5P2/1p6/4K3/8/8 w - -");
}

TEST(Fen, BlackToMoveStartsAtHistoryPlyOne) {
    setUp("4k3/8/8/8/8/8/8/4K3 b - -");
    EXPECT_EQ(mainWorker().pos.hply, 1);
    EXPECT_EQ(mainWorker().setupPly, 1);
    EXPECT_EQ(mainWorker().pos.side, BLACK);
    EXPECT_EQ(mainWorker().pos.xside, WHITE);
}

TEST(Fen, EnPassantSquareIsTakenWithoutACapturingPawn) {
    setUp("4r1k1/2qr1p2/2pb1Bp1/pp5p/3P1n1R/1B3P2/PP3P2/2Q2K1R w - a6 0 2");
    EXPECT_EQ(mainWorker().pos.epSquare, 16);
    EXPECT_EQ(mainWorker().pos.hashKey, computeHashKey(mainWorker()));
    EXPECT_EQ(fenNow(), "4r1k1/2qr1p2/2pb1Bp1/pp5p/3P1n1R/1B3P2/PP3P2/2Q2K1R w - a6");
}

std::string setUpOutput(const char* fen) {
    CaptureStdout out;
    setUp(fen);
    return out.finish();
}

TEST(Fen, WrongKingsFallBackToTheInitialPosition) {
    EXPECT_EQ(setUpOutput("8/8/8/8/8/8/8/4k3 w - -"),
              "# fen err: there's no white king\n# reset to orig board position\n");
    EXPECT_EQ(fenNow(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    EXPECT_EQ(setUpOutput("8/8/8/8/8/8/8/K6K w - -"),
              "# fen err: too many white king\n# reset to orig board position\n");
    EXPECT_EQ(setUpOutput("k6k/8/8/8/8/8/8/4K3 w - -"),
              "# fen err: too many dark king\n# reset to orig board position\n");
    EXPECT_EQ(setUpOutput("8/8/8/8/8/8/8/4K3 w - -"),
              "# fen err: there's no dark king\n# reset to orig board position\n");
}

TEST(Fen, MalformedTextIsRefusedWithoutWritingOutsideTheBoard) {
    struct Case { const char* fen; const char* message; };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/8/4K3/PPPPPPPP/PPPPPPPP/PPPPPPPP w - -", "# fen err: the board field describes more than 64 squares\n"},
        {"4k3/8/8/8/8/8/8/4K3/8888888888888888888888888888 w - -", "# fen err: the board field describes more than 64 squares\n"},
        {"4k3/8/8/8/8/8/8/4K3", "# fen err: the side to move must be w or b\n"},
        {"4k3/8/8/8/8/8/8/4K3 x - -", "# fen err: the side to move must be w or b\n"},
        {"4k3/8/8/8/8/8/8/4K3 bw - -", "# fen err: the side to move must be w or b\n"},
        {"P3k3/8/8/8/8/8/8/4K3 w - -", "# fen err: pawn on the first or last rank\n"},
        {"4k3/pppppppp/p7/8/8/8/8/4K3 w - -", "# fen err: more than 8 pawns of one colour\n"},
        {"QQQQkQQQ/QQQQQQQQ/QQQQQQQQ/8/8/8/8/4K3 w - -", "# fen err: more than 16 men of one colour\n"},
        {"4k2R/8/8/8/8/8/8/4K3 w - -", "# fen err: the side not to move is in check\n"},
        {"8/8/8/8/8/8/8/kK6 b - -", "# fen err: the side not to move is in check\n"},
        {"", "# fen err: there's no white king\n"},
    };
    for (const Case& c : cases) {
        std::string out = setUpOutput(c.fen);
        EXPECT_EQ(out, std::string(c.message) + "# reset to orig board position\n") << c.fen;
        EXPECT_EQ(fenNow(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -") << c.fen;
    }
}

// With several fields wrong, the reasons are weighed in a fixed order: kings,
// square count, side to move, then the men; castling and en-passant notes
// come before the check test that refuses the position.
TEST(Fen, TheFirstReasonInOrderIsReported) {
    const std::string reset = "# reset to orig board position\n";
    EXPECT_EQ(setUpOutput("8/8/8/8/8/8/8/8 x - -"), "# fen err: there's no white king\n" + reset);
    EXPECT_EQ(setUpOutput("4k3/8/8/8/8/8/8/K3K3/1/1/1/1/1/1/1/1/1 w - -"),
              "# fen err: too many white king\n" + reset);
    EXPECT_EQ(setUpOutput("4k3/8/8/8/8/8/8/4K3/8/P7 x - -"),
              "# fen err: the board field describes more than 64 squares\n" + reset);
    EXPECT_EQ(setUpOutput("P3k3/8/8/8/8/8/8/4K3 x - -"), "# fen err: the side to move must be w or b\n" + reset);
    EXPECT_EQ(setUpOutput("4k2R/8/8/8/8/8/8/4K3 w Kq e6"),
              "# fen err: castling right K dropped, king or rook not on its square\n"
              "# fen err: castling right q dropped, king or rook not on its square\n"
              "# fen err: en passant square e6 ignored\n"
              "# fen err: the side not to move is in check\n" +
                  reset);
    EXPECT_EQ(fenNow(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
}

TEST(Fen, CastlingRightsWithoutKingOrRookAreDropped) {
    EXPECT_EQ(setUpOutput("r3k3/8/8/8/8/8/8/4K2R w KQkq -"),
              "# fen err: castling right Q dropped, king or rook not on its square\n"
              "# fen err: castling right k dropped, king or rook not on its square\n");
    EXPECT_EQ(mainWorker().pos.castle, CASTLE_WK | CASTLE_BQ);
    EXPECT_EQ(mainWorker().pos.hashKey, computeHashKey(mainWorker()));
    EXPECT_EQ(fenNow(), "r3k3/8/8/8/8/8/8/4K2R w Kq -");
}

TEST(Fen, ImpossibleEnPassantSquaresAreDropped) {
    EXPECT_EQ(setUpOutput("4k3/8/8/8/8/8/8/4K3 w - e1"), "# fen err: en passant square e1 ignored\n");
    EXPECT_EQ(mainWorker().pos.epSquare, -1);
    EXPECT_EQ(setUpOutput("4k3/8/8/8/8/8/8/4K3 w - e6"), "# fen err: en passant square e6 ignored\n");
    EXPECT_EQ(setUpOutput("4k3/8/8/8/4P3/8/8/4K3 b - e3"), "");
    EXPECT_EQ(mainWorker().pos.epSquare, 44);
    EXPECT_EQ(mainWorker().pos.hashKey, computeHashKey(mainWorker()));
}

TEST(Fen, DisplayShowsBlackPawnsAsO) {
    setUp(kStartFen);
    CaptureStdout out;
    displayBoard(mainWorker());
    EXPECT_EQ(out.finish(),
              "\n8  r n b q k b n r\n7  o o o o o o o o\n6  . . . . . . . .\n5  . . . . . . . .\n"
              "4  . . . . . . . .\n3  . . . . . . . .\n2  P P P P P P P P\n1  R N B Q K B N R\n\n"
              "   a b c d e f g h\n\n");
}

TEST(Notation, MoveTextAndPromotionLetters) {
    EXPECT_STREQ(moveToText(makeMoveWord(52, 36, EMPTY, 24)), "e2e4");
    EXPECT_STREQ(moveToText(makeMoveWord(60, 62, EMPTY, 2)), "e1g1");
    EXPECT_STREQ(moveToText(makeMoveWord(8, 0, ROOK, 48)), "a7a8r");
    EXPECT_STREQ(moveToText(makeMoveWord(13, 6, KNIGHT, 49)), "f7g8n");
    EXPECT_STREQ(moveToText(makeMoveWord(8, 0, 6, 48)), "a7a8q");
}

TEST(Notation, ParseMoveTextPicksThePromotionPiece) {
    setUp("4k3/P7/8/8/8/8/8/4K3 w - -");
    generateAllMoves(mainWorker());
    auto pick = [](const char* text) {
        CaptureStdout out;
        int32_t i = parseMoveText(mainWorker(), text);
        std::string printed = out.finish();
        EXPECT_EQ(printed, "index i has value equal to 0\n") << text;
        return i < 0 ? std::string("none") : std::string(moveToText(mainWorker().moveStack[i].move));
    };
    EXPECT_EQ(pick("a7a8"), "a7a8q");
    EXPECT_EQ(pick("a7a8n"), "a7a8n");
    EXPECT_EQ(pick("a7a8B"), "a7a8b");
    EXPECT_EQ(pick("a7a8r"), "a7a8r");
    EXPECT_EQ(pick("a7a8Q"), "a7a8q");
    EXPECT_EQ(parseMoveText(mainWorker(), "e1e2"), 5);  // after the four promotions
    EXPECT_EQ(parseMoveText(mainWorker(), "e9e1"), -1);
    EXPECT_EQ(parseMoveText(mainWorker(), "e1"), -1);
    EXPECT_EQ(parseMoveText(mainWorker(), "i1e1"), -1);
}

}  // namespace
