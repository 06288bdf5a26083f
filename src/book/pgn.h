// PGN records of finished games.
#pragma once
#include <cstdint>

// Appends the finished game to MorvantixGames.pgn; the engine played `colour`.
// Game records are not written yet.
void saveGame(int32_t colour);
