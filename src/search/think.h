// The thinking driver: book first, then iterative deepening with aspiration
// windows over the root search. The chosen move is left in w.pvTable[0][0] and
// w.bestMove; the principal variation behind it in row 0.
#pragma once
#include <cstdint>

#include "board/types.h"
#include "game/outputmode.h"
#include "search/worker.h"

// How a proven mate ends the iterations. MATE_STOP_SHORT (game play and the
// test commands): a mate within eight plies, from iteration 5 on, whatever
// the window. MATE_STOP_EXACT (an interface's analysis): the same mate once
// its score is exact, and never while analysing or pondering, where the
// iterations go on until the interface stops them or the depth limit.
constexpr int32_t MATE_STOP_SHORT = 0;
constexpr int32_t MATE_STOP_EXACT = 1;
extern int32_t gMateStop;

// UCI `go mate N`: the search ends once an exact score proves a mate in at
// most N moves; 0 for none.
extern int32_t gMateInMoves;

inline void setMateStop(int32_t rule) { gMateStop = rule; }
inline void setMateInMoves(int32_t moves) { gMateInMoves = moves; }

// What a search is for. A test command's search runs in the main worker
// alone; an analysis or a hint runs in every search thread at full
// strength; a game move at the strength the settings ask for, in every
// search thread at full strength and in the main worker alone below it.
enum class SearchPurpose { Test, Analysis, GameMove };

// Searches the worker's position, printing as outputMode says.
void think(SearchWorker& w, OutputMode outputMode, SearchPurpose purpose);

// The search of helper `index` (1, 2, ...) beside the main worker, on the
// position copied onto its board: iterations from depth 1, or 2 for every
// other helper so that the helpers fill the table ahead of the main worker,
// until the helpers' stop or the depth limit. It prints nothing.
void helperSearch(SearchWorker& w, int32_t index);

// True when the move is legal at the root and a search move.
bool isMoveToPlay(SearchWorker& w, Move move);

// The first legal move of the root's list that is a search move, or 0 (the
// list is generated anew).
Move firstLegalMove(SearchWorker& w);

// The number of legal moves of the position that are search moves; the
// first of them into *first when there is one and first is not null.
int32_t countRootMoves(SearchWorker& w, Move* first = nullptr);

// The root node; depth in half-plies.
int32_t rootSearch(SearchWorker& w, int32_t alpha, int32_t beta, int32_t depth, bool inCheck);

// The search on the opponent's time, in every search thread: runs until
// input arrives, a mate is found or the depth limit is reached.
void ponder(SearchWorker& w, OutputMode outputMode);
