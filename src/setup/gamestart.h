// Setting up a new game: the position from FEN text and a fresh state in
// every module that keeps something from one game to the next.
#pragma once

// Sets up the position (see setPosition for what is accepted and how a
// rejected text falls back to the initial position), empties the hash
// tables, draws a new book seed when the book is on, and resets the game
// record, the out-of-book counters, the time manager's game state and the
// engine state. Returns the reason a text was rejected, nullptr when it was
// accepted.
const char* startGame(const char* fen);
