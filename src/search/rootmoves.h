// What an analysing interface may ask of the root beyond game play: only some
// of its moves (UCI `searchmoves`) and several best lines (UCI `MultiPV`).
// The lines of the running search are kept here, best first once an
// iteration has finished.
#pragma once
#include <cstdint>

#include "search/worker.h"

#include "board/types.h"
#include "search/rootline.h"

// The moves the root may search; none listed: every move.
extern Move gSearchMoves[kMaxRootMoves];
extern int32_t gSearchMoveCount;

// Lines wanted, 1 to kMaxMultiPv; with 1 the root searches as in game play.
extern int32_t gMultiPv;

// The root searches every move again / also this move (a repeat, or one
// past the list's room, is left out).
void clearSearchMoves();
void addSearchMove(Move move);

// The lines of a new search: none found, no move taken.
void resetRootLines(SearchWorker& w);

// The next line of the running iteration leaves out the moves taken by the
// lines before it; a new iteration starts with none taken.
inline void takeRootMove(SearchWorker& w, Move move) { w.takenRootMoves[w.takenRootMoveCount++] = move; }
inline void clearTakenRootMoves(SearchWorker& w) { w.takenRootMoveCount = 0; }

// Keeps the lines of a finished iteration, best first.
void keepRootLines(SearchWorker& w, const RootLine* lines, int32_t count);

// True when the move is one of the search moves (or none are listed).
bool isSearchMove(Move move);

// True when the root searches the move: a search move that no better line of
// this iteration took.
bool rootSearchesMove(SearchWorker& w, Move move);

// True when the root searches fewer moves than the position has, so that its
// score is not the position's.
inline bool rootIsFiltered(SearchWorker& w) { return gSearchMoveCount > 0 || w.takenRootMoveCount > 0; }

// Sorts lines[0, count) by score, best first; equal scores keep their order.
void sortRootLines(RootLine* lines, int32_t count);
