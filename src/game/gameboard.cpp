#include "game/gameboard.h"

#include <memory>

Board& gameBoard() {
    // On the heap: a board holds its move stack (800 KB).
    static const std::unique_ptr<Board> board = std::make_unique<Board>();
    return *board;
}
