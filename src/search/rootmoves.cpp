#include "search/rootmoves.h"

#include <algorithm>

Move gSearchMoves[kMaxRootMoves];
int32_t gSearchMoveCount = 0;
int32_t gMultiPv = 1;

void clearSearchMoves() { gSearchMoveCount = 0; }

void addSearchMove(Move move) {
    if ((gSearchMoveCount == 0 || !isSearchMove(move)) && gSearchMoveCount < kMaxRootMoves)
        gSearchMoves[gSearchMoveCount++] = move;
}

void resetRootLines(SearchWorker& w) { w.rootLineCount = w.takenRootMoveCount = 0; }

void keepRootLines(SearchWorker& w, const RootLine* lines, int32_t count) {
    std::copy(lines, lines + count, w.rootLines);
    w.rootLineCount = count;
}

bool isSearchMove(Move move) {
    if (gSearchMoveCount == 0) return true;
    for (int32_t i = 0; i < gSearchMoveCount; i++)
        if (gSearchMoves[i] == move) return true;
    return false;
}

bool rootSearchesMove(SearchWorker& w, Move move) {
    for (int32_t i = 0; i < w.takenRootMoveCount; i++)
        if (w.takenRootMoves[i] == move) return false;
    return isSearchMove(move);
}

void sortRootLines(RootLine* lines, int32_t count) {
    // Insertion sort: a handful of lines, and a stable order for equal scores.
    for (int32_t i = 1; i < count; i++) {
        const RootLine line = lines[i];
        int32_t j = i;
        for (; j > 0 && lines[j - 1].score < line.score; j--) lines[j] = lines[j - 1];
        lines[j] = line;
    }
}
