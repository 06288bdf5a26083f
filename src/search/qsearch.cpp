// The quiescence search: below the nominal depth only captures (and, near the
// horizon, quiet checks) are searched, so that the static evaluation is trusted
// only in quiet positions. qdepth is 0 at the first level and falls by one per
// level; it decides how much is searched.
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/tables.h"
#include "eval/evaluate.h"
#include "search/nodeutil.h"
#include "search/ordering.h"
#include "search/search.h"
#include "search/tt.h"

namespace {

// A searched move in quiescence: a new best, alpha raised into the variation;
// true on a cutoff, stored in the table at the first level only (evasions are
// never searched at the first level).
bool raiseQuiescence(SearchWorker& w, Move move, int32_t score, int32_t qdepth, int32_t* best, int32_t* alpha, int32_t beta) {
    if (score <= *best) return false;
    *best = score;
    if (score <= *alpha) return false;
    *alpha = score;
    updatePv(w, move);
    if (score < beta) return false;
    if (qdepth == 0) ttStore(w, move, 0, score, BOUND_LOWER);
    return true;
}

// The next level below a move just made: evasions when it gives check.
int32_t searchBelow(SearchWorker& w, int32_t alpha, int32_t beta, int32_t qdepth) {
    prefetchChild(w);
    return givesCheck(w) ? -qsearchEvasions(w, -beta, -alpha, qdepth - 1) : -qsearch(w, -beta, -alpha, qdepth - 1);
}

// Counts the node and runs the periodic stop check; true when the search stops.
bool countQuiescenceNode(SearchWorker& w) {
    countNode(w);
    if (w.stopped) return true;
    return (w.nodeCount & 1023) == 0 && renewStop(w);
}

// Delta pruning and bad captures in a zero-window node; true when the capture
// is not worth searching. best may rise to the pruned capture's margin.
bool skipCapture(SearchWorker& w, Move move, int32_t eval, int32_t beta, int32_t qdepth, int32_t* best) {
    const int32_t from = moveFrom(move), to = moveTo(move), us = w.pos.side;
    const int32_t mover = w.pos.piece[from], captured = w.pos.piece[to];
    const int32_t seventhRow = us == WHITE ? 1 : 6, lastRow = us == WHITE ? 0 : 7;
    const bool pawnAdvance = mover == PAWN && (rowOf(to) == seventhRow || rowOf(to) == lastRow);
    // 8.1 Delta pruning: the capture cannot bring the score up to beta.
    if (w.pos.pieceMaterial[us] > 500 && !pawnAdvance) {
        const int32_t margin = eval + (captured == EMPTY ? 228 : gPieceValue[captured] + 128);
        if (margin < beta) {
            if (margin > *best) *best = margin;
            return true;
        }
        if (beta > eval + 128 && qdepth < 0 && see(w, move) <= 0) return true;
    }
    // 8.2 Captures that lose material, whatever the material on the board.
    if (!(moveFlags(move) & MOVE_EN_PASSANT) && gExchangeValue[mover] > gExchangeValue[captured] && see(w, move) < 0)
        return true;
    return false;
}

// Quiet checks are searched only near the horizon and with a window close to
// the evaluation.
bool searchQuietChecks(bool zeroWindow, int32_t alpha, int32_t beta, int32_t eval, int32_t qdepth) {
    if (qdepth >= -1) {
        if (zeroWindow) return beta <= eval + 100 + (30 << (qdepth + 4));
        return alpha <= eval + 100 + (30 << (qdepth + 5));
    }
    return qdepth == -2 && !zeroWindow && alpha <= eval + 340;
}

}  // namespace

int32_t drawScore(SearchWorker& w) {
    if (w.pos.pieceMaterial[w.pos.side] < 1630) return 0;
    return w.pos.side == w.engineSide ? gContempt : -gContempt;
}

