#include "book/pgn.h"

void saveGame(int32_t) {}
