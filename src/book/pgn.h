// PGN-like records: the games file, and the bad-game and learned-line records
// of the learning files. Moves are written in coordinate notation.
#pragma once
#include <cstdint>

#include "book/recordtext.h"

// Appends the finished game to MorvantixGames.pgn in one piece; the engine
// played `colour`.
void saveGame(int32_t colour);

// The record of a game whose first ten moves out of book went badly (R is the
// check ply, badMoves of ten were bad); the game is still running.
void writeBadGameRecord(RecordText& record, int32_t colour, int32_t checkPly, int32_t badMoves);

// The record of a lost game's opening line.
void writeLearnedLineRecord(RecordText& record, int32_t colour, int32_t checkPly, int32_t badMoves);
