#include "session/session.h"

#include <strings.h>

#include "board/fen.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "game/gameboard.h"

namespace {

// A fresh list of the root position's moves: [first, last) of the move stack.
struct RootList {
    int32_t first, last;
};

RootList rootList() {
    Board& b = gameBoard();
    makeCurrentPositionRoot(b);
    generateAllMoves(b);
    return {b.firstMove[0], b.firstMove[1]};
}

// Puts the position back as it was, piece-list order included, when a probe
// is done: make and unmake restore the men but not the order of their
// lists, and that order is the order moves are generated in, so a probe
// would otherwise change the node counts of the next search.
class PositionKeeper {
public:
    PositionKeeper() : saved_(gameBoard().pos) {}
    ~PositionKeeper() { gameBoard().pos = saved_; }
    PositionKeeper(const PositionKeeper&) = delete;
    PositionKeeper& operator=(const PositionKeeper&) = delete;

private:
    const Position saved_;
};

}  // namespace

const char* setUpBoard(const char* fen) {
    const char* reason = setPosition(gameBoard(), fen);
    makeCurrentPositionRoot(gameBoard());
    return reason;
}

Move typedMove(const char* text) {
    rootList();
    const int32_t index = parseMoveText(gameBoard(), text);
    return index < 0 ? 0 : gameBoard().moveStack[index].move;
}

bool playMove(Move move) {
    const bool legal = makeMove(gameBoard(), move);
    makeCurrentPositionRoot(gameBoard());
    return legal;
}

namespace {

// Plays the move if it stands in this position's list and is legal.
bool playListedMove(Move move) {
    const RootList list = rootList();
    for (int32_t i = list.first; i < list.last; i++)
        if (gameBoard().moveStack[i].move == move) return playMove(move);
    return false;
}

}  // namespace

void takeBackMoves(int32_t count) {
    for (int32_t n = 0; n < count; n++) unmakeMove(gameBoard());
    makeCurrentPositionRoot(gameBoard());
}

Move legalMoveOfText(const char* text) {
    const PositionKeeper keeper;
    const RootList list = rootList();
    for (int32_t i = list.first; i < list.last; i++) {
        const Move m = gameBoard().moveStack[i].move;
        if (strcasecmp(moveToText(m), text) != 0 || !playListedMove(m)) continue;
        takeBackMoves(1);
        return m;
    }
    return 0;
}

bool hasLegalMove() {
    const PositionKeeper keeper;
    const RootList list = rootList();
    for (int32_t i = list.first; i < list.last; i++) {
        if (!makeMove(gameBoard(), gameBoard().moveStack[i].move)) continue;
        unmakeMove(gameBoard());
        return true;
    }
    return false;
}

Move legalReplyAfter(Move move, Move reply) {
    const PositionKeeper keeper;
    playMove(move);
    const bool legal = playListedMove(reply);
    takeBackMoves(legal ? 2 : 1);
    return legal ? reply : 0;
}
