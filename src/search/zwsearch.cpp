// The zero-window searches (beta = alpha + 1), which prove that a move is no
// better than the best one already found. zwSearch holds the selectivity:
// static-evaluation pruning, razoring, null move with verification and threat
// detection, internal iterative deepening, late-move pruning and reductions,
// futility. zwSearchInCheck searches every evasion without pruning.
#include "board/bitops.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/tables.h"
#include "eval/evaluate.h"
#include "eval/params.h"
#include "search/nodeutil.h"
#include "search/ordering.h"
#include "search/output.h"
#include "search/search.h"
#include "search/tt.h"

namespace {

// Depths are in half-plies, material in centipawns (pieces only unless said).
constexpr int32_t kRookMaterial = 500;

// 8. Razoring: shallower than kRazorDepth, with the evaluation more than
//    kRazorMargin + kRazorPerDepth x depth below beta.
constexpr int32_t kRazorDepth = 8;
constexpr int32_t kRazorMargin = 512;
constexpr int32_t kRazorPerDepth = 16;

// 10. Static-evaluation pruning: shallower than kStaticPruneDepth, with the
//     evaluation more than kStaticPruneMargin + kStaticPrunePerDepth x depth
//     above beta.
constexpr int32_t kStaticPruneDepth = 8;
constexpr int32_t kStaticPruneMargin = 512;
constexpr int32_t kStaticPrunePerDepth = 10;

// 11. Null move: from kNullMinDepth on, with at least kNullMinMaterial of
//     pieces and pawns; after a capture or promotion only when the evaluation
//     is kNullAfterCaptureMargin above beta. From kNullDeepDepth on the
//     reduction grows with the depth (faster when the evaluation is
//     kNullDeepMargin above beta).
constexpr int32_t kNullMinDepth = 4;
constexpr int32_t kNullMinMaterial = 425;
constexpr int32_t kNullAfterCaptureMargin = 250;
constexpr int32_t kNullReduction = 3;
constexpr int32_t kNullDeepDepth = 18;
constexpr int32_t kNullDeepMargin = 100;
// A null move failing by more than kThreatMargin names a threat; a reduced
// node shallower than kThreatReducedDepth whose reduced move caused it fails low.
constexpr int32_t kThreatMargin = 100;
constexpr int32_t kThreatReducedDepth = 10;
// The null move's child mated at once: the side to move faces a mate threat.
constexpr int32_t kMatedAfterPass = MATE_VALUE - 2;
// A null-move cutoff is verified from kVerifyDepth on with at most a queen's
// worth (kVerifyMaterial) of pieces, by a search kVerifyReduction shallower.
constexpr int32_t kVerifyDepth = 14;
constexpr int32_t kVerifyMaterial = 1000;
constexpr int32_t kVerifyReduction = 12;

// 12. Internal iterative deepening without a hash move, from kIidDepth on,
//     unless the evaluation is more than kIidMargin below beta.
constexpr int32_t kIidDepth = 16;
constexpr int32_t kIidMargin = 200;

// 17.2 Late-move pruning and futility below kLatePruneDepth; moves whose cut
//      count is under kLatePruneCutRatio per try are pruned first.
constexpr int32_t kLatePruneDepth = 6;
constexpr uint32_t kLatePruneCutRatio = 30;
// Futility margins by depth / 2 (only entries 1 and 2 are reached).
constexpr int32_t kFutilityMargin[8] = {0, 180, 180, 320, 320, 520, 520, 720};

// 17.7 Late-move reductions from kReduceDepth on: beyond kLateMoveLimit legal
//      moves the node fails low, beyond gLMPMinLimit moves are skipped.
constexpr int32_t kReduceDepth = 6;
constexpr int32_t kLateMoveLimit = 24;

// What a zero-window node carries through its steps.
struct Node {
    int32_t alpha, beta, depth, ply, us, them;
    bool followFlag = false;
    Move hashMove = 0;
    bool hashSearched = false;  // the hash-move step searched the move it generated
    // The hash move is skipped in the later loops once the hash-move step has
    // searched it. The comparison is with the move as the table or the slot
    // gave it: a move that the generator returned with other flags (a stale
    // move of another position) is searched again where the loops meet it.
    bool alreadySearched(Move move) const { return hashSearched && move == hashMove; }
    int32_t best = kBestStart;
    int32_t legal = 0;
};

// Extension in half-plies of a move just made.
int32_t zwExtension(SearchWorker& w, Move move, bool followFlag, bool check, int32_t depth) {
    // 1. Half a ply along the previous iteration's principal variation.
    int32_t extension = followFlag ? 1 : 0;
    // 2. Half a ply for a check (a whole ply along the variation).
    if (check) {
        w.checkExtensions++;
        extension = followFlag ? 2 : 1;
    }
    // 3. Half a ply more for a pawn one step from promotion.
    if (pawnReachedSeventh(w, move)) {
        w.seventhExtensions++;
        extension += 1;
    }
    // 4. At most a ply; a check near the horizon gets the whole ply, so that
    //    it is not answered by the quiescence search alone.
    if (extension > 2) extension = 2;
    if (check && extension + depth < 4) extension = 2;
    return extension;
}

// Squares the man of `kind` and `colour` would attack from `square`.
uint64_t attacksFrom(int32_t kind, int32_t colour, int32_t square, uint64_t occupied) {
    switch (kind) {
        case PAWN: return gPawnAttacks[colour][gBitIndex[square]];
        case KNIGHT: return gKnightAttacks[gBitIndex[square]];
        case BISHOP: return bishopAttacks(occupied, square);
        case ROOK: return rookAttacks(occupied, square);
        case QUEEN: return bishopAttacks(occupied, square) | rookAttacks(occupied, square);
        default: return 0;  // a king never gives check or meets a threat this way
    }
}

// The move answers the threat: it takes the threatened man away from a
// capture, or from its destination it would attack the threat's target.
bool answersThreat(SearchWorker& w, Move move, Move threat) {
    if (!threat) return false;
    const int32_t from = moveFrom(move);
    if ((moveFlags(threat) & MOVE_CAPTURE) && from == moveTo(threat)) return true;
    const int32_t kind = w.pos.piece[from];
    return (attacksFrom(kind, w.pos.colour[from], moveTo(move), w.pos.occupied) & squareBit(moveTo(threat))) != 0;
}

// The move (not yet made) would check the enemy king from its destination.
bool checksFromTarget(SearchWorker& w, Move move) {
    const int32_t from = moveFrom(move), to = moveTo(move);
    const uint64_t occupied = (w.pos.occupied & ~squareBit(from)) | squareBit(to);
    const uint64_t attacks = attacksFrom(w.pos.piece[from], w.pos.colour[from], to, occupied);
    return (attacks & squareBit(w.pos.kingSquare[w.pos.xside])) != 0;
}

// The refutation of the null move starts where the reduced move landed, or
// lands on a square the reduced pawn attacks.
bool threatConnected(SearchWorker& w, Move threat, Move reducedMove) {
    if (moveFrom(threat) == moveTo(reducedMove)) return true;
    if (!(moveFlags(reducedMove) & MOVE_PAWN)) return false;
    return (gPawnAttacks[w.pos.xside][gBitIndex[moveTo(reducedMove)]] & squareBit(moveTo(threat))) != 0;
}

// A searched move of a zero-window node: a new best above alpha enters the
// variation, is counted as a cut, rewarded and made a killer (quiet moves
// only) and stored as a lower bound; a new best at or below alpha costs a
// quiet move its history. True on a cutoff.
bool raiseZeroWindow(SearchWorker& w, Node& n, Move move, int32_t score) {
    if (score <= n.best) return false;
    n.best = score;
    if (score <= n.alpha) {
        historyPenalty(w, move, score, n.depth, n.alpha);
        return false;
    }
    updatePv(w, move);
    countCut(w, move);
    historyReward(w, move, n.depth);
    updateKillers(w, move, score);
    ttStore(w, move, n.depth, score, BOUND_LOWER);
    return true;
}

// The transposition table's verdict on a zero-window node: true, with the
// score, when a stored bound settles it. Records the hash move, and in
// nullUseless whether an upper bound below beta says a null move would fail.
bool tableSettles(SearchWorker& w, Node& n, int32_t* result, bool* nullUseless) {
    int32_t ttScore;
    switch (ttProbe(w, n.depth, &ttScore, &n.hashMove)) {
        case BOUND_LOWER:
            *result = n.beta;
            return ttScore >= n.beta;
        case BOUND_UPPER:
            if (ttScore < n.beta) *nullUseless = true;
            *result = n.alpha;
            return ttScore <= n.alpha;
        case BOUND_EXACT:
            *result = ttScore;
            return true;
        default:
            return false;
    }
}

// Starts loading the slots of the children searched first, well before they
// are made: the hash move's, and the null move's when one may be tried.
void prefetchFirstChildren(SearchWorker& w, const Node& n, bool nullAllowed) {
    if (n.hashMove && w.pos.colour[moveFrom(n.hashMove)] == n.us) prefetchSlots(w, keyAfter(w, n.hashMove));
    if (nullAllowed && n.depth >= kNullMinDepth) prefetchSlots(w, keyAfterNullMove(w));
}

// Makes a move of a zero-window node and searches it at full depth plus its
// extension (childNull: the child may try a null move). False when the move
// is illegal; the move stays made for takeBack.
bool searchFullDepth(SearchWorker& w, Node& n, Move move, bool childNull, int32_t* score) {
    if (!makeMove(w, move)) return false;
    const bool check = afterMake(w, move, n.us);
    n.legal++;
    const int32_t childDepth = n.depth + zwExtension(w, move, n.followFlag, check, n.depth) - 2;
    if (check)
        *score = -zwSearchInCheck(w, -n.alpha - 1, -n.alpha, childDepth);
    else
        *score = -zwSearch(w, -n.alpha - 1, -n.alpha, childDepth, childNull, false);
    return true;
}

// The hash move searched first: a move of the side to move, no promotion,
// that the generator finds from its from- and to-squares in this position
// (with this position's flags) and that is legal. True when it cut off, with
// the score.
bool hashMoveFirst(SearchWorker& w, Node& n, int32_t* result) {
    const Move hash = n.hashMove;
    if (!hash || w.pos.colour[moveFrom(hash)] != n.us || (moveFlags(hash) & MOVE_PROMOTION)) return false;
    generateSingleMove(w, hash);
    if (w.firstMove[n.ply + 1] == w.firstMove[n.ply]) return false;
    const Move move = w.moveStack[w.firstMove[n.ply]].move;
    int32_t score;
    if (!searchFullDepth(w, n, move, false, &score)) return false;
    n.hashSearched = true;
    if (!takeBack(w, move, n.us)) {
        *result = 0;
        return true;
    }
    if (!raiseZeroWindow(w, n, move, score)) return false;
    *result = score;
    return true;
}

// Null move in the child is allowed unless the move is one the node expects
// to be good: the hash move, the previous principal variation, a mate killer.
bool childNullAllowed(SearchWorker& w, Move move, const Node& n) {
    return move != n.hashMove && move != w.pvTable[0][n.ply] && move != w.mateKiller[n.ply] &&
           !(n.ply >= 2 && move == w.mateKiller[n.ply - 2]);
}

}  // namespace

