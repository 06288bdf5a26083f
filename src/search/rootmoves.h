// What an analysing interface may ask of the root beyond game play: only some
// of its moves (UCI `searchmoves`) and several best lines (UCI `MultiPV`).
// The lines of the running search are kept here, best first once an
// iteration has finished.
#pragma once
#include <cstdint>

#include "board/types.h"

constexpr int32_t kMaxRootMoves = 256;  // more than any position has
constexpr int32_t kMaxMultiPv = 16;

// The moves the root may search; none listed: every move.
extern Move gSearchMoves[kMaxRootMoves];
extern int32_t gSearchMoveCount;

// Lines wanted, 1 to kMaxMultiPv; with 1 the root searches as in game play.
extern int32_t gMultiPv;

// One line of a multi-line search: its score (exact), the deepest ply the
// search of it reached, and its moves from the root.
struct RootLine {
    int32_t score = 0;
    int32_t selDepth = 0;
    int32_t length = 0;
    Move moves[kMaxPly];
};

// The lines of the last finished iteration, best first.
extern RootLine gRootLines[kMaxMultiPv];
extern int32_t gRootLineCount;

// Root moves already taken by the better lines of the running iteration; the
// search of the next line leaves them out.
extern Move gTakenRootMoves[kMaxMultiPv];
extern int32_t gTakenRootMoveCount;

// The root searches every move again / also this move (a repeat, or one
// past the list's room, is left out).
void clearSearchMoves();
void addSearchMove(Move move);

// The lines of a new search: none found, no move taken.
void resetRootLines();

// The next line of the running iteration leaves out the moves taken by the
// lines before it; a new iteration starts with none taken.
inline void takeRootMove(Move move) { gTakenRootMoves[gTakenRootMoveCount++] = move; }
inline void clearTakenRootMoves() { gTakenRootMoveCount = 0; }

// Keeps the lines of a finished iteration, best first.
void keepRootLines(const RootLine* lines, int32_t count);

// True when the move is one of the search moves (or none are listed).
bool isSearchMove(Move move);

// True when the root searches the move: a search move that no better line of
// this iteration took.
bool rootSearchesMove(Move move);

// True when the root searches fewer moves than the position has, so that its
// score is not the position's.
inline bool rootIsFiltered() { return gSearchMoveCount > 0 || gTakenRootMoveCount > 0; }

// Sorts lines[0, count) by score, best first; equal scores keep their order.
void sortRootLines(RootLine* lines, int32_t count);
