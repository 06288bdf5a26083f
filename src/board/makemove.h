// Making and taking back moves on a board.
#pragma once

#include "board/board.h"

#include <cstdint>

#include "board/types.h"

// Plays a pseudo-legal move. Returns false, with the position untouched, when
// the move would leave the mover's king attacked or castling is not allowed.
bool makeMove(Board& bd, Move move);

// Takes back the last move made (valid only after a successful makeMove). The
// men are restored, but a man put back is appended at the end of its list.
void unmakeMove(Board& bd);

// The hash key the position would have after the move, for loading the
// child's table slots before the move is made. Exact but for castling (the
// rook is left out) and a double step that opens an en-passant capture.
uint64_t keyAfter(Board& bd, Move move);
// The hash key after a null move (exact).
uint64_t keyAfterNullMove(Board& bd);

// Passes the turn (null move) and takes the pass back.
void makeNullMove(Board& bd);
void unmakeNullMove(Board& bd);