int32_t zwSearch(SearchWorker& w, int32_t alpha, int32_t beta, int32_t depth, bool nullAllowed, bool reduced) {
    // 1. Stop check.
    if (periodicStopCheck(w)) return 0;

    // 2. Empty line; the ply and history limits.
    Node n;
    n.alpha = alpha, n.beta = beta, n.depth = depth, n.ply = w.pos.ply;
    n.us = w.pos.side, n.them = w.pos.xside;
    const int32_t ply = n.ply, us = n.us, them = n.them;
    w.pvLength[ply] = ply;
    if (atSearchLimit(w)) return evaluate(w, alpha, beta);

    // 3. The horizon.
    if (depth < 2) return qsearch(w, alpha, beta, 0);

    // 4. Count the node; draws. A zero-window node only tells the side of
    //    the bound, so the cheap test serves: the hundredth half-move and the
    //    first repetition are draws (the principal-variation nodes above
    //    re-test the line they report exactly).
    countNode(w);
    if (insufficientMaterial(w) || w.pos.fifty >= 100) return 0;
    if (repetitionCount(w) >= 1) return drawScore(w);

    // 5. Transposition table.
    int32_t result;
    bool nullUseless = false;
    if (tableSettles(w, n, &result, &nullUseless)) return result;
    if (nullUseless) nullAllowed = false;
    prefetchFirstChildren(w, n, nullAllowed);

    // 6. Endgame bitbases.
    int32_t bitbaseScore;
    if (probeFullWidthBitbase(w, alpha, beta, &bitbaseScore)) return bitbaseScore;

    // 7. Static evaluation.
    const int32_t eval = evaluate(w, alpha, beta);
    const bool mateWindow = !windowOutsideMates(alpha, beta);

    // 8. Razoring.
    if (w.pos.pieceMaterial[them] > kRookMaterial && !mateWindow && depth < kRazorDepth &&
        beta > eval + kRazorMargin + kRazorPerDepth * depth && w.history[w.pos.hply - 1].move != 0 && !n.hashMove &&
        !hasPawnOnSeventh(w, us)) {
        const int32_t r = beta - kRazorPerDepth * depth - kRazorMargin;
        const int32_t v = qsearch(w, r - 1, r, 0);
        if (v < r) return v;
    }

    Move threat = 0;
    bool mateThreat = false;
    // 9. Steps 10 and 11 only where a null move is allowed.
    if (nullAllowed) {
        // 10. Static-evaluation pruning.
        if (depth < kStaticPruneDepth && !mateWindow && w.pos.pieceMaterial[us] > kRookMaterial &&
            !hasPawnOnSeventh(w, them)) {
            const int32_t margin = eval - kStaticPruneMargin - kStaticPrunePerDepth * depth;
            if (beta <= margin) return margin;
        }

        // 11. Null move.
        const Move previous = w.history[w.pos.hply - 1].move;
        const bool quietPrevious = !(moveFlags(previous) & (MOVE_CAPTURE | MOVE_PROMOTION));
        if (beta < MATE_BOUND && depth >= kNullMinDepth &&
            w.pos.pieceMaterial[us] + w.pos.pawnMaterial[us] >= kNullMinMaterial && beta <= eval &&
            (quietPrevious || beta < eval - kNullAfterCaptureMargin)) {
            w.nullTries++;
            const bool savedFollow = w.followPv;
            w.firstMove[ply + 1] = w.firstMove[ply];
            makeNullMove(w);
            const int32_t r = depth < kNullDeepDepth ? kNullReduction
                              : eval - beta > kNullDeepMargin ? depth / 10 + kNullReduction
                                                              : depth / 18 + kNullReduction;
            const int32_t v = -zwSearch(w, -beta, -beta + 1, depth - 2 * r - 2, false, false);
            unmakeNullMove(w);
            if (w.stopped) return 0;
            w.followPv = savedFollow;
            if (v < beta) {
                // The null move failed: what refuted it is the threat.
                if (beta > v + kThreatMargin) {
                    const Move refutation = w.history[w.pos.hply + 1].move;
                    if (w.pos.piece[moveFrom(refutation)] != EMPTY) threat = refutation;
                }
                if (v == ply - kMatedAfterPass) mateThreat = true;
                const Move reducedMove = w.reducedMove[w.pos.hply];
                if (reduced && depth < kThreatReducedDepth && reducedMove && threat &&
                    threatConnected(w, threat, reducedMove))
                    return beta - 1;
            } else if (depth >= kVerifyDepth && w.pos.pieceMaterial[us] <= kVerifyMaterial) {
                // Verify in the endgame, where passing may be the only bad move.
                const int32_t verified = zwSearch(w, alpha, beta, depth - kVerifyReduction, false, false);
                if (verified >= beta) {
                    w.nullCutoffs++;
                    if (!n.hashMove) ttStore(w, nodePvMove(w), depth, verified, BOUND_LOWER);
                    return verified;
                }
            } else {
                w.nullCutoffs++;
                const int32_t bounded = v > MATE_BOUND ? MATE_BOUND : v < -MATE_BOUND ? -MATE_BOUND : v;
                if (!n.hashMove) ttStoreNoMove(w, depth, bounded, BOUND_LOWER);
                return bounded;
            }
        }
    }

    // 12. Internal iterative deepening.
    if (!n.hashMove && depth >= kIidDepth && beta - kIidMargin <= eval) {
        zwSearch(w, alpha, beta, depth / 2, false, false);
        n.hashMove = nodePvMove(w);
    }

    // 13. Node state.
    n.followFlag = enterFollowPvNode(w);

    // 14. The hash move first.
    if (hashMoveFirst(w, n, &result)) return result;

    // 15. Good captures, never pruned or reduced.
    generateGoodCaptures(w);
    markFollowPv(w);
    for (int32_t i = w.firstMove[ply]; i < w.firstMove[ply + 1]; i++) {
        pickWithLookahead<true>(w, i, w.firstMove[ply], 0);
        const Move move = w.moveStack[i].move;
        int32_t score;
        if (n.alreadySearched(move) || !searchFullDepth(w, n, move, false, &score)) continue;
        if (!takeBack(w, move, us)) return 0;
        if (raiseZeroWindow(w, n, move, score)) return score;
    }

    // 16. The remaining moves.
    generateOtherMoves(w);
    markFollowPv(w);
    if (w.firstMove[ply + 1] == w.firstMove[ply]) {
        if (n.legal == 0) return 0;
        if (n.best > alpha) return n.best;
        ttStoreNoMove(w, depth, n.best, BOUND_UPPER);
        return n.best;
    }

    // 17. The remaining-move loop.
    const bool bothSidesStrong = w.pos.pieceMaterial[us] >= kRookMaterial && w.pos.pieceMaterial[them] >= kRookMaterial;
    for (int32_t i = w.firstMove[ply]; i < w.firstMove[ply + 1]; i++) {
        pickWithLookahead<true>(w, i, w.firstMove[ply], n.hashMove);
        const Move move = w.moveStack[i].move;
        if (n.alreadySearched(move)) continue;
        const bool quiet = isQuietMove(move);

        // 17.1 Does the move meet the threat found by the null move?
        const bool answers = answersThreat(w, move, threat);

        // 17.2 Late-move pruning and futility.
        if (!mateThreat && !n.followFlag && !answers && move != n.hashMove && beta < MATE_BOUND &&
            beta > -MATE_BOUND && depth < kLatePruneDepth && n.legal >= depth / 2 + 2 && bothSidesStrong) {
            const int32_t from = moveFrom(move), to = moveTo(move);
            const uint32_t ratio = w.cutCount[us][w.pos.piece[from]][to] / (w.triedCount[us][w.pos.piece[from]][to] + 1);
            const int32_t futile = eval + kFutilityMargin[depth / 2];
            if (ratio < kLatePruneCutRatio) {
                if (!checksFromTarget(w, move)) continue;
            } else if (quiet && futile < beta && !checksFromTarget(w, move)) {
                if (n.best < futile) n.best = futile;
                continue;
            }
        }

        // 17.3 A move that only takes back the side's own previous move.
        if (n.legal >= 2 && beta >= 1 && quiet && w.pos.fifty >= 2 && w.pos.hply >= 2) {
            const Move own = w.history[w.pos.hply - 2].move;
            if (moveFrom(move) == moveTo(own) && moveTo(move) == moveFrom(own)) continue;
        }

        // 17.4 Make it.
        if (!makeMove(w, move)) continue;
        const bool check = afterMake(w, move, us);
        n.legal++;

        // 17.5 Extension; checks are searched at full depth.
        const int32_t extension = zwExtension(w, move, n.followFlag, check, depth);
        const int32_t childDepth = depth + extension - 2;
        int32_t score = 0;
        if (check) {
            score = -zwSearchInCheck(w, -alpha - 1, -alpha, childDepth);
        } else {
            // 17.6 Null move in the child.
            const bool childNull = childNullAllowed(w, move, n);

            // 17.7 Late-move reductions.
            bool fullDepth = true;
            if (!mateThreat && !answers && extension == 0 && depth >= kReduceDepth && n.legal >= 4 &&
                !opponentTooWeakToReduce(w)) {
                if (n.legal > kLateMoveLimit) {
                    unmakeMove(w);
                    markCastling(w, move, us, false);
                    return alpha;
                }
                if (n.legal > gLMPMinLimit) {
                    unmakeMove(w);
                    markCastling(w, move, us, false);
                    n.legal--;
                    continue;
                }
                w.reducedMove[w.pos.hply] = move;
                const int32_t r = n.legal > 7 ? 4 : 2;
                score = -zwSearch(w, -alpha - 1, -alpha, childDepth - r, childNull, true);
                fullDepth = score >= beta;
            }
            if (fullDepth) {
                w.reducedMove[w.pos.hply] = 0;
                score = -zwSearch(w, -alpha - 1, -alpha, childDepth, childNull, false);
            }
        }

        // 17.8 Take it back.
        if (!takeBack(w, move, us)) return 0;

        // 17.9 Best, cutoff.
        if (raiseZeroWindow(w, n, move, score)) return score;
    }

    // 18. No move beat alpha.
    if (n.legal == 0) return 0;
    if (n.best > alpha) return n.best;
    ttStoreNoMove(w, depth, n.best, BOUND_UPPER);
    return n.best;
}

