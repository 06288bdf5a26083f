#include "protocol/gameresult.h"

#include <cstdio>

#include "board/attacks.h"
#include "board/position.h"
#include "config/config.h"
#include "game/game.h"
#include "game/gameboard.h"
#include "session/session.h"

namespace {

constexpr int32_t kResignMoveNumber = 11;  // no resignation before this hply
constexpr int32_t kMatedScore = -29990;

// The line for a finished game, or nullptr.
const char* gameEnd() {
    const Position& p = gameBoard().pos;
    if (!hasLegalMove()) {
        if (inCheck(gameBoard(), p.side)) return p.side == BLACK ? "1-0 {White mates}" : "0-1 {Black mates}";
        return "1/2-1/2 {Stalemate}";
    }
    if (repetitionCount(gameBoard()) >= 2) return "1/2-1/2 {Draw by repetition}";
    if (p.fifty >= 101 || (p.fifty == 100 && !inCheck(gameBoard(), p.side))) return "1/2-1/2 {Draw by fifty move rule}";
    if (p.fifty < 100 && insufficientMaterial(gameBoard()))
        return "1/2-1/2 {Draw by Insufficient Material}";
    return nullptr;
}

// The last scores of the side that has just moved, newest first.
bool shouldResign() {
    if (!gResign || gameBoard().pos.hply < kResignMoveNumber) return false;
    int32_t low = 0;
    for (int32_t i = 0; i < gResignScoreCount; i++) {
        const int32_t index = gameBoard().pos.hply - 2 * i;
        if (index < 0) break;
        const int32_t score = gGameScores[index];
        if (score > gResignScore) continue;
        if (score <= kMatedScore || ++low >= gResignScoreCount) return true;
    }
    return false;
}

}  // namespace

void checkGameResult() {
    if (const char* line = gameEnd()) printf("%s\n", line);
    if (shouldResign()) printf("%s\n", gameBoard().pos.xside == BLACK ? "1-0 {Black Resigns}" : "0-1 {White Resigns}");
    fflush(stdout);
}
