// The opening book consulted by the thinking driver before it searches.
#pragma once

#include "board/types.h"

// True with a book move for the current position. The Polyglot book reader is
// not part of the engine yet, so there is never a book move.
bool findBookMove(Move* move);
