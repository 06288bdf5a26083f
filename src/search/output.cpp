#include "search/output.h"

#include <cinttypes>
#include <cstdio>

#include "board/notation.h"
#include "board/position.h"
#include "eval/bitbase.h"
#include "eval/pawnhash.h"
#include "search/ordering.h"
#include "search/stopcheck.h"
#include "search/think.h"
#include "search/threads.h"
#include "search/timeman.h"
#include "search/tt.h"


namespace {

// The root's current move and the bounds of failed aspiration windows are
// reported once a search has run this long: a quick search shows only its
// exact lines (interfaces keep the flags of the last line they were told).
constexpr int32_t kDetailAfterMs = 1000;

}  // namespace

void resetIterationCounters(SearchWorker& w) {
    ttResetCounters(w);
    w.nullTries = w.nullCutoffs = 0;
    w.checkExtensions = w.recaptureExtensions = w.seventhExtensions = w.pawnEndExtensions = 0;
    w.earlierBitbaseHits += w.bitbaseHits;
    w.bitbaseHits = 0;
    w.followPvCounter = 0;
    w.selDepth = 0;
}

void resetSearchCounters(SearchWorker& w) {
    w.earlierBitbaseHits = 0;
    w.bitbaseHits = 0;
}

void printIterationLine(SearchWorker& w, int32_t depth, int32_t score) {
    if (w.pvLength[0] <= 0) return;
    const int32_t elapsed = elapsedMs();
    printf("%3d %5d %6d %10" PRIu64, depth, score, elapsed / 10, nodesOfAllWorkers(w));
    for (int32_t i = 0; i < w.pvLength[0]; i++) printf(" %s", moveToText(w.pvTable[0][i]));
    const int32_t previous = depth >= 1 ? w.iterationTime[depth - 1] : -1;
    if (previous > 0) {
        printf(" (%.1f)", double(elapsed) / double(previous));
        if (w.bitbaseHits) printf(" (egbb=%d)", w.bitbaseHits);
    }
    printf("\n");
    fflush(stdout);
}

void printUciIterationLine(SearchWorker& w, int32_t depth, int32_t multiPv, int32_t score, int32_t bound, int32_t selDepth,
                           const Move* pv, int32_t length) {
    const int32_t elapsed = reportedElapsedMs();
    if (length <= 0 || (bound != 0 && elapsed < kDetailAfterMs)) return;
    const uint64_t nodes = nodesOfAllWorkers(w);
    const uint64_t nps = nodes * 1000 / uint64_t(elapsed > 0 ? elapsed : 1);
    printf("info depth %d seldepth %d multipv %d score ", depth, selDepth > depth ? selDepth : depth, multiPv);
    // Mate scores count plies from the root; UCI counts moves, negative when
    // the engine is mated.
    if (score > MATE_BOUND)
        printf("mate %d", (MATE_VALUE - score + 1) / 2);
    else if (score < -MATE_BOUND)
        printf("mate -%d", (MATE_VALUE + score) / 2);
    else
        printf("cp %d", score);
    if (bound) printf(bound > 0 ? " lowerbound" : " upperbound");
    printf(" nodes %" PRIu64 " nps %" PRIu64 " time %d hashfull %d", nodes, nps, elapsed, ttHashfull());
    const int64_t tbHits = w.earlierBitbaseHits + w.bitbaseHits;
    if (tbHits > 0) printf(" tbhits %" PRId64, tbHits);
    printf(" pv");
    for (int32_t i = 0; i < length; i++) printf(" %s", moveToText(pv[i]));
    printf("\n");
    fflush(stdout);
}

void printUciCurrentMove(int32_t depth, Move move, int32_t number) {
    if (reportedElapsedMs() < kDetailAfterMs) return;
    printf("info depth %d currmove %s currmovenumber %d\n", depth, moveToText(move), number);
    fflush(stdout);
}

void printTimeLine() {
    printf("# TimeLeft=%0.2fms. CT=%dms, MT=%0.2fms  AT=%0.2fms.\n", double(gTimeLeft), gControlTime,
           double(gSoftLimit), double(gTargetTime) + double(gExtraTime));
    fflush(stdout);
}

void printPonderHeader(OutputMode outputMode) {
    if (outputMode == OutputMode::Console) printf("ply      nodes    time  score  pv\n");
    if (outputMode == OutputMode::Xboard) printf("# ply   score  time     nodes Pv line\n# -----------------------------------\n");
    fflush(stdout);
}

void printPonderLine(SearchWorker& w, OutputMode outputMode, int32_t depth, int32_t score) {
    if (outputMode == OutputMode::Silent) return;
    const int32_t elapsed = elapsedMs();
    if (outputMode == OutputMode::Console) printf("%3d  %9" PRIu64 "  %6d  %5d ", depth, nodesOfAllWorkers(w), elapsed, score);
    if (outputMode == OutputMode::Xboard) printf("%3d %5d %6d %10" PRIu64, depth, score, elapsed / 10, nodesOfAllWorkers(w));
    for (int32_t i = 0; i < w.pvLength[0] && i < 2; i++) printf(" %s", moveToText(w.pvTable[0][i]));
    if (w.pvLength[0] > 0) printf("\n");
    fflush(stdout);
}

void printSearchStats(SearchWorker& w) {
    const double elapsed = double(elapsedMs());
    const double nullRate = w.nullTries ? w.nullCutoffs * 100.0 / w.nullTries : 0.0;
    const double hashRate = w.hashProbes > 0 ? w.hashHits * 100.0 / w.hashProbes : 0.0;
    printf("# Time used=%0.2f msec.,  Pos/sec=%0.0fK,  NullHits=%.2f%%(%d), HashHits=%.2f%%(%0.0f).\n", elapsed,
           double(nodesOfAllWorkers(w)) / elapsed, nullRate, w.nullCutoffs, hashRate, w.hashHits);
    const int64_t pawnRate = w.pawnHash.probes ? w.pawnHash.hits * 100 / w.pawnHash.probes : 0;
    printf("# Pawn Hash: hits=%" PRId64 "%%(%" PRId64 ")\n", pawnRate, w.pawnHash.hits);
    printf("# WPiece=%d, WPawns=%d, BPiece=%d, BPawns=%d.\n", w.pos.pieceMaterial[WHITE], w.pos.pawnMaterial[WHITE],
           w.pos.pieceMaterial[BLACK], w.pos.pawnMaterial[BLACK]);
    printf("# Chk=%d, Recap=%d, PP27=%d, PEnd=%d.\n", w.checkExtensions, w.recaptureExtensions, w.seventhExtensions,
           w.pawnEndExtensions);
    printf("# BM=%s, MS=%d, Fifty=%d, Hply=%d.\n", moveToText(w.pvTable[0][0]), w.lastScore, w.pos.fifty, w.pos.hply);
    printf("\n");
    fflush(stdout);
}
