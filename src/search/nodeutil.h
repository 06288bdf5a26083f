// Small tests and updates that every search node makes.
#pragma once
#include <cstdint>

#include "search/worker.h"

#include "board/attacks.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/position.h"
#include "board/types.h"
#include "config/config.h"
#include "eval/bitbase.h"
#include "eval/evalcache.h"
#include "eval/king.h"
#include "eval/pawnhash.h"
#include "search/ordering.h"
#include "search/output.h"
#include "search/stopcheck.h"
#include "search/think.h"
#include "search/tt.h"

constexpr int32_t kBestStart = -10000000;  // best score before any move is searched
constexpr int32_t kMaxSearchPly = kMaxPly - 1;  // nodes at this ply return the evaluation
constexpr int32_t kMaxSearchHply = 999;

// Moves the principal-variation and root searches never reduce: captures,
// promotions, castling, killers of this ply and of two plies earlier, pawns
// arriving on the seventh rank. The move has been made from a node at `ply`.
bool exemptFromReduction(SearchWorker& w, Move move, int32_t ply);

// Counts a node of the tree and the deepest ply reached.
inline void countNode(SearchWorker& w) {
    w.nodeCount++;
    if (w.pos.ply > w.selDepth) w.selDepth = w.pos.ply;
}

// Starts loading the table bucket and eval-cache slot of a position's key.
inline void prefetchSlots(SearchWorker& w, uint64_t key) {
    ttPrefetch(key);
    evalCachePrefetch(w.evalCache, key);
}

// After a move is made: start loading the child's table slots.
inline void prefetchChild(SearchWorker& w) {
    prefetchSlots(w, w.pos.hashKey);
    pawnHashPrefetch(w.pawnHash, w.pos.pawnKey);
}

// The move of entry i of the current ply's list in place, and the one of entry
// i + 1 too, whose child's slots start loading while entry i is searched (the
// table's only when the child will probe it: quiescence children below the
// first level do not). The choice for i + 1 depends only on the list, which
// the search of entry i leaves alone, so picking it early changes nothing;
// i == first picks the first entry, later calls find theirs already in place.
template <bool ChildProbesTable>
inline void pickWithLookahead(SearchWorker& w, int32_t i, int32_t first, Move hashMove) {
    if (i == first) pickNext(w, i, hashMove);
    if (i + 1 < w.firstMove[w.pos.ply + 1]) {
        pickFollowing(w, i + 1, hashMove);
        const uint64_t key = keyAfter(w, w.moveStack[i + 1].move);
        if (ChildProbesTable)
            prefetchSlots(w, key);
        else
            evalCachePrefetch(w.evalCache, key);
    }
}

inline bool atSearchLimit(SearchWorker& w) {
    return w.pos.ply >= kMaxSearchPly || w.pos.hply >= kMaxSearchHply;
}

// The moves of the side to move, which is in check: every evasion of a single
// check, king moves only against a double check.
inline void generateCheckEvasions(SearchWorker& w) {
    findAttackers(w, w.pos.kingSquare[w.pos.side], w.pos.xside);
    if (w.checkerSquare[1] == -1)
        generateEvasions(w);
    else
        generateKingMoves(w);
}

// After a move is made: the side now to move is in check.
inline bool givesCheck(SearchWorker& w) { return inCheck(w, w.pos.side); }

// After a move is made: a pawn has arrived on its seventh rank.
inline bool pawnReachedSeventh(SearchWorker& w, Move move) {
    const int32_t to = moveTo(move);
    return w.pos.piece[to] == PAWN && rowOf(to) == (w.pos.xside == WHITE ? 1 : 6);
}

// After a move is made: the side now to move, the mover's opponent, is too
// weak for the move to be searched with a late-move reduction: less than a
// rook of pieces, and either no piece at all or at most one pawn.
inline bool opponentTooWeakToReduce(SearchWorker& w) {
    const int32_t them = w.pos.side;
    return w.pos.pieceMaterial[them] < 500 && (w.pos.pieceNumber[them] == 0 || w.pos.pawnMaterial[them] <= 100);
}

