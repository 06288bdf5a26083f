// The outside endgame bitbase library: bound at run time, probed for positions
// with at most three men besides the kings.
#pragma once
#include <cstdint>

#include "eval/evalboard.h"

using BitbaseProbe = int (*)(int player, int whiteKing, int blackKing, int piece1, int square1, int piece2,
                             int square2, int piece3, int square3);

extern bool gEgbbLoaded;
extern BitbaseProbe gEgbbProbe;

// Loads "<path>egbbdll" (the configured directory text, then the library file
// name) and calls its loader with the configured cache size and load type.
// When the library cannot be loaded the engine runs without bitbases, also
// when another one was loaded before.
void loadBitbases(const char* path);

// Probes the current position; true with the score (side to move's view) when
// the library knows it.
bool probeBitbases(EvalBoard& w, int32_t* score);
