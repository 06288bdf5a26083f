// The games file, the learning records and their conditions, byte for byte.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/version.h"
#include "board/fen.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/position.h"
#include "book/learning.h"
#include "book/pgn.h"
#include "config/config.h"
#include "game/game.h"
#include "search/think.h"
#include "support.h"
#include "game/gameboard.h"

namespace {

struct Played {
    const char* move;
    int32_t score, depth, ms;
};

// A game from `fen` with the given moves recorded as the loops record them.
void playGame(const char* fen, std::initializer_list<Played> moves) {
    setUp(fen);
    for (const Played& p : moves) {
        const Move m = findMove(p.move, gameBoard());
        ASSERT_NE(m, 0u) << p.move;
        makeMove(gameBoard(), m);
        recordGameMove(m, p.score);
        gGameDepths[gameBoard().pos.hply] = p.depth;
        gGameTimes[gameBoard().pos.hply] = p.ms;
    }
    snprintf(gOpponentName, sizeof gOpponentName, "Fairy-Max 5.0b");
    gPingNumber = 3;
    gLevelMoves = 40, gLevelSeconds = 300, gLevelIncrement = 0;
}

std::string tags(const char* white, const char* black, int32_t round = 3) {
    return std::string("[Site \"???\"]\n[Date \"") + kBuildDate + " {" + kBuildTime + "}\"]\n[Round \"" +
           std::to_string(round) + "\"]\n[White \"" + white + "\"]\n[Black \"" + black + "\"]\n";
}

const std::initializer_list<Played> kGame = {
    {"e2e4", 35, 12, 3000}, {"e7e5", 0, 0, 0}, {"g1f3", -125, 10, 2500}, {"b8c6", 0, 0, 0},
    {"f1c4", 1, 9, 999},    {"g8f6", 0, 0, 0}, {"d2d3", 0, 8, 1000},     {"f8c5", 0, 0, 0},
};

TEST(Records, GamesFileText) {
    TempWorkDir dir;
    playGame(kStartFen, kGame);
    gBookExitIndex = 1;
    snprintf(gResultToken, sizeof gResultToken, "1-0");
    CaptureStdout out;
    saveGame(WHITE);
    EXPECT_EQ(out.finish(), "Writing Morvantix Games...\n");
    const std::string expected =
        "[Event \"Morvantix Auto Saved Games\"]\n" + tags(kEngineName, "Fairy-Max 5.0b") +
        "[Result \"1-0\"]\n[TimeControl \"40/300+0\"]\n[Anotator \"1. e2e4 {+0.35}  ....\"]\n\n"
        "1. e2e4 {+0.35/12 3} e7e5 {0.00/0 0} 2. g1f3 {-1.25/10 2} b8c6 {0.00/0 0} 3. f1c4 {+0.01/9 0} "
        "g8f6 {0.00/0 0} \n4. d2d3 {0.00/8 1} f8c5 {0.00/0 0} 1-0\n\n";
    EXPECT_EQ(readFileText("MorvantixGames.pgn"), expected);
    // Appended, never truncated.
    CaptureStdout again;
    saveGame(WHITE);
    EXPECT_EQ(readFileText("MorvantixGames.pgn"), expected + expected);
}

TEST(Records, GamesFileForTheEngineAsBlackAndWithoutSearches) {
    TempWorkDir dir;
    playGame(kStartFen, {{"e2e4", 0, 0, 0}, {"e7e5", -40, 11, 5000}});
    gBookExitIndex = 0;  // every engine move came from the book: no annotation
    snprintf(gResultToken, sizeof gResultToken, "*");
    CaptureStdout out;
    saveGame(BLACK);
    EXPECT_EQ(readFileText("MorvantixGames.pgn"),
              "[Event \"Morvantix Auto Saved Games\"]\n" + tags("Fairy-Max 5.0b", kEngineName) +
                  "[Result \"*\"]\n[TimeControl \"40/300+0\"]\n1. e2e4 {0.00/0 0} e7e5 {-0.40/11 5} *\n\n");
    gBookExitIndex = 2;
    CaptureStdout out2;
    saveGame(BLACK);
    EXPECT_NE(readFileText("MorvantixGames.pgn").find("[Anotator \"1. ....  e7e5 {-0.40}\"]\n\n"), std::string::npos);
}

TEST(Records, ABookExitIndexOutsideTheGameNamesNoMove) {
    // When the engine searches every ply (it plays both sides) the exit index
    // formula runs below the first move: no annotation, and no index outside
    // the record.
    TempWorkDir dir;
    playGame(kStartFen, kGame);
    snprintf(gResultToken, sizeof gResultToken, "1-0");
    for (int32_t index : {-6, 0, 9, 100000}) {
        gBookExitIndex = index;
        CaptureStdout out;
        saveGame(WHITE);
    }
    const std::string text = readFileText("MorvantixGames.pgn");
    EXPECT_EQ(text.find("Anotator"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '['), 4 * 8);
}

TEST(Records, AGameSetUpWithBlackToMoveStartsAtItsFirstMove) {
    TempWorkDir dir;
    playGame("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -", {{"e7e5", 12, 7, 0}, {"g1f3", 0, 0, 0}});
    gBookExitIndex = 0;
    snprintf(gResultToken, sizeof gResultToken, "1/2-1/2");
    CaptureStdout out;
    saveGame(BLACK);
    const std::string text = readFileText("MorvantixGames.pgn");
    EXPECT_NE(text.find("\n1. ... e7e5 {+0.12/7 0} 2. g1f3 {0.00/0 0} 1/2-1/2\n\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("a8a8"), std::string::npos);
}

TEST(Records, AnUnwritableFileIsSkipped) {
    TempWorkDir dir;
    mkdir("MorvantixGames.pgn", 0755);  // a directory cannot be opened for appending
    playGame(kStartFen, kGame);
    CaptureStdout out;
    saveGame(WHITE);
    EXPECT_EQ(out.finish(), "");
}

// Ten engine moves out of book (White, from index 1), `bad` of them scored below 0.
void tenMovesOutOfBook(int32_t bad) {
    setUp(kStartFen);
    const char* moves[] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    for (int i = 0; i < 20; i++) {
        const Move m = findMove(moves[i % 4], gameBoard());
        makeMove(gameBoard(), m);
        recordGameMove(m, i % 2 ? 0 : (i / 2 < bad ? -20 : 20));
    }
    gameBoard().pos.ply = 0;
    gLearnMinutes = 5;
    gStartedFromInitial = true;
    gWriteLearnedOpening = 1;
    gBookExitIndex = 1;
    snprintf(gOpponentName, sizeof gOpponentName, "Opponent");
    gPingNumber = 1;
    gLevelMoves = 0, gLevelSeconds = 300, gLevelIncrement = 2;
}

TEST(Records, BadLineRecordAfterSixBadMoves) {
    TempWorkDir dir;
    tenMovesOutOfBook(6);  // hply 20, White to move: the check ply R = 20
    CaptureStdout out;
    checkBadLine();
    EXPECT_EQ(out.finish(), "# Updating Morvantix.lrn file...\n");
    const std::string moves =
        "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 *";
    EXPECT_EQ(readFileText("MorvantixWhiteBadBookLine.lrn"),
              "[Event \"Morvantix(W) Bad Games\"]\n" + tags(kEngineName, "Opponent", 1) +
                  "[Result \"\"]\n[TimeControl \"0/300+2\"]\n[Anotator \"1. g1f3 {-0.20} Bad Moves = 6/10 .... \"]\n\n" +
                  moves + "\n\n");
    EXPECT_EQ(readFileText("MorvantixBlackBadBookLine.lrn"), "");  // opened, nothing written
}

TEST(Records, NoBadLineRecordUnlessEveryConditionHolds) {
    {
        TempWorkDir dir;
        tenMovesOutOfBook(5);
        checkBadLine();
        EXPECT_EQ(readFileText("MorvantixWhiteBadBookLine.lrn"), "");
    }
    {
        TempWorkDir dir;
        tenMovesOutOfBook(8);
        markStartedFromSetUp();  // a game after setboard
        checkBadLine();
        EXPECT_EQ(readFileText("MorvantixWhiteBadBookLine.lrn"), "");
    }
    {
        TempWorkDir dir;
        tenMovesOutOfBook(8);
        gLearnMinutes = 2;  // a two-minute game
        checkBadLine();
        EXPECT_EQ(readFileText("MorvantixWhiteBadBookLine.lrn"), "");
    }
    {
        TempWorkDir dir;
        tenMovesOutOfBook(8);
        gWriteLearnedOpening = 0;
        checkBadLine();
        struct stat st;
        EXPECT_NE(stat("MorvantixWhiteBadBookLine.lrn", &st), 0);  // no file touched
    }
    gWriteLearnedOpening = 0;
}

TEST(Records, LearnedLineOfALostGame) {
    TempWorkDir dir;
    tenMovesOutOfBook(7);
    gLearnCheckPly = 20;
    snprintf(gResultToken, sizeof gResultToken, "0-1");
    CaptureStdout out;
    writeLearnedLine(WHITE);
    EXPECT_EQ(out.finish(), "Writing Morvantix Learned book...\n");
    EXPECT_EQ(gOutOfBookCount, 11);
    const std::string moves =
        "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 0-1";
    EXPECT_EQ(readFileText("MorvantixWhiteBadBook.pgn"),
              "[Event \"Morvantix Learned Line\"]\n" + tags(kEngineName, "Opponent", 1) +
                  "[Result \"0-1\"]\n[TimeControl \"0/300+2\"]\n[Anotator \"1. g1f3 {-0.20} Bad Moves = 7/10 .... \"]\n\n" +
                  moves + "\n\n");
    gWriteLearnedOpening = 0;
}

TEST(Records, NoLearnedLineForWinsDrawsOrTooFewBadMoves) {
    TempWorkDir dir;
    tenMovesOutOfBook(6);  // six bad moves are not enough here
    gLearnCheckPly = 20;
    snprintf(gResultToken, sizeof gResultToken, "0-1");
    writeLearnedLine(WHITE);
    tenMovesOutOfBook(9);
    gLearnCheckPly = 20;
    for (const char* token : {"1-0", "1/2-1/2", "*", "0-1"}) {
        snprintf(gResultToken, sizeof gResultToken, "%s", token);
        if (std::string(token) != "0-1") writeLearnedLine(WHITE);
    }
    writeLearnedLine(BLACK);  // 0-1 is a win for Black
    gLearnMinutes = 2;
    writeLearnedLine(WHITE);
    gLearnCheckPly = 0;  // no check ply in this game
    gLearnMinutes = 5;
    writeLearnedLine(WHITE);
    struct stat st;
    EXPECT_NE(stat("MorvantixWhiteBadBook.pgn", &st), 0);
    EXPECT_NE(stat("MorvantixBlackBadBook.pgn", &st), 0);
    gWriteLearnedOpening = 0;
}

TEST(Records, OutOfBookPositions) {
    TempWorkDir dir;
    setUp("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -");
    writeOutOfBookPosition(BLACK);
    setUp(kStartFen);
    writeOutOfBookPosition(WHITE);
    writeOutOfBookPosition(WHITE);
    EXPECT_EQ(readFileText("bOutOfBook.dbk"), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -\n");
    EXPECT_EQ(readFileText("wOutOfBook.dbk"),
              "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -\nrnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -\n");
}

TEST(Records, ResultTagHoldsOnlyAResult) {
    TempWorkDir dir;
    playGame(kStartFen, kGame);
    gBookExitIndex = 0;
    snprintf(gResultToken, sizeof gResultToken, "\"1-0\"");
    CaptureStdout quiet;
    saveGame(WHITE);
    snprintf(gResultToken, sizeof gResultToken, "1/2-1/2");
    saveGame(WHITE);
    quiet.finish();
    const std::string text = readFileText("MorvantixGames.pgn");
    EXPECT_NE(text.find("[Result \"*\"]\n"), std::string::npos) << text;
    EXPECT_NE(text.find("d2d3 {0.00/8 1} f8c5 {0.00/0 0} *\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Result \"1/2-1/2\"]\n"), std::string::npos);
    EXPECT_EQ(text.find("\"\"1-0"), std::string::npos);
}

// Two processes appending long game records to one file at once: every
// record arrives whole, none is lost.
TEST(Records, ConcurrentAppendsNeverInterleave) {
    TempWorkDir dir;
    playGame(kStartFen, kGame);
    gBookExitIndex = 0;
    snprintf(gResultToken, sizeof gResultToken, "1-0");
    // A long record: 600 recorded half-moves (about 12 kB).
    for (int32_t i = 9; i <= 600; i++) {
        gGameMoves[i] = gGameMoves[1 + (i - 1) % 8];
        gGameScores[i] = i, gGameDepths[i] = 9, gGameTimes[i] = 1000;
    }
    const int32_t playedPly = gameBoard().pos.hply;
    gameBoard().pos.hply = 600;
    constexpr int kRecords = 300;
    std::string expected[2];
    for (int child = 0; child < 2; child++) {
        snprintf(gOpponentName, sizeof gOpponentName, "%s", child ? "Process B" : "Process A");
        CaptureStdout quiet;
        saveGame(WHITE);
        quiet.finish();
        expected[child] = readFileText("MorvantixGames.pgn");
        ASSERT_GT(expected[child].size(), 10000u);
        remove("MorvantixGames.pgn");
    }
    fflush(stdout);
    // Both children wait for the parent to close the pipe, then start together.
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t pids[2];
    for (int child = 0; child < 2; child++) {
        pids[child] = fork();
        ASSERT_GE(pids[child], 0);
        if (pids[child] == 0) {
            close(start[1]);
            char go;
            while (read(start[0], &go, 1) > 0) {
            }
            if (!freopen("/dev/null", "w", stdout)) _exit(1);
            snprintf(gOpponentName, sizeof gOpponentName, "%s", child ? "Process B" : "Process A");
            for (int i = 0; i < kRecords; i++) saveGame(WHITE);
            _exit(0);
        }
    }
    close(start[0]);
    close(start[1]);
    for (pid_t pid : pids) waitpid(pid, nullptr, 0);
    const std::string text = readFileText("MorvantixGames.pgn");
    int whole[2] = {0, 0};
    size_t at = 0;
    while (at < text.size()) {
        int matched = -1;
        for (int child = 0; child < 2; child++)
            if (text.compare(at, expected[child].size(), expected[child]) == 0) matched = child;
        ASSERT_GE(matched, 0) << "a record is broken at byte " << at;
        whole[matched]++;
        at += expected[matched].size();
    }
    EXPECT_EQ(whole[0], kRecords);
    EXPECT_EQ(whole[1], kRecords);
    gameBoard().pos.hply = playedPly;
}

// A Chess960 game: its record names the variant and the start position (in
// X-FEN), its castling reads as the king taking its rook, and it writes no
// learning record.
TEST(Records, AChess960GameNamesItsVariantAndLeavesNoLearningRecord) {
    TempWorkDir dir;
    gChess960 = 1;
    playGame("1r3kr1/pppppppp/8/8/8/8/PPPPPPPP/1R3KR1 w GBgb - 0 1", {{"f1g1", 20, 9, 1000}, {"f8b8", 0, 0, 0}});
    gChess960 = 0;
    snprintf(gResultToken, sizeof gResultToken, "*");
    CaptureStdout out;
    saveGame(WHITE);
    writeOutOfBookPosition(WHITE);
    out.finish();
    EXPECT_NE(readFileText("MorvantixGames.pgn")
                  .find("[TimeControl \"40/300+0\"]\n[Variant \"Chess960\"]\n[SetUp \"1\"]\n"
                        "[FEN \"1r3kr1/pppppppp/8/8/8/8/PPPPPPPP/1R3KR1 w KQkq - 0 1\"]\n"
                        "1. f1g1 {+0.20/9 1} f8b8 {0.00/0 0} *\n"),
              std::string::npos)
        << readFileText("MorvantixGames.pgn");
    EXPECT_EQ(access("wOutOfBook.dbk", F_OK), -1);
}

}  // namespace
