// Move-ordering tables of the search: history values, tried and cut counts,
// killers and mate killers per ply, the principal-variation table and the
// follow-PV state, with the pickers and the updates the searches apply.
#pragma once
#include <cstdint>

#include "board/quietorder.h"
#include "board/types.h"

// By mover's colour, piece code and destination square (the history values
// and killers the generator reads are in board/quietorder.h).
extern uint32_t gTriedCount[2][6][64];
extern uint32_t gCutCount[2][6][64];

// Row p holds the line found from ply p on, up to column gPvLength[p] - 1.
// Row 0 is the principal variation of the root.
extern Move gPvTable[kMaxPly][kMaxPly];
extern int32_t gPvLength[kMaxPly + 1];

// Following the previous iteration's principal variation down the tree.
extern bool gFollowPv;
extern int32_t gFollowPvCounter;

// Score given to the previous iteration's move by markFollowPv.
constexpr int32_t kFollowPvScore = 10000000;

// History to 2048; counts, killers and the principal-variation table to 0.
void resetOrderingTables();

// Bring the best remaining move of the current ply (or the hash move) to entry i.
void pickBest(int32_t i);
void pickHashFirst(int32_t i, Move hashMove);

// Entry i after the node's first pick, which brought the hash move (if any)
// to the front: the best by score, with the floor of the picker it replaces.
void pickBestBehindHash(int32_t i);

// The next move to search at entry i: the hash move first when there is one,
// then the best by score.
inline void pickNext(int32_t i, Move hashMove) {
    if (hashMove)
        pickHashFirst(i, hashMove);
    else
        pickBest(i);
}

// pickNext for an entry after the first of its list: the hash move is never
// among the remaining entries, so it is not searched for again.
inline void pickFollowing(int32_t i, Move hashMove) {
    if (hashMove)
        pickBestBehindHash(i);
    else
        pickBest(i);
}

// After generation while following: gives the previous iteration's move of
// this ply the follow score, or stops following when it is not in the list.
void markFollowPv();

// True for every fourth consecutive node entered while following (the node
// gets the follow-PV extension flag); counts the nodes entered.
bool enterFollowPvNode();

// The node's line becomes the move followed by the child's line.
void updatePv(Move move);

// The node's principal-variation slot (column ply of row ply): the move of the
// last line found at this ply. When the node's own line is empty it is the
// move some earlier node at this ply left there, possibly of another position,
// so whoever searches it must check it first (the hash-move step does).
Move nodePvMove();

// History and killers; no-ops for captures, castling and promotions.
void historyReward(Move move, int32_t depth);
void historyPenalty(Move move, int32_t score, int32_t depth, int32_t alpha);
void updateKillers(Move move, int32_t score);

// Tried count + 1, and cut count + 100, of the moving piece (still on `from`).
void countTried(Move move);
void countCut(Move move);

// The move is none of capture, castling, promotion.
inline bool isQuietMove(Move move) {
    return (moveFlags(move) & (MOVE_CAPTURE | MOVE_CASTLE | MOVE_PROMOTION)) == 0;
}