int32_t qsearch(SearchWorker& w, int32_t alpha, int32_t beta, int32_t qdepth) {
    // 1. Count the node; stop when time, input or the node budget says so.
    if (countQuiescenceNode(w)) return 0;

    // 2. An empty line, so that no stale variation is reported from here.
    const int32_t ply = w.pos.ply;
    w.pvLength[ply] = ply;

    // 3. Draws by material, the fifty-move rule and repetition: the cheap
    //    test of the zero-window nodes, whose bounds these scores serve.
    if (insufficientMaterial(w) || w.pos.fifty >= 100) return 0;
    if (repetitionCount(w) >= 1) return drawScore(w);

    // 4. The ply and history limits: no room to go deeper.
    if (atSearchLimit(w)) return evaluate(w, alpha, beta);

    // 5. Transposition table, at the first level only.
    const bool zeroWindow = beta - alpha == 1;
    Move hashMove = 0;
    if (qdepth == 0) {
        int32_t ttScore;
        const int32_t bound = ttProbe(w, 0, &ttScore, &hashMove);
        if (bound && zeroWindow) {
            if (bound == BOUND_LOWER && ttScore >= beta) return beta;
            if (bound == BOUND_UPPER && ttScore <= alpha) return alpha;
            if (bound == BOUND_EXACT) return ttScore;
        }
    }

    // 6. Endgame bitbases: an exact result ends the search here.
    int32_t bitbaseScore;
    if (probeQuiescenceBitbase(w, alpha, beta, &bitbaseScore)) return bitbaseScore;

    // 7. Stand pat: the side to move may decline every capture.
    const int32_t eval = evaluate(w, alpha, beta);
    int32_t best = eval;
    if (qdepth < 0 && beta > eval + 5) best = eval + 5;
    if (best >= beta) return best;
    const int32_t alphaOnEntry = alpha;
    if (best > alpha) alpha = best;

    // 8. Captures (pruned in zero-window nodes by skipCapture: 8.1, 8.2).
    generateCaptures(w);
    markFollowPv(w);
    const bool mateBeta = beta >= MATE_BOUND || beta <= -MATE_BOUND;
    for (int32_t i = w.firstMove[ply]; i < w.firstMove[ply + 1]; i++) {
        pickWithLookahead<false>(w, i, w.firstMove[ply], hashMove);
        const Move move = w.moveStack[i].move;
        if (zeroWindow && move != hashMove && !(moveFlags(move) & MOVE_PROMOTION) && !mateBeta &&
            skipCapture(w, move, eval, beta, qdepth, &best))
            continue;
        if (!makeMove(w, move)) continue;
        const int32_t score = searchBelow(w, alpha, beta, qdepth);
        unmakeMove(w);
        if (w.stopped) return 0;
        if (raiseQuiescence(w, move, score, qdepth, &best, &alpha, beta)) return score;
    }

    // 9. Quiet checks near the horizon, with enough material to mate.
    if (w.stopped) return 0;
    if (w.pos.pieceMaterial[w.pos.side] >= 1000) {
        if (qdepth < -2 && !zeroWindow) return best;
        if (searchQuietChecks(zeroWindow, alpha, beta, eval, qdepth)) {
            generateQuietChecks(w);
            markFollowPv(w);
            for (int32_t i = w.firstMove[ply]; i < w.firstMove[ply + 1]; i++) {
                pickWithLookahead<false>(w, i, w.firstMove[ply], hashMove);
                const Move move = w.moveStack[i].move;
                if (move != hashMove && see(w, move) < 0) continue;
                if (!makeMove(w, move)) continue;
                prefetchChild(w);
                const int32_t score = -qsearchEvasions(w, -beta, -alpha, qdepth - 1);
                unmakeMove(w);
                if (w.stopped) return 0;
                if (raiseQuiescence(w, move, score, qdepth, &best, &alpha, beta)) return score;
            }
        }
    }

    // 10. Store the first level, the one the full-width searches call.
    if (qdepth != 0) return best;
    if (best > alphaOnEntry)
        ttStore(w, nodePvMove(w), 0, best, BOUND_EXACT);
    else
        ttStoreNoMove(w, 0, best, BOUND_UPPER);
    return best;
}

int32_t qsearchEvasions(SearchWorker& w, int32_t alpha, int32_t beta, int32_t qdepth) {
    // 1. Count the node; stop when time, input or the node budget says so.
    if (countQuiescenceNode(w)) return 0;

    // 2. An empty line, so that no stale variation is reported from here.
    const int32_t ply = w.pos.ply;
    w.pvLength[ply] = ply;

    // 3. Draws, tested as in the nodes in check above: a mate on the
    //    hundredth half-move still counts, and a check must repeat twice.
    if (insufficientMaterial(w) || w.pos.fifty > 100) return 0;
    if (repetitionCount(w) >= 2) return drawScore(w);

    // 4. The ply and history limits: no room to go deeper.
    if (atSearchLimit(w)) return evaluate(w, alpha, beta);

    // 5. Evasions; none at all is mate.
    generateCheckEvasions(w);
    markFollowPv(w);
    if (w.firstMove[ply + 1] == w.firstMove[ply]) return w.stopped ? 0 : ply - MATE_VALUE;

    // 6. Every evasion but late quiet moves that lose material.
    const bool zeroWindow = beta - alpha == 1;
    const bool mateBeta = beta >= MATE_BOUND || beta <= -MATE_BOUND;
    int32_t best = kBestStart, legal = 0;
    for (int32_t i = w.firstMove[ply]; i < w.firstMove[ply + 1]; i++) {
        pickWithLookahead<false>(w, i, w.firstMove[ply], 0);
        const Move move = w.moveStack[i].move;
        if (legal >= 2 && zeroWindow && !mateBeta && isQuietMove(move) && w.pos.piece[moveFrom(move)] != KING &&
            see(w, move) < 0)
            continue;
        if (!makeMove(w, move)) continue;
        legal++;
        const int32_t score = searchBelow(w, alpha, beta, qdepth);
        unmakeMove(w);
        if (w.stopped) return 0;
        if (raiseQuiescence(w, move, score, qdepth, &best, &alpha, beta)) return score;
    }

    // 7. Mate when no evasion was legal; a draw past the fifty-move limit.
    if (w.stopped) return 0;
    if (legal == 0) return ply - MATE_VALUE;
    if (w.pos.fifty > 100) return 0;
    return best;
}
