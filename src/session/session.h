// The game the drivers play, on the game board: setting it up from FEN,
// finding and playing moves given as text or as move words, taking moves
// back, and the questions about legal moves the protocols ask. The drivers
// parse and print; the move lists and make/unmake stay in here.
#pragma once
#include <cstdint>

#include "board/types.h"

// Sets the board up from FEN text as the FEN reader does: nullptr, or the
// reason the text was refused (the initial position is then set up).
const char* setUpBoard(const char* fen);

// The move of the typed coordinate text in this position's list (pseudo-
// legal), or 0. A promotion prints the list index line the matcher prints.
Move typedMove(const char* text);

// Plays the move; false, with nothing played, when it leaves the mover's
// king attacked. The position is the root of the next search either way.
bool playMove(Move move);

// Takes back the last `count` moves played.
void takeBackMoves(int32_t count);

// The legal move of the coordinate text (any letter case) in this
// position, or 0; nothing is played.
Move legalMoveOfText(const char* text);

// True when the side to move has a legal move.
bool hasLegalMove();

// The reply when it is legal after `move` (both moves are taken back), else 0.
Move legalReplyAfter(Move move, Move reply);
