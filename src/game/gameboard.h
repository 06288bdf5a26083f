// The board of the game being played: the position the drivers set up and
// play moves on, with its move history. Searches start from a copy of it.
#pragma once

#include "board/board.h"

Board& gameBoard();
