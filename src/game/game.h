// State of the game being played, shared by the console and XBoard loops: the
// record of its moves and what the interface said about it.
#pragma once
#include <cstdint>

#include "board/types.h"
#include "game/outputmode.h"

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
extern bool gIcsMode;               // playing on a chess server
extern int32_t gEngineMovesPlayed;  // moves the engine made in this game

// Thinking output: 0 none, 1 console, 2 XBoard.
extern OutputMode gPostMode;

// From the XBoard interface: the last `ping` number (the PGN Round), the
// `result` token, the game length figure that gates learning, and whether the
// game started from the initial position rather than from `setboard`.
extern int32_t gPingNumber;
constexpr int32_t kResultTokenSize = 128;
extern char gResultToken[kResultTokenSize];
extern int32_t gLearnMinutes;
extern bool gStartedFromInitial;
// The position the game was set up in, as FEN with move counters.
constexpr int32_t kSetupFenSize = 104;
extern char gSetupFen[kSetupFenSize];

// The last `level`, for the PGN TimeControl tag.
extern int32_t gLevelMoves;
extern int32_t gLevelSeconds;
extern int32_t gLevelIncrement;

// No game move is made once hply has reached this value, so that the searches
// and the game-end test always find room in the history stack.
constexpr int32_t kMaxGamePly = 999;

// Empties the record and the details of one game (the opponent's name and
// the level stay); part of every game set-up.
void resetGameRecord();

// Records a move just made in the game (castling flag, ply, game record).
void recordGameMove(Move move, int32_t score);

// Records the engine's own move, just made: as recordGameMove, with the depth
// and time of the search that chose it, and one more engine move played.
void recordEngineMove(Move move, int32_t score, int32_t depth, int32_t timeMs);

// The record starts at the current position, no side having castled.
void startRecordHere();

// What the interface says about the game and its opponent. The name is cut
// to its field; "" forgets it.
void setOpponentName(const char* name);
void setOpponentRating(int32_t rating);
void setIcsMode(bool onServer);
void setPostMode(OutputMode mode);
void setPingNumber(int32_t number);
void setResultToken(const char* token);
void markStartedFromSetUp();

// The level for the PGN TimeControl tag (moves, seconds, increment in seconds).
void setLevelTag(int32_t moves, int32_t seconds, int32_t increment);

// The game length that gates learning, in minutes.
void setLearnMinutes(int32_t minutes);