// The side has a pawn on its seventh rank.
inline bool hasPawnOnSeventh(SearchWorker& w, int32_t colour) { return w.pos.pawnsOnSeventh[colour] > 0; }

// The has-castled flag of the evaluation, while a castling move is searched.
inline void markCastling(SearchWorker& w, Move move, int32_t mover, bool on) {
    if (moveFlags(move) & MOVE_CASTLE) setCastledInSearch(w, mover, on);
}

// What every full-width node does right after one of its moves is made:
// start loading the child's table slots, clear the child's reduction mark,
// note a castling on the line. True when the move gives check.
inline bool afterMake(SearchWorker& w, Move move, int32_t mover) {
    prefetchChild(w);
    w.reducedMove[w.pos.hply] = 0;
    markCastling(w, move, mover, true);
    return givesCheck(w);
}

// Takes back a move searched from a node where `mover` was to move, clears its
// castling mark and counts it as tried. False when the search is stopping
// (then only the move is taken back).
inline bool takeBack(SearchWorker& w, Move move, int32_t mover) {
    unmakeMove(w);
    if (w.stopped) return false;
    markCastling(w, move, mover, false);
    countTried(w, move);
    return true;
}

// A searched move of a principal-variation or root node: a new best that
// stays at or below alpha costs the move history; one above alpha enters the
// variation and is counted as a cut; one at or above beta is rewarded, made a
// killer and stored as a lower bound. True on a cutoff.
inline bool raiseFullWidth(SearchWorker& w, Move move, int32_t score, int32_t depth, int32_t* best, int32_t* alpha, int32_t beta) {
    if (score <= *best) return false;
    *best = score;
    if (score <= *alpha) {
        historyPenalty(w, move, score, depth, *alpha);
        return false;
    }
    *alpha = score;
    updatePv(w, move);
    countCut(w, move);
    if (score < beta) return false;
    historyReward(w, move, depth);
    updateKillers(w, move, score);
    ttStore(w, move, depth, score, BOUND_LOWER);
    return true;
}

inline bool windowOutsideMates(int32_t alpha, int32_t beta) {
    return alpha < MATE_BOUND && beta > -MATE_BOUND;
}

// Men besides the two kings.
inline int32_t menBesidesKings(SearchWorker& w) {
    return w.pos.pawnNumber[WHITE] + w.pos.pawnNumber[BLACK] + w.pos.pieceNumber[WHITE] + w.pos.pieceNumber[BLACK];
}

// Bitbase probing in the full-width searches: near the root only after a
// capture or pawn move, at the two-thirds ply always, deeper by load type.
inline bool probeFullWidthBitbase(SearchWorker& w, int32_t alpha, int32_t beta, int32_t* score) {
    if (!gEgbbLoaded || !gUseEgbb || gEngineState != ENGINE_NORMAL || !windowOutsideMates(alpha, beta)) return false;
    const int32_t men = menBesidesKings(w);
    if (men > 3) return false;
    const int32_t limit = (2 * w.iterationDepth) / 3, ply = w.pos.ply;
    const bool probe = ply > limit ? (gEgbbLoadType == 3 || (gEgbbLoadType == 1 && men <= 2))
                                   : (ply == limit || w.pos.fifty == 0);
    if (!probe || !probeBitbases(w, score)) return false;
    w.bitbaseHits++;
    return true;
}

// Bitbase probing in quiescence: up to the two-thirds ply always, deeper by load type.
inline bool probeQuiescenceBitbase(SearchWorker& w, int32_t alpha, int32_t beta, int32_t* score) {
    if (!gEgbbLoaded || !gUseEgbb || gEngineState != ENGINE_NORMAL || !windowOutsideMates(alpha, beta)) return false;
    const int32_t men = menBesidesKings(w);
    if (men > 3) return false;
    const int32_t limit = (2 * w.iterationDepth) / 3;
    const bool probe = w.pos.ply <= limit || gEgbbLoadType == 3 || (gEgbbLoadType == 1 && men <= 2);
    if (!probe || !probeBitbases(w, score)) return false;
    w.bitbaseHits++;
    return true;
}
