// The four searches below the root. Scores are from the side to move's point
// of view, depths in half-plies (2 = one ply), and all are fail-soft.
#pragma once
#include <cstdint>

// Full-window search of the principal-variation nodes.
int32_t pvSearch(int32_t alpha, int32_t beta, int32_t depth, bool inCheck);

// Zero-window searches: the side to move not in check, and in check.
int32_t zwSearch(int32_t alpha, int32_t beta, int32_t depth, bool nullAllowed, bool reduced);
int32_t zwSearchInCheck(int32_t alpha, int32_t beta, int32_t depth);

// Quiescence: captures and near-horizon checks, and all evasions in check.
int32_t qsearch(int32_t alpha, int32_t beta, int32_t qdepth);
int32_t qsearchEvasions(int32_t alpha, int32_t beta, int32_t qdepth);

// Score of a drawn position for the side to move: the contempt for the side
// the engine plays, its negative for the other, 0 with little material.
int32_t drawScore();
