#include "book/pgn.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "base/version.h"
#include "board/notation.h"
#include "board/position.h"
#include "book/learning.h"
#include "game/game.h"
#include "game/gameboard.h"

namespace {

const char* const kGamesFile = "MorvantixGames.pgn";
constexpr int32_t kTenMoves = 10;

// A name as a PGN string: double quotes and backslashes escaped.
void writeName(RecordText& r, const char* name) {
    for (const char* p = name; *p; p++) {
        if (*p == '"' || *p == '\\') r.addChar('\\');
        r.addChar(*p);
    }
}

// The game's result as PGN has it: one of the four result tokens; whatever
// else the interface sent becomes "*".
const char* pgnResult() {
    for (const char* token : {"1-0", "0-1", "1/2-1/2", "*"})
        if (strcmp(gResultToken, token) == 0) return token;
    return "*";
}

// Site, date, round, and the two players.
void writeCommonTags(RecordText& f, int32_t colour) {
    f.add("[Site \"???\"]\n");
    f.add("[Date \"%s {%s}\"]\n", kBuildDate, kBuildTime);
    f.add("[Round \"%d\"]\n", gPingNumber);
    f.add("[White \"");
    writeName(f, colour == WHITE ? kEngineName : gOpponentName);
    f.add("\"]\n[Black \"");
    writeName(f, colour == BLACK ? kEngineName : gOpponentName);
    f.add("\"]\n");
}

void writeTimeControl(RecordText& f) {
    f.add("[TimeControl \"%d/%d+%d\"]\n", gLevelMoves, gLevelSeconds, gLevelIncrement);
}

// A Chess960 game names its variant and start position, which a reader
// needs to replay it.
void writeVariantTags(RecordText& f) {
    if (!gameBoard().castling.chess960) return;
    f.add("[Variant \"Chess960\"]\n[SetUp \"1\"]\n[FEN \"%s\"]\n", gSetupFen);
}

// "+" before a score of 1 or more; a negative score carries its own sign.
const char* signOf(int32_t score) { return score >= 1 ? "+" : ""; }

// The game's moves start after the set-up. A game set up with Black to move
// has no move at index 1: its text starts at "1. ...".
int32_t firstMovePly() { return gameBoard().setupPly + 1; }

// The recorded move and score at a game-record index; false when the index
// holds no move of this game (the annotation is then left out).
bool recordedMove(int32_t index, Move* move, int32_t* score) {
    if (index < firstMovePly() || index > gameBoard().pos.hply || gGameMoves[index] == 0) return false;
    *move = Move(gGameMoves[index]);
    *score = gGameScores[index];
    return true;
}

}  // namespace

void saveGame(int32_t colour) {
    RecordText f;
    f.add("[Event \"Morvantix Auto Saved Games\"]\n");
    writeCommonTags(f, colour);
    f.add("[Result \"%s\"]\n", pgnResult());
    writeTimeControl(f);
    writeVariantTags(f);
    const int32_t x = gBookExitIndex;
    Move m;
    int32_t s;
    if (x != 0 && recordedMove(x, &m, &s)) {
        if (colour == BLACK)
            f.add("[Anotator \"%d. ....  %s {%s%.2f}\"]\n\n", x / 2, moveToText(m), signOf(s), s / 100.0);
        else
            f.add("[Anotator \"%d. %s {%s%.2f}  ....\"]\n\n", (x + 1) / 2, moveToText(m), signOf(s), s / 100.0);
    }
    const int32_t last = gameBoard().pos.hply;
    for (int32_t i = firstMovePly(); i <= last; i++) {
        const Move m = Move(gGameMoves[i]);
        if (m == 0) continue;
        if (i >= 7 && i < 600 && (i - 7) % 6 == 0) f.add("\n");
        const int32_t s = gGameScores[i];
        if (i & 1)
            f.add("%d. %s {%s%.2f/%d %d} ", (i + 1) / 2, moveToText(m), signOf(s), s / 100.0, gGameDepths[i],
                    gGameTimes[i] / 1000);
        else if (i == firstMovePly())
            f.add("%d. ... %s {%s%.2f/%d %d} ", (i + 1) / 2, moveToText(m), signOf(s), s / 100.0,
                    gGameDepths[i], gGameTimes[i] / 1000);
        else
            f.add("%s {%s%.2f/%d %d} ", moveToText(m), signOf(s), s / 100.0, gGameDepths[i], gGameTimes[i] / 1000);
        if (i == last) f.add("%s", pgnResult());
    }
    f.add("\n\n");
    if (f.appendTo(kGamesFile)) printf("Writing Morvantix Games...\n");
}

void writeBadGameRecord(RecordText& f, int32_t colour, int32_t checkPly, int32_t badMoves) {
    f.add(colour == WHITE ? "[Event \"Morvantix(W) Bad Games\"]\n" : "[Event \"Morvantix(B) Bad Games\"]\n");
    writeCommonTags(f, colour);
    f.add("[Result \"\"]\n");
    writeTimeControl(f);
    const int32_t x = checkPly - 19;
    Move m;
    int32_t s;
    if (recordedMove(x, &m, &s)) {
        if (colour == BLACK)
            f.add("[Anotator \"%d. ....  %s {%.2f} Bad Moves = %d/%d\"]\n\n", x / 2, moveToText(m), s / 100.0,
                    badMoves, kTenMoves);
        else
            f.add("[Anotator \"%d. %s {%.2f} Bad Moves = %d/%d .... \"]\n\n", (x + 1) / 2, moveToText(m),
                    s / 100.0, badMoves, kTenMoves);
    }
    const int32_t last = gRecordedPly;
    for (int32_t i = firstMovePly(); i <= last; i++) {
        const Move move = Move(gGameMoves[i]);
        if (move == 0) continue;
        f.add(i == last ? "%s *" : "%s ", moveToText(move));
    }
    f.add("\n\n");
}

void writeLearnedLineRecord(RecordText& f, int32_t colour, int32_t checkPly, int32_t badMoves) {
    f.add("[Event \"Morvantix Learned Line\"]\n");
    writeCommonTags(f, colour);
    f.add("[Result \"%s\"]\n", pgnResult());
    writeTimeControl(f);
    const int32_t x = checkPly - 19;
    Move m;
    int32_t s;
    if (gBookExitIndex != 0 && recordedMove(x, &m, &s)) {
        if (colour == BLACK)
            f.add("[Anotator \"%d. ....  %s {%s%.2f} Bad Moves = %d/%d\"]\n\n", x / 2, moveToText(m), signOf(s),
                    s / 100.0, badMoves, kTenMoves);
        else
            f.add("[Anotator \"%d. %s {%s%.2f} Bad Moves = %d/%d .... \"]\n\n", (checkPly - 18) / 2,
                    moveToText(m), signOf(s), s / 100.0, badMoves, kTenMoves);
    }
    const int32_t last = gameBoard().pos.hply;
    for (int32_t i = firstMovePly(); i <= last; i++) {
        const Move move = Move(gGameMoves[i]);
        if (move == 0) continue;
        f.add("%s ", moveToText(move));
        if (i == last) f.add("%s", pgnResult());
    }
    f.add("\n\n");
}
