// The thinking driver: book first, then iterative deepening with aspiration
// windows over the root search. The chosen move is left in gPvTable[0][0] and
// gBestMove; the principal variation behind it in row 0.
#pragma once
#include <cstdint>

#include "board/types.h"

constexpr int32_t kMaxIterations = kMaxPly + 2;

extern int32_t gIterationDepth;   // the running iteration, in plies
extern int32_t gEngineSide;       // side to move when the search started
extern int32_t gLastScore;        // score of the last finished iteration
extern int32_t gDepthReached;     // the last finished iteration
extern bool gBookMoveFlag;        // the move came from the book
extern Move gBestMove;            // the move the last search chose, 0 for none

// Per finished iteration: best move, score, elapsed ms (-1 before it finishes).
extern Move gIterationMove[kMaxIterations];
extern int32_t gIterationScore[kMaxIterations];
extern int32_t gIterationTime[kMaxIterations];

// What a search prints as it goes.
constexpr int32_t OUTPUT_SILENT = 0;
constexpr int32_t OUTPUT_CONSOLE = 1;
constexpr int32_t OUTPUT_XBOARD = 2;
constexpr int32_t OUTPUT_UCI = 3;  // "info" lines only

// Searches the current position; outputMode one of OUTPUT_*.
void think(int32_t outputMode);

// The first legal move of the root's list, or 0 (the list is generated anew).
Move firstLegalMove();

// The root node; depth in half-plies.
int32_t rootSearch(int32_t alpha, int32_t beta, int32_t depth, bool inCheck);

// The search on the opponent's time: runs until input arrives, a mate is
// found or the depth limit is reached.
void ponder(int32_t outputMode);
