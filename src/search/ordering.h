// Move-ordering tables of the search: history values, tried and cut counts,
// killers and mate killers per ply, the principal-variation table and the
// follow-PV state, with the pickers and the updates the searches apply.
#pragma once
#include <cstdint>

#include "search/worker.h"

#include "board/board.h"
#include "board/types.h"

// Score given to the previous iteration's move by markFollowPv.
constexpr int32_t kFollowPvScore = 10000000;

// History to 2048; counts, killers and the principal-variation table to 0.
void resetOrderingTables(SearchWorker& w);

// Bring the best remaining move of the current ply (or the hash move) to entry i.
void pickBest(SearchWorker& w, int32_t i);
void pickHashFirst(SearchWorker& w, int32_t i, Move hashMove);

// Entry i after the node's first pick, which brought the hash move (if any)
// to the front: the best by score, with the floor of the picker it replaces.
void pickBestBehindHash(SearchWorker& w, int32_t i);

// The next move to search at entry i: the hash move first when there is one,
// then the best by score.
inline void pickNext(SearchWorker& w, int32_t i, Move hashMove) {
    if (hashMove)
        pickHashFirst(w, i, hashMove);
    else
        pickBest(w, i);
}

// pickNext for an entry after the first of its list: the hash move is never
// among the remaining entries, so it is not searched for again.
inline void pickFollowing(SearchWorker& w, int32_t i, Move hashMove) {
    if (hashMove)
        pickBestBehindHash(w, i);
    else
        pickBest(w, i);
}

// After generation while following: gives the previous iteration's move of
// this ply the follow score, or stops following when it is not in the list.
void markFollowPv(SearchWorker& w);

// True for every fourth consecutive node entered while following (the node
// gets the follow-PV extension flag); counts the nodes entered.
bool enterFollowPvNode(SearchWorker& w);

// The node's line becomes the move followed by the child's line.
void updatePv(SearchWorker& w, Move move);

// The node's principal-variation slot (column ply of row ply): the move of the
// last line found at this ply. When the node's own line is empty it is the
// move some earlier node at this ply left there, possibly of another position,
// so whoever searches it must check it first (the hash-move step does).
Move nodePvMove(SearchWorker& w);

// History and killers; no-ops for captures, castling and promotions.
void historyReward(SearchWorker& w, Move move, int32_t depth);
void historyPenalty(SearchWorker& w, Move move, int32_t score, int32_t depth, int32_t alpha);
void updateKillers(SearchWorker& w, Move move, int32_t score);

// Tried count + 1, and cut count + 100, of the moving piece (still on `from`).
void countTried(SearchWorker& w, Move move);
void countCut(SearchWorker& w, Move move);

// The move is none of capture, castling, promotion.
inline bool isQuietMove(Move move) {
    return (moveFlags(move) & (MOVE_CAPTURE | MOVE_CASTLE | MOVE_PROMOTION)) == 0;
}