int32_t zwSearchInCheck(SearchWorker& w, int32_t alpha, int32_t beta, int32_t depth) {
    // 1. Stop check, empty line, limits.
    if (periodicStopCheck(w)) return 0;
    Node n;
    n.alpha = alpha, n.beta = beta, n.depth = depth, n.ply = w.pos.ply;
    n.us = w.pos.side, n.them = w.pos.xside;
    const int32_t ply = n.ply;
    w.pvLength[ply] = ply;
    if (atSearchLimit(w)) return evaluate(w, alpha, beta);

    // 2. Count the node; draws. In check the side may be mated on the
    //    hundredth half-move, and a repeated check is a draw only the second
    //    time, as in the principal-variation nodes.
    countNode(w);
    if (insufficientMaterial(w) || w.pos.fifty > 100) return 0;
    if (repetitionCount(w) >= 2) return drawScore(w);

    // 3. Transposition table.
    int32_t result;
    bool nullUseless = false;
    if (tableSettles(w, n, &result, &nullUseless)) return result;

    // 4. The hash move first.
    n.followFlag = enterFollowPvNode(w);
    if (hashMoveFirst(w, n, &result)) return result;

    // 5. Evasions.
    generateCheckEvasions(w);
    markFollowPv(w);

    // 6. Every evasion.
    for (int32_t i = w.firstMove[ply]; i < w.firstMove[ply + 1]; i++) {
        pickWithLookahead<true>(w, i, w.firstMove[ply], n.hashMove);
        const Move move = w.moveStack[i].move;
        int32_t score;
        if (n.alreadySearched(move) || !searchFullDepth(w, n, move, childNullAllowed(w, move, n), &score)) continue;
        if (!takeBack(w, move, n.us)) return alpha;
        if (raiseZeroWindow(w, n, move, score)) return score;
    }

    // 7. Mate, or an upper bound.
    if (n.legal == 0) return ply - MATE_VALUE;
    if (w.stopped) return alpha;
    ttStoreNoMove(w, depth, n.best, BOUND_UPPER);
    return n.best;
}
