#include "game/game.h"

#include <cstdio>
#include <cstring>

#include "board/fen.h"
#include "board/position.h"
#include "game/gameboard.h"

int32_t gGameMoves[kGameRecordSize];
int32_t gGameScores[kGameRecordSize];
int32_t gGameDepths[kGameRecordSize];
int32_t gGameTimes[kGameRecordSize];
int32_t gRecordedPly = 0;
int32_t gCastled[2] = {0, 0};
char gOpponentName[kOpponentNameSize];
int32_t gOppRating = 2300;
bool gIcsMode = false;
int32_t gEngineMovesPlayed = 0;
OutputMode gPostMode = OutputMode::Silent;
int32_t gPingNumber = 0;
char gResultToken[kResultTokenSize];
int32_t gLearnMinutes = 0;
bool gStartedFromInitial = true;
char gSetupFen[kSetupFenSize];
int32_t gLevelMoves = 0;
int32_t gLevelSeconds = 0;
int32_t gLevelIncrement = 0;

void resetGameRecord() {
    char fen[kFenTextSize];
    writeFenText(gameBoard(), fen);
    snprintf(gSetupFen, sizeof gSetupFen, "%s 0 1", fen);
    gOppRating = 2300;
    gIcsMode = false;
    gEngineMovesPlayed = 0;
    gLearnMinutes = 0;
    gPingNumber = 0;
    gStartedFromInitial = true;
    memset(gGameMoves, 0, sizeof gGameMoves);
    memset(gGameScores, 0, sizeof gGameScores);
    memset(gGameDepths, 0, sizeof gGameDepths);
    memset(gGameTimes, 0, sizeof gGameTimes);
}

void startRecordHere() {
    gRecordedPly = gameBoard().pos.hply;
    gCastled[WHITE] = gCastled[BLACK] = 0;
}

void setOpponentName(const char* name) { snprintf(gOpponentName, sizeof gOpponentName, "%s", name); }
void setOpponentRating(int32_t rating) { gOppRating = rating; }
void setIcsMode(bool onServer) { gIcsMode = onServer; }
void setPostMode(OutputMode mode) { gPostMode = mode; }
void setPingNumber(int32_t number) { gPingNumber = number; }
void setResultToken(const char* token) { snprintf(gResultToken, sizeof gResultToken, "%s", token); }
void markStartedFromSetUp() { gStartedFromInitial = false; }

void setLevelTag(int32_t moves, int32_t seconds, int32_t increment) {
    gLevelMoves = moves;
    gLevelSeconds = seconds;
    gLevelIncrement = increment;
}

void setLearnMinutes(int32_t minutes) { gLearnMinutes = minutes; }

void recordEngineMove(Move move, int32_t score, int32_t depth, int32_t timeMs) {
    gEngineMovesPlayed++;
    recordGameMove(move, score);
    gGameDepths[gameBoard().pos.hply] = depth;
    gGameTimes[gameBoard().pos.hply] = timeMs;
}

void recordGameMove(Move move, int32_t score) {
    if (moveFlags(move) & MOVE_CASTLE) gCastled[gameBoard().pos.xside] = 1;
    makeCurrentPositionRoot(gameBoard());
    gRecordedPly = gameBoard().pos.hply;
    gGameMoves[gameBoard().pos.hply] = int32_t(move);
    gGameScores[gameBoard().pos.hply] = score;
}
