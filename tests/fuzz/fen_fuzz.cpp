// Fuzz target: the FEN reader, and what is built on the position it sets up,
// each input read as standard chess and as Chess960.
// Checked on every input: the keys equal keys computed from scratch, every
// move made and unmade restores the position bit for bit (the order within a
// piece list aside), the evaluation runs, and the text written back reads as
// the same position.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "board/fen.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/position.h"
#include "board/tables.h"
#include "config/config.h"
#include "eval/evaluate.h"
#include "eval/params.h"
#include "same_position.h"
#include "setup/tables.h"
#include "search/worker.h"

namespace {

void check(bool condition, const char* what) {
    if (condition) return;
    fprintf(stderr, "fen fuzz: %s\n", what);
    abort();
}

void checkKeys() {
    check(mainWorker().pos.hashKey == computeHashKey(mainWorker()), "hash key differs from the key computed from scratch");
    check(mainWorker().pos.pawnKey == computePawnKey(mainWorker(), mainWorker().setupCastle), "pawn key differs from the key computed from scratch");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!freopen("/dev/null", "w", stdout)) abort();
    initBoardTables();
    allocateTables(0, 1);
    setTunableDefaults();
    return 0;
}

namespace {

// One reading of the text: in standard chess, or in Chess960 (another reader
// of the castling field, other castling moves).
void checkText(const std::string& text, bool chess960) {
    gChess960 = chess960;
    setPosition(mainWorker(), text.c_str());
    checkKeys();
    evaluate(mainWorker(), -30000, 30000);
    generateAllMoves(mainWorker());
    const Position before = mainWorker().pos;
    for (int32_t i = mainWorker().firstMove[0]; i < mainWorker().firstMove[1]; i++) {
        const Position justBefore = mainWorker().pos;
        if (!makeMove(mainWorker(), mainWorker().moveStack[i].move)) {
            check(memcmp(&justBefore, &mainWorker().pos, sizeof justBefore) == 0, "a refused move changed the position");
            continue;
        }
        checkKeys();
        evaluate(mainWorker(), -30000, 30000);
        unmakeMove(mainWorker());
        check(samePosition(before, mainWorker().pos), "make and unmake did not restore the position");
    }
    char fen[kFenTextSize], again[kFenTextSize];
    writeFenText(mainWorker(), fen);
    setPosition(mainWorker(), fen);
    writeFenText(mainWorker(), again);
    check(strcmp(fen, again) == 0, "the written FEN does not read back as the same position");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 512) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkText(text, false);
    checkText(text, true);
    return 0;
}
