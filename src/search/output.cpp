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
#include "search/timeman.h"
#include "search/tt.h"

int32_t gNullTries = 0;
int32_t gNullCutoffs = 0;
int32_t gCheckExtensions = 0;
int32_t gRecaptureExtensions = 0;
int32_t gSeventhExtensions = 0;
int32_t gPawnEndExtensions = 0;
int32_t gSelDepth = 0;
int32_t gBitbaseHits = 0;

namespace {

// Bitbase hits of the search's earlier iterations.
int64_t gEarlierBitbaseHits = 0;

// The root's current move and the bounds of failed aspiration windows are
// reported once a search has run this long: a quick search shows only its
// exact lines (interfaces keep the flags of the last line they were told).
constexpr int32_t kDetailAfterMs = 1000;

}  // namespace

void resetIterationCounters() {
    ttResetCounters();
    gNullTries = gNullCutoffs = 0;
    gCheckExtensions = gRecaptureExtensions = gSeventhExtensions = gPawnEndExtensions = 0;
    gEarlierBitbaseHits += gBitbaseHits;
    gBitbaseHits = 0;
    gFollowPvCounter = 0;
    gSelDepth = 0;
}

void resetSearchCounters() {
    gEarlierBitbaseHits = 0;
    gBitbaseHits = 0;
}

void printIterationLine(int32_t depth, int32_t score) {
    if (gPvLength[0] <= 0) return;
    const int32_t elapsed = elapsedMs();
    printf("%3d %5d %6d %10u", depth, score, elapsed / 10, gNodeCount);
    for (int32_t i = 0; i < gPvLength[0]; i++) printf(" %s", moveToText(gPvTable[0][i]));
    const int32_t previous = depth >= 1 ? gIterationTime[depth - 1] : -1;
    if (previous > 0) {
        printf(" (%.1f)", double(elapsed) / double(previous));
        if (gBitbaseHits) printf(" (egbb=%d)", gBitbaseHits);
    }
    printf("\n");
    fflush(stdout);
}

void printUciIterationLine(int32_t depth, int32_t multiPv, int32_t score, int32_t bound, int32_t selDepth,
                           const Move* pv, int32_t length) {
    const int32_t elapsed = reportedElapsedMs();
    if (length <= 0 || (bound != 0 && elapsed < kDetailAfterMs)) return;
    const uint64_t nps = uint64_t(gNodeCount) * 1000 / uint64_t(elapsed > 0 ? elapsed : 1);
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
    printf(" nodes %u nps %" PRIu64 " time %d hashfull %d", gNodeCount, nps, elapsed, ttHashfull());
    const int64_t tbHits = gEarlierBitbaseHits + gBitbaseHits;
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

void printPonderHeader(int32_t outputMode) {
    if (outputMode == 1) printf("ply      nodes    time  score  pv\n");
    if (outputMode == 2) printf("# ply   score  time     nodes Pv line\n# -----------------------------------\n");
    fflush(stdout);
}

void printPonderLine(int32_t outputMode, int32_t depth, int32_t score) {
    if (outputMode == 0) return;
    const int32_t elapsed = elapsedMs();
    if (outputMode == 1) printf("%3d  %9u  %6d  %5d ", depth, gNodeCount, elapsed, score);
    if (outputMode == 2) printf("%3d %5d %6d %10u", depth, score, elapsed / 10, gNodeCount);
    for (int32_t i = 0; i < gPvLength[0] && i < 2; i++) printf(" %s", moveToText(gPvTable[0][i]));
    if (gPvLength[0] > 0) printf("\n");
    fflush(stdout);
}

void printSearchStats() {
    const double elapsed = double(elapsedMs());
    const double nullRate = gNullTries ? gNullCutoffs * 100.0 / gNullTries : 0.0;
    const double hashRate = gHashProbes > 0 ? gHashHits * 100.0 / gHashProbes : 0.0;
    printf("# Time used=%0.2f msec.,  Pos/sec=%0.0fK,  NullHits=%.2f%%(%d), HashHits=%.2f%%(%0.0f).\n", elapsed,
           double(gNodeCount) / elapsed, nullRate, gNullCutoffs, hashRate, gHashHits);
    const int64_t pawnRate = gPawnHashProbes ? gPawnHashHits * 100 / gPawnHashProbes : 0;
    printf("# Pawn Hash: hits=%" PRId64 "%%(%" PRId64 ")\n", pawnRate, gPawnHashHits);
    printf("# WPiece=%d, WPawns=%d, BPiece=%d, BPawns=%d.\n", gPos.pieceMaterial[WHITE], gPos.pawnMaterial[WHITE],
           gPos.pieceMaterial[BLACK], gPos.pawnMaterial[BLACK]);
    printf("# Chk=%d, Recap=%d, PP27=%d, PEnd=%d.\n", gCheckExtensions, gRecaptureExtensions, gSeventhExtensions,
           gPawnEndExtensions);
    printf("# BM=%s, MS=%d, Fifty=%d, Hply=%d.\n", moveToText(gPvTable[0][0]), gLastScore, gPos.fifty, gPos.hply);
    printf("\n");
    fflush(stdout);
}
