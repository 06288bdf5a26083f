// Setting up the position from FEN/EPD text, writing it back, and the board
// display for the console.
#pragma once
#include <cstddef>

#include "board/board.h"

// The initial position.
extern const char* const kStartFen;

// Room for any text written by writeFenText, terminator included.
constexpr size_t kFenTextSize = 96;

// Sets up the position from the first four fields of FEN or EPD text (board,
// side, castling, en passant; anything after them is ignored) with fresh hash
// keys and the move counters of a new game (a whole new game, with the other
// modules' state reset, is startGame in setup/gamestart.h). A position the engine cannot play from (wrong number
// of kings, a board that runs past 64 squares, ...) is reported with a
// "# fen err: " line and replaced by the initial position; the reason is then
// returned (nullptr when the text was accepted).
const char* setPosition(Board& bd, const char* text);

// Writes "placement side castling ep" (no move counters) into buf.
void writeFenText(Board& bd, char* buf);

// Prints the board for a person at the console.
void displayBoard(Board& bd);
