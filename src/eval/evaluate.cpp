#include "eval/evaluate.h"

#include <algorithm>

#include "board/bitops.h"
#include "board/position.h"
#include "eval/evalcache.h"
#include "eval/evalstate.h"
#include "eval/king.h"
#include "eval/material.h"
#include "eval/params.h"
#include "eval/passers.h"
#include "eval/pawnhash.h"
#include "eval/pawns.h"
#include "eval/pieces.h"

namespace {

// The material balance when the window lies far from it, or false.
bool lazyExit(EvalBoard& w, int32_t alpha, int32_t beta, int32_t* score) {
    const Position& p = w.pos;
    if (p.pieceMaterial[p.side] < 1001 || alpha >= MATE_BOUND || beta < -(MATE_BOUND - 1)) return false;
    // In 64 bits: the margins are tunable parameters of any 32-bit value.
    const int64_t margin = beta - alpha == 1 ? gNonPvLE : gPvLE;
    int32_t lazy = (p.pawnMaterial[WHITE] - p.pawnMaterial[BLACK]) + (p.pieceMaterial[WHITE] - p.pieceMaterial[BLACK]);
    if (p.side == BLACK) lazy = -lazy;
    if (alpha > lazy + margin || beta < lazy - margin) {
        *score = lazy;
        return true;
    }
    return false;
}

// White's score from the sums: each per-colour sum is blended by phase on its
// own, every division truncating toward zero. Computed in 64 bits and held
// short of the mate scores, so that no parameter setting can make the blend
// overflow or pass an evaluation off as a mate.
int32_t blend(EvalBoard& w, const EvalState& e) {
    const int32_t W = WHITE, B = BLACK;
    const int64_t ph = e.phase, eg = 64 - e.phase, pp = e.pawnPhase;
    const int64_t outposts = (e.outpostOpening[W] * pp + e.outpostEndgame[W] * (16 - pp)) / 16 -
                             (e.outpostOpening[B] * pp + e.outpostEndgame[B] * (16 - pp)) / 16;
    const int64_t pst = (e.pstOpening[W] * ph + e.pstEndgame[W] * eg) / 64 -
                        (e.pstOpening[B] * ph + e.pstEndgame[B] * eg) / 64;
    const int64_t main = (e.opening * ph + e.endgame * eg) / 64;
    const int64_t mobility = (((e.mobOpening[W] * ph + e.mobEndgame[W] * eg) / 64 -
                               (e.mobOpening[B] * ph + e.mobEndgame[B] * eg) / 64) *
                              gMobilityFactor) /
                             100;
    const int64_t pawnPressure = popCount(e.attackMap[W][PAWN] & w.pos.occupied) / 2 -
                                 popCount(e.attackMap[B][PAWN] & w.pos.occupied) / 2;
    const int64_t score =
        outposts + pst + main + mobility + e.blended + pawnPressure + ((e.imbalance * eg) / 64) / 10;
    return int32_t(std::clamp<int64_t>(score, -(MATE_BOUND - 1), MATE_BOUND - 1));
}

}  // namespace

int32_t evaluate(EvalBoard& w, int32_t alpha, int32_t beta) {
    // 1. Cache: a position evaluated before costs one probe. The pawn hash slot
    //    starts loading meanwhile, so that the two memory reads overlap.
    pawnHashPrefetch(w.pawnHash, w.pos.pawnKey);
    int32_t score;
    if (evalCacheProbe(w.evalCache, w.pos.hashKey, &score)) return score;

    // 2. Lazy exit: material alone is far enough outside the window.
    if (lazyExit(w, alpha, beta, &score)) return score;

    // 3. Counts, phase, empty sums: what every later step reads or adds to.
    EvalState e;
    initEvalState(w, e);

    // 4. Pawn rows, and the pawn-only facts with the structure score (from the
    //    pawn hash when known).
    fillPawnRows(w, e);
    if (e.totalPawns) {
        const PawnHashEntry facts = pawnFacts(w, e);
        e.blended += pawnStructure(w, facts);

        // 5. Pawns, passed pawns among them, whose terms depend on the pieces.
        evaluatePawns(w, e, WHITE, facts);
        evaluatePawns(w, e, BLACK, facts);
    }

    // 6. Pieces: mobility, outposts, files and ranks; they build the attack maps.
    evaluateKnights(w, e, WHITE);
    evaluateKnights(w, e, BLACK);
    evaluateBishops(w, e, WHITE);
    evaluateBishops(w, e, BLACK);
    evaluateRooks(w, e, WHITE);
    evaluateRooks(w, e, BLACK);
    evaluateQueens(w, e, WHITE);
    evaluateQueens(w, e, BLACK);

    // 7. Kings: tables, shelter and storm, attackers near each king.
    evaluateKing(w, e, WHITE);
    evaluateKing(w, e, BLACK);

    // 8. Storm and piece-behind-pawn sums against the kings, once both are known.
    weighKingAttacks(e);

    // 9. Material redundancy: pieces worth less together than alone.
    materialRedundancy(e);

    // 10. Castling: rights kept and castling done, against the root's rights.
    castlingTerms(w, e);

    // 11. Passer majority and distant passers, which need every pawn's terms.
    passerMajority(w, e);

    // 12. Attacks on the king zones (from the complete maps); rooks doubled on the
    //     seventh and on open files.
    kingZoneAttacks(w, e);
    rooksOnSeventhAndOpenFiles(e);

    // 13. Bishop pair and bad bishop, from the final piece counts.
    bishopPairAndBadBishop(e);

    // 14. Bare-king endings: drive the lone king to the edge.
    bareKingEndings(w, e);

    // 15. Blend by phase, then scale down drawish material.
    score = scaleDrawish(e, blend(w, e));

    // 16. Cache the result from the side to move's point of view.
    if (w.pos.side == BLACK) score = -score;
    evalCacheStore(w.evalCache, w.pos.hashKey, score);
    return score;
}
