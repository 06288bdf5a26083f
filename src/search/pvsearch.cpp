// The principal-variation search: full-window nodes. The first move gets the
// full window, later moves a zero window first and a full-window re-search only
// when they land strictly inside the window. The only search that stores exact
// scores with their best move.
#include "board/makemove.h"
#include "board/movegen.h"
#include "eval/evaluate.h"
#include "search/nodeutil.h"
#include "search/ordering.h"
#include "search/output.h"
#include "search/search.h"
#include "search/tt.h"

int32_t pvExtension(SearchWorker& w, Move move, int32_t ply, bool followFlag, bool check) {
    // 1. A check is searched a whole ply deeper.
    if (check) {
        w.checkExtensions++;
        return 2;
    }
    // 2. So is a pawn that reached its seventh rank, one step from promotion.
    if (pawnReachedSeventh(w, move)) {
        w.seventhExtensions++;
        return 2;
    }
    // 3. Half a ply along the previous iteration's principal variation.
    int32_t extension = followFlag ? 1 : 0;
    // 4. A piece capture heading for a pawn ending of the captured side.
    const HistoryEntry& made = w.history[w.pos.hply - 1];
    const int32_t captured = w.pos.side;
    if ((moveFlags(move) & MOVE_CAPTURE) && made.captured != PAWN && w.pos.pawnNumber[captured] > 0) {
        if (w.pos.pieceNumber[captured] == 0) {
            w.pawnEndExtensions++;
            extension = followFlag ? 2 : 1;
        } else if (w.pos.pieceNumber[captured] == 1) {
            extension = followFlag ? 2 : 1;
        }
    }
    // 5. A recapture on the square of the previous capture.
    if (ply >= 2) {
        const HistoryEntry& previous = w.history[w.pos.hply - 2];
        auto tookAMan = [](const HistoryEntry& h) { return h.captured >= PAWN && h.captured <= QUEEN; };
        if (tookAMan(made) && tookAMan(previous) && moveTo(made.move) == moveTo(previous.move)) {
            w.recaptureExtensions++;
            extension = 2;
        }
    }
    return extension;
}

bool exemptFromReduction(SearchWorker& w, Move move, int32_t ply) {
    if (moveFlags(move) & (MOVE_CAPTURE | MOVE_PROMOTION | MOVE_CASTLE)) return true;
    if (move == w.mateKiller[ply] || move == w.killer1[ply] || move == w.killer2[ply]) return true;
    if (ply >= 2 && (move == w.mateKiller[ply - 2] || move == w.killer1[ply - 2] || move == w.killer2[ply - 2]))
        return true;
    return pawnReachedSeventh(w, move);
}

int32_t pvSearch(SearchWorker& w, int32_t alpha, int32_t beta, int32_t depth, bool inCheck) {
    // 1. Stop check.
    if (periodicStopCheck(w)) return 0;

    // 2. Empty line; the ply and history limits.
    const int32_t ply = w.pos.ply;
    w.pvLength[ply] = ply;
    if (atSearchLimit(w)) return evaluate(w, alpha, beta);

    // 3. The horizon.
    if (depth < 2) return qsearch(w, alpha, beta, 0);

    // 4. Count the node; dead draws.
    countNode(w);
    if (insufficientMaterial(w) || w.pos.fifty > 100) return 0;

    // 5. Fifty-move rule and repetitions. The line reported is this node's,
    //    so the test is the exact one: on the hundredth half-move a side in
    //    check may still be mated, and in check a position must come back
    //    twice (a check that repeats once may still lead somewhere else).
    if (w.pos.fifty == 100) {
        if (!inCheck) return 0;
        if (repetitionCount(w) >= 2) return drawScore(w);
    } else if (repetitionCount(w) >= (inCheck ? 2 : 1)) {
        return drawScore(w);
    }

    // 6. The hash move (the table gives no cutoff here).
    Move hashMove = 0;
    int32_t ttScore;
    ttProbe(w, depth, &ttScore, &hashMove);

    // 7. Endgame bitbases.
    int32_t bitbaseScore;
    if (probeFullWidthBitbase(w, alpha, beta, &bitbaseScore) && (bitbaseScore < 0 || !inCheck)) return bitbaseScore;

    // 8. Internal iterative deepening.
    if (!hashMove && depth >= 6) {
        if (pvSearch(w, alpha, beta, depth - 4, inCheck) <= alpha) pvSearch(w, -MATE_VALUE, beta, depth - 4, inCheck);
        hashMove = nodePvMove(w);
    }

    // 9. Node state.
    const bool followFlag = enterFollowPvNode(w);
    const int32_t alphaOnEntry = alpha;
    int32_t best = kBestStart, legal = 0;
    const int32_t us = w.pos.side;

    // 10. Moves: evasions in check.
    if (inCheck)
        generateCheckEvasions(w);
    else
        generateAllMoves(w);
    markFollowPv(w);

    // 11. The move loop.
    for (int32_t i = w.firstMove[ply]; i < w.firstMove[ply + 1]; i++) {
        pickNext(w, i, hashMove);
        const Move move = w.moveStack[i].move;
        if (!makeMove(w, move)) continue;
        const bool check = afterMake(w, move, us);
        legal++;
        const int32_t extension = pvExtension(w, move, ply, followFlag, check);
        const int32_t d = depth + extension - 2;
        int32_t score = 0;
        if (best == kBestStart) {
            // 11.1 The first move: full window.
            score = -pvSearch(w, -beta, -alpha, d, check);
        } else if (check) {
            // 11.2 A later check.
            score = searchLaterMove(w, alpha, beta, d, true);
        } else {
            // 11.3 A later move: late-move reduction, zero window, re-search.
            bool reduced = false;
            if (extension == 0 && depth >= 6 && legal >= 9 && !exemptFromReduction(w, move, ply)) {
                if (!opponentTooWeakToReduce(w) && !inCheck) {
                    const int32_t r = legal < 16 ? 2 : legal < 30 ? 4 : 6;
                    w.reducedMove[w.pos.hply] = move;
                    score = -zwSearch(w, -alpha - 1, -alpha, d - r, true, true);
                    reduced = true;
                }
            }
            if (!reduced || score > alpha) {
                w.reducedMove[w.pos.hply] = 0;
                score = searchLaterMove(w, alpha, beta, d, false);
            }
        }

        // 11.4 Take the move back.
        if (!takeBack(w, move, us)) return 0;

        // 11.5 Best, alpha, cutoff.
        if (raiseFullWidth(w, move, score, depth, &best, &alpha, beta)) return score;
    }

    // 12. Mate, stalemate.
    if (w.stopped) return 0;
    if (legal == 0) return inCheck ? ply - MATE_VALUE : 0;

    // 13. Exact score with the principal-variation move, or an upper bound.
    if (best > alphaOnEntry) {
        const Move pvMove = w.pvTable[ply][ply];
        historyReward(w, pvMove, depth);
        updateKillers(w, pvMove, best);
        ttStore(w, pvMove, depth, best, BOUND_EXACT);
    } else {
        ttStoreNoMove(w, depth, best, BOUND_UPPER);
    }
    return best;
}
