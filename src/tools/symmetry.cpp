#include "tools/symmetry.h"

#include <cstdio>
#include <cstdlib>

#include "board/fen.h"
#include "eval/evaluate.h"
#include "eval/king.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "tools/linereader.h"
#include "tools/positions.h"
#include "game/gameboard.h"
#include "search/worker.h"

namespace {

constexpr int32_t kMaxLines = 200000;
constexpr size_t kLineSize = 120;  // lines of up to 119 characters are positions

// The castling flags of the last search would weigh one colour's lost rights
// and not the other's; no search is running, so they are cleared.
void clearSearchCastlingFlags() {
    setCastlingAtRoot(workerOnGame(), 0);
}

}  // namespace

void runSymmetryPositions() {
    clearSearchCastlingFlags();
    int32_t scores[kSymmetryPositions];
    for (int32_t i = 0; i < kSymmetryPositions; i++) {
        startGame(kSymmetrySet[i]);
        setFixedSearch(14400000, kDefaultSearchDepth);
        scores[i] = evaluate(workerOnGame(), -MATE_VALUE, MATE_VALUE);
    }
    int32_t pairs = 0, correct = 0;
    for (int32_t i = 1; i < kSymmetryPositions; i += 2) {
        pairs++;
        if (scores[i - 1] == scores[i])
            correct++;
        else
            printf("# Pos %d & %d is Not OK ??\n", i - 1, i);
    }
    printf("# Total=%d, Correct=%d, Mistake=%d, Correct=%d%%\n", pairs, correct, pairs - correct,
           correct * 100 / pairs);
    fflush(stdout);
}

void runSymmetryFile(const char* file, int32_t m) {
    if (m < 1) m = 1;
    if (m > kMaxLines) m = kMaxLines;
    FILE* in = fopen(file, "r");
    if (!in) {
        printf("Error opening *.fen file\n");
        return;
    }
    int32_t* scores = static_cast<int32_t*>(malloc(size_t(m) * sizeof(int32_t)));
    if (!scores) {
        printf("Error: memory was not allocated\n");
        fclose(in);
        return;
    }
    clearSearchCastlingFlags();
    printf("Testting symmetry of eval\n");
    printf("scanning %s file line by line ...\n", file);
    char line[kLineSize];
    size_t length;
    int32_t count = 0, recorded = 0;
    while (count < m && readWholeLine(in, line, sizeof line, &length)) {
        if (count % 100 == 0) printf(".");
        count++;
        if (count % 3000 == 0) printf("  3000 pos\n");
        if (length < 15 || length >= kLineSize) continue;
        startGame(line);
        scores[recorded++] = evaluate(workerOnGame(), -MATE_VALUE, MATE_VALUE);
    }
    fclose(in);
    printf("\n");
    // Compare in pairs; a last position without a partner is not compared,
    // which the count line shows.
    int32_t index = 0;
    bool mismatch = false;
    for (; index + 1 < recorded; index += 2) {
        if (scores[index] == scores[index + 1]) continue;
        printf("mismatch: index %d\n", index);
        char fen[kFenTextSize];
        writeFenText(gameBoard(), fen);
        printf("%s\n", fen);
        printf("\n");
        mismatch = true;
        break;
    }
    printf("\nThere are %d positions evaluated out of total %d\n", index, recorded);
    printf(mismatch ? "Problem in eval??\n" : "Success!! no eval symmetry errors\n");
    free(scores);
    fflush(stdout);
}
