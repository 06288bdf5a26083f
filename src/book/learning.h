// Learning records of the opening: where the engine left the book and lines
// that went badly, with the out-of-book counters the thinking driver keeps.
#pragma once
#include <cstdint>

// Searches since the last book move.
extern int32_t gOutOfBookCount;
// Game-record index of the engine's first searched move since its last book move.
extern int32_t gBookExitIndex;
// hply at the engine's eleventh search in a row out of book.
extern int32_t gLearnCheckPly;

// A new game has not left the book yet.
void resetOutOfBookState();

// The engine played a book move.
void noteBookMove();

// The engine searches a move out of book: marks where the book was left and
// returns the count of searches since the last book move, this one included.
int32_t noteSearchOutOfBook();

// The position in which the engine, playing `colour`, left the book.
void writeOutOfBookPosition(int32_t colour);

// At the eleventh search out of book: remembers this ply as the end of the
// opening line and records the line if it went badly.
void checkBadLine();

// On `result`: records the opening line of a lost game played as `colour`.
void writeLearnedLine(int32_t colour);
