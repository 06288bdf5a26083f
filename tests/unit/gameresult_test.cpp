// The end-of-game claims and resignation after each move.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/position.h"
#include "config/config.h"
#include "game/game.h"
#include "protocol/gameresult.h"
#include "support.h"
#include "game/gameboard.h"

namespace {

// Sets up the position, plays the moves, and returns what the check prints.
std::string resultAfter(const char* fen, std::initializer_list<const char*> moves = {}) {
    playMoves(fen, moves);
    generateAllMoves(gameBoard());
    CaptureStdout out;
    checkGameResult();
    return out.finish();
}

TEST(GameResult, MateAndStalemate) {
    EXPECT_EQ(resultAfter(kStartFen, {"f2f3", "e7e5", "g2g4", "d8h4"}), "0-1 {Black mates}\n");
    EXPECT_EQ(resultAfter("R5k1/5ppp/8/8/8/8/8/6K1 b - -"), "1-0 {White mates}\n");
    EXPECT_EQ(resultAfter("7k/5Q2/6K1/8/8/8/8/8 b - -"), "1/2-1/2 {Stalemate}\n");
    EXPECT_EQ(resultAfter(kStartFen, {"e2e4"}), "");
}

TEST(GameResult, InsufficientMaterial) {
    EXPECT_EQ(resultAfter("4k3/8/8/8/8/8/8/2B1K3 b - -"), "1/2-1/2 {Draw by Insufficient Material}\n");
    EXPECT_EQ(resultAfter("4k3/8/8/8/8/8/8/1NN1K3 b - -"), "");  // two knights: 630
    EXPECT_EQ(resultAfter("4k3/8/8/8/8/8/8/R3K3 b - -"), "");
}

TEST(GameResult, FiftyMovesAndRepetition) {
    setUp("4k3/8/8/8/8/8/8/R3K3 b - -");
    generateAllMoves(gameBoard());
    gameBoard().pos.fifty = 100;
    CaptureStdout out;
    checkGameResult();
    EXPECT_EQ(out.finish(), "1/2-1/2 {Draw by fifty move rule}\n");
    setUp("R3k3/8/8/8/8/8/8/4K3 b - -");  // Black in check from a8
    generateAllMoves(gameBoard());
    gameBoard().pos.fifty = 100;
    CaptureStdout inCheck;
    checkGameResult();
    EXPECT_EQ(inCheck.finish(), "");
    gameBoard().pos.fifty = 101;
    CaptureStdout past;
    checkGameResult();
    EXPECT_EQ(past.finish(), "1/2-1/2 {Draw by fifty move rule}\n");
    // The third occurrence is claimed, the second is not.
    EXPECT_EQ(resultAfter(kStartFen, {"g1f3", "g8f6", "f3g1", "f6g8"}), "");
    EXPECT_EQ(resultAfter(kStartFen, {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"}),
              "1/2-1/2 {Draw by repetition}\n");
}

TEST(GameResult, Resignation) {
    gResign = 1;
    gResignScore = -1200;
    gResignScoreCount = 3;
    auto afterScores = [](int32_t hply, std::initializer_list<int32_t> scores) {
        setUp("4k3/8/8/8/8/8/8/R3K3 b - -");
        generateAllMoves(gameBoard());
        gameBoard().pos.hply = hply;
        memset(gGameScores, 0, sizeof gGameScores);
        int32_t i = hply;
        for (int32_t s : scores) {
            gGameScores[i] = s;
            i -= 2;
        }
        CaptureStdout out;
        checkGameResult();
        return out.finish();
    };
    // White has just moved (Black to move): its last three scores, newest first.
    EXPECT_EQ(afterScores(12, {-1300, -1250, -1400}), "0-1 {White Resigns}\n");
    EXPECT_EQ(afterScores(12, {-1300, -1100, -1400}), "");
    EXPECT_EQ(afterScores(12, {-29990}), "0-1 {White Resigns}\n");
    EXPECT_EQ(afterScores(10, {-29990, -1300, -1300}), "");  // too early in the game
    gResign = 0;
    EXPECT_EQ(afterScores(12, {-29990}), "");
    // A mate and a resignation after the same move.
    gResign = 1;
    setUp(kStartFen);
    for (const char* m : {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8", "f2f3", "e7e5", "g2g4", "d8h4"})
        makeMove(gameBoard(), findMove(m, gameBoard()));
    gameBoard().pos.ply = 0;
    generateAllMoves(gameBoard());
    gGameScores[gameBoard().pos.hply] = 29999;
    CaptureStdout mate;
    checkGameResult();
    EXPECT_EQ(mate.finish(), "0-1 {Black mates}\n");
    gGameScores[gameBoard().pos.hply] = -30000;  // whatever the score says, both lines are printed
    CaptureStdout both;
    checkGameResult();
    EXPECT_EQ(both.finish(), "0-1 {Black mates}\n1-0 {Black Resigns}\n");
    gResign = 0;
}

}  // namespace
