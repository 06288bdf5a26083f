#include "game/game.h"

#include <cstring>

#include "board/position.h"

int32_t gGameMoves[kGameRecordSize];
int32_t gGameScores[kGameRecordSize];
int32_t gGameDepths[kGameRecordSize];
int32_t gGameTimes[kGameRecordSize];
int32_t gRecordedPly = 0;
int32_t gCastled[2] = {0, 0};
char gOpponentName[kOpponentNameSize];
int32_t gOppRating = 2300;
int32_t gIcsMode = 0;
int32_t gEngineMovesPlayed = 0;
int32_t gPostMode = 0;
int32_t gPingNumber = 0;
char gResultToken[kResultTokenSize];
int32_t gLearnMinutes = 0;
int32_t gStartedFromInitial = 1;
int32_t gLevelMoves = 0;
int32_t gLevelSeconds = 0;
int32_t gLevelIncrement = 0;

void resetGameRecord() {
    gOppRating = 2300;
    gIcsMode = 0;
    gEngineMovesPlayed = 0;
    gLearnMinutes = 0;
    gPingNumber = 0;
    gStartedFromInitial = 1;
    memset(gGameMoves, 0, sizeof gGameMoves);
    memset(gGameScores, 0, sizeof gGameScores);
    memset(gGameDepths, 0, sizeof gGameDepths);
    memset(gGameTimes, 0, sizeof gGameTimes);
}

void recordGameMove(Move move, int32_t score) {
    if (moveFlags(move) & MOVE_CASTLE) gCastled[gPos.xside] = 1;
    gPos.ply = 0;
    gRecordedPly = gPos.hply;
    gGameMoves[gPos.hply] = int32_t(move);
    gGameScores[gPos.hply] = score;
}
