#include "board/board.h"

#include <cstring>

void Board::copyGameFrom(const Board& from) {
    pos = from.pos;
    setupPly = from.setupPly;
    setupCastle = from.setupCastle;
    checkerSquare[0] = from.checkerSquare[0];
    checkerSquare[1] = from.checkerSquare[1];
    // The entries up to the current one: the searches write from hply on.
    memcpy(history, from.history, sizeof(HistoryEntry) * size_t(from.pos.hply + 1));
}
