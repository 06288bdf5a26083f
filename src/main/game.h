// State of the game being played, shared by the console and XBoard loops.
#pragma once
#include <cstdint>

#include "board/types.h"

constexpr int32_t kGameRecordSize = 100000;

// Game record, indexed by hply after each move: the move, the root score of the
// search that chose it (0 for moves the engine did not choose), the depth and
// the search time in milliseconds.
extern int32_t gGameMoves[kGameRecordSize];
extern int32_t gGameScores[kGameRecordSize];
extern int32_t gGameDepths[kGameRecordSize];
extern int32_t gGameTimes[kGameRecordSize];

// hply of the last recorded move.
extern int32_t gRecordedPly;

// Per colour: it has played a castling move in this game.
extern int32_t gCastled[2];

constexpr int32_t kOpponentNameSize = 100;
extern char gOpponentName[kOpponentNameSize];
extern int32_t gOppRating;          // 2300 after a set-up
extern int32_t gIcsMode;            // playing on a chess server
extern int32_t gEngineMovesPlayed;  // moves the engine made in this game

// Thinking output: 0 none, 1 console, 2 XBoard.
extern int32_t gPostMode;

// No game move is made once hply has reached this value, so that the searches
// and the game-end test always find room in the history stack.
constexpr int32_t kMaxGamePly = 999;

// Resets what belongs to one game; called whenever a position is set up.
void resetGameState();

// Records a move just made in the game (castling flag, ply, game record).
void recordGameMove(Move move, int32_t score);
