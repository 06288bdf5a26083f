#include "book/learning.h"

#include <cstdio>
#include <cstring>

#include "board/fen.h"
#include "board/position.h"
#include "book/pgn.h"
#include "book/recordtext.h"
#include "config/config.h"
#include "game/game.h"
#include "platform/appendfile.h"
#include "game/gameboard.h"

int32_t gOutOfBookCount = 0;
int32_t gBookExitIndex = 0;
int32_t gLearnCheckPly = 0;

namespace {

const char* const kWhiteBadLines = "MorvantixWhiteBadBookLine.lrn";
const char* const kBlackBadLines = "MorvantixBlackBadBookLine.lrn";
const char* const kWhiteLearned = "MorvantixWhiteBadBook.pgn";
const char* const kBlackLearned = "MorvantixBlackBadBook.pgn";
constexpr int32_t kMinimumMinutes = 3;

// How many of the engine's first ten searched moves out of book (the record
// entries R - 19, R - 17, ..., R - 1) scored below 0.
int32_t badMovesBefore(int32_t checkPly) {
    if (checkPly < 19) return 0;
    int32_t bad = 0;
    for (int32_t i = checkPly - 19; i < checkPly; i += 2)
        if (gGameScores[i] < 0) bad++;
    return bad;
}

// A Chess960 game teaches the standard openings nothing: no learning
// record is written for it.
bool learningOff() { return gameBoard().castling.chess960; }

}  // namespace

void resetOutOfBookState() {
    gOutOfBookCount = 0;
    gBookExitIndex = 0;
    gLearnCheckPly = 0;
}

void noteBookMove() { gOutOfBookCount = 0; }

int32_t noteSearchOutOfBook() {
    gBookExitIndex = gameBoard().pos.hply - 2 * gOutOfBookCount + 1;
    return ++gOutOfBookCount;
}

void writeOutOfBookPosition(int32_t colour) {
    if (learningOff()) return;
    char fen[kFenTextSize];
    writeFenText(gameBoard(), fen);
    RecordText line;
    line.add("%s\n", fen);
    line.appendTo(colour == BLACK ? "bOutOfBook.dbk" : "wOutOfBook.dbk");
}

void checkBadLine() {
    gLearnCheckPly = gameBoard().pos.hply;
    const int32_t r = gameBoard().pos.hply;
    if (gLearnMinutes < kMinimumMinutes || !gStartedFromInitial || !gWriteLearnedOpening || learningOff()) return;
    const int32_t bad = badMovesBefore(r);
    if (bad < 6) return;
    // Both files are created; the record goes to the side to move's.
    RecordText record;
    writeBadGameRecord(record, gameBoard().pos.side, r, bad);
    printf("# Updating Morvantix.lrn file...\n");
    fflush(stdout);
    const bool black = gameBoard().pos.side == BLACK;
    appendToFile(black ? kWhiteBadLines : kBlackBadLines, "", 0);
    record.appendTo(black ? kBlackBadLines : kWhiteBadLines);
}

void writeLearnedLine(int32_t colour) {
    gOutOfBookCount = 11;
    const int32_t r = gLearnCheckPly;
    const int32_t bad = badMovesBefore(r);
    const bool lost = (colour == WHITE && strcmp(gResultToken, "0-1") == 0) ||
                      (colour == BLACK && strcmp(gResultToken, "1-0") == 0);
    if (bad < 7 || gLearnMinutes < kMinimumMinutes || !lost || learningOff()) return;
    RecordText record;
    writeLearnedLineRecord(record, colour, r, bad);
    if (record.appendTo(colour == WHITE ? kWhiteLearned : kBlackLearned)) printf("Writing Morvantix Learned book...\n");
}
