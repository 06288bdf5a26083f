// Search output: iteration lines, the time line, ponder lines, statistics; and
// the counters the searches keep for them.
#pragma once
#include <cstdint>

// Reset at the start of every iteration.
extern int32_t gNullTries;
extern int32_t gNullCutoffs;
extern int32_t gCheckExtensions;      // Chk
extern int32_t gRecaptureExtensions;  // Recap
extern int32_t gSeventhExtensions;    // PP27
extern int32_t gPawnEndExtensions;    // PEnd

// Zeroes the counters above and the hash and bitbase hit counts.
void resetIterationCounters();

void printIterationLine(int32_t depth, int32_t score);
// The UCI form of an iteration line: "info depth ... score cp|mate ... pv ...";
// bound -1 for a score that failed low (an upper bound), 1 for one that
// failed high (a lower bound), 0 for an exact score.
void printUciIterationLine(int32_t depth, int32_t score, int32_t bound);
void printTimeLine();
void printPonderHeader(int32_t outputMode);
void printPonderLine(int32_t outputMode, int32_t depth, int32_t score);
void printSearchStats();
