// The four searches below the root. Scores are from the side to move's point
// of view, depths in half-plies (2 = one ply), and all are fail-soft.
#pragma once
#include <cstdint>

#include "search/worker.h"

// Full-window search of the principal-variation nodes.
int32_t pvSearch(SearchWorker& w, int32_t alpha, int32_t beta, int32_t depth, bool inCheck);

// Zero-window searches: the side to move not in check, and in check.
int32_t zwSearch(SearchWorker& w, int32_t alpha, int32_t beta, int32_t depth, bool nullAllowed, bool reduced);
int32_t zwSearchInCheck(SearchWorker& w, int32_t alpha, int32_t beta, int32_t depth);

// A later move of a full-width node, already made: a zero-window search, then
// the full window when the score falls inside it.
inline int32_t searchLaterMove(SearchWorker& w, int32_t alpha, int32_t beta, int32_t depth, bool check) {
    int32_t score = check ? -zwSearchInCheck(w, -alpha - 1, -alpha, depth)
                          : -zwSearch(w, -alpha - 1, -alpha, depth, true, false);
    if (alpha < score && score < beta) score = -pvSearch(w, -beta, -alpha, depth, check);
    return score;
}

// Extension in half-plies of a move just made from a full-width node (root or
// principal variation) at `ply`; followFlag: the node follows the previous
// iteration's principal variation.
int32_t pvExtension(SearchWorker& w, Move move, int32_t ply, bool followFlag, bool check);

// Quiescence: captures and near-horizon checks, and all evasions in check.
int32_t qsearch(SearchWorker& w, int32_t alpha, int32_t beta, int32_t qdepth);
int32_t qsearchEvasions(SearchWorker& w, int32_t alpha, int32_t beta, int32_t qdepth);

// Score of a drawn position for the side to move: the contempt for the side
// the engine plays, its negative for the other, 0 with little material.
int32_t drawScore(SearchWorker& w);
