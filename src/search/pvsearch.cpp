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

int32_t pvExtension(Move move, int32_t ply, bool followFlag, bool check) {
    // 1. A check is searched a whole ply deeper.
    if (check) {
        gCheckExtensions++;
        return 2;
    }
    // 2. So is a pawn that reached its seventh rank, one step from promotion.
    if (pawnReachedSeventh(move)) {
        gSeventhExtensions++;
        return 2;
    }
    // 3. Half a ply along the previous iteration's principal variation.
    int32_t extension = followFlag ? 1 : 0;
    // 4. A piece capture heading for a pawn ending of the captured side.
    const HistoryEntry& made = gHistory[gPos.hply - 1];
    const int32_t captured = gPos.side;
    if ((moveFlags(move) & MOVE_CAPTURE) && made.captured != PAWN && gPos.pawnNumber[captured] > 0) {
        if (gPos.pieceNumber[captured] == 0) {
            gPawnEndExtensions++;
            extension = followFlag ? 2 : 1;
        } else if (gPos.pieceNumber[captured] == 1) {
            extension = followFlag ? 2 : 1;
        }
    }
    // 5. A recapture on the square of the previous capture.
    if (ply >= 2) {
        const HistoryEntry& previous = gHistory[gPos.hply - 2];
        auto tookAMan = [](const HistoryEntry& h) { return h.captured >= PAWN && h.captured <= QUEEN; };
        if (tookAMan(made) && tookAMan(previous) && moveTo(made.move) == moveTo(previous.move)) {
            gRecaptureExtensions++;
            extension = 2;
        }
    }
    return extension;
}

bool exemptFromReduction(Move move, int32_t ply) {
    if (moveFlags(move) & (MOVE_CAPTURE | MOVE_PROMOTION | MOVE_CASTLE)) return true;
    if (move == gMateKiller[ply] || move == gKiller1[ply] || move == gKiller2[ply]) return true;
    if (ply >= 2 && (move == gMateKiller[ply - 2] || move == gKiller1[ply - 2] || move == gKiller2[ply - 2]))
        return true;
    return pawnReachedSeventh(move);
}

int32_t pvSearch(int32_t alpha, int32_t beta, int32_t depth, bool inCheck) {
    // 1. Stop check.
    if (periodicStopCheck()) return 0;

    // 2. Empty line; the ply and history limits.
    const int32_t ply = gPos.ply;
    gPvLength[ply] = ply;
    if (atSearchLimit()) return evaluate(alpha, beta);

    // 3. The horizon.
    if (depth < 2) return qsearch(alpha, beta, 0);

    // 4. Count the node; dead draws.
    countNode();
    if (insufficientMaterial() || gPos.fifty > 100) return 0;

    // 5. Fifty-move rule and repetitions.
    if (gPos.fifty == 100) {
        if (!inCheck) return 0;
        if (repetitionCount() >= 2) return drawScore();
    } else if (repetitionCount() >= (inCheck ? 2 : 1)) {
        return drawScore();
    }

    // 6. The hash move (the table gives no cutoff here).
    Move hashMove = 0;
    int32_t ttScore;
    ttProbe(depth, &ttScore, &hashMove);

    // 7. Endgame bitbases.
    int32_t bitbaseScore;
    if (probeFullWidthBitbase(alpha, beta, &bitbaseScore) && (bitbaseScore < 0 || !inCheck)) return bitbaseScore;

    // 8. Internal iterative deepening.
    if (!hashMove && depth >= 6) {
        if (pvSearch(alpha, beta, depth - 4, inCheck) <= alpha) pvSearch(-MATE_VALUE, beta, depth - 4, inCheck);
        hashMove = nodePvMove();
    }

    // 9. Node state.
    const bool followFlag = enterFollowPvNode();
    const int32_t alphaOnEntry = alpha;
    int32_t best = kBestStart, legal = 0;
    const int32_t us = gPos.side;

    // 10. Moves: evasions in check.
    if (inCheck)
        generateCheckEvasions();
    else
        generateAllMoves();
    markFollowPv();

    // 11. The move loop.
    for (int32_t i = gFirstMove[ply]; i < gFirstMove[ply + 1]; i++) {
        pickNext(i, hashMove);
        const Move move = gMoveStack[i].move;
        if (!makeMove(move)) continue;
        prefetchChild();
        legal++;
        gHistory[gPos.hply].reducedMove = 0;
        markCastling(move, us, true);
        const bool check = givesCheck();
        const int32_t extension = pvExtension(move, ply, followFlag, check);
        const int32_t d = depth + extension - 2;
        int32_t score = 0;
        if (best == kBestStart) {
            // 11.1 The first move: full window.
            score = -pvSearch(-beta, -alpha, d, check);
        } else if (check) {
            // 11.2 A later check.
            score = searchLaterMove(alpha, beta, d, true);
        } else {
            // 11.3 A later move: late-move reduction, zero window, re-search.
            bool reduced = false;
            if (extension == 0 && depth >= 6 && legal >= 9 && !exemptFromReduction(move, ply)) {
                if (!opponentTooWeakToReduce() && !inCheck) {
                    const int32_t r = legal < 16 ? 2 : legal < 30 ? 4 : 6;
                    gHistory[gPos.hply].reducedMove = move;
                    score = -zwSearch(-alpha - 1, -alpha, d - r, true, true);
                    reduced = true;
                }
            }
            if (!reduced || score > alpha) {
                gHistory[gPos.hply].reducedMove = 0;
                score = searchLaterMove(alpha, beta, d, false);
            }
        }

        // 11.4 Take the move back.
        if (!takeBack(move, us)) return 0;

        // 11.5 Best, alpha, cutoff.
        if (raiseFullWidth(move, score, depth, &best, &alpha, beta)) return score;
    }

    // 12. Mate, stalemate.
    if (gStopSearch) return 0;
    if (legal == 0) return inCheck ? ply - MATE_VALUE : 0;

    // 13. Exact score with the principal-variation move, or an upper bound.
    if (best > alphaOnEntry) {
        const Move pvMove = gPvTable[ply][ply];
        historyReward(pvMove, depth);
        updateKillers(pvMove, best);
        ttStore(pvMove, depth, best, BOUND_EXACT);
    } else {
        ttStoreNoMove(depth, best, BOUND_UPPER);
    }
    return best;
}
