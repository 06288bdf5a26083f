// The XBoard (WinBoard) protocol, version 2: a chess interface on standard
// input and output. The console word `xboard` hands control to this driver for
// the rest of the run.
#pragma once
#include <cstdint>

#include "board/types.h"

// Pondering.
extern int32_t gPonderEnabled;  // `hard` / `easy`
extern int32_t gPonderPending;  // the engine has moved; ponder on the opponent's time
extern Move gPonderMove;        // the reply the ponder search expected

// Game information.
extern int32_t gPingNumber;
constexpr int32_t kResultTokenSize = 128;
extern char gResultToken[kResultTokenSize];
extern int32_t gLearnMinutes;        // game length figure that gates learning
extern int32_t gStartedFromInitial;  // the game did not start from `setboard`

// The last `level`, for the PGN TimeControl tag.
extern int32_t gLevelMoves;
extern int32_t gLevelSeconds;
extern int32_t gLevelIncrement;

// Sets gContempt by the first known engine name found in the opponent's name.
void setOpponentContempt();

// Runs the protocol until `quit` or the end of input.
void xboardLoop();
