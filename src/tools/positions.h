// Position sets of the benchmark and test commands.
#pragma once
#include <cstdint>

struct BenchPosition {
    const char* fen;
    int32_t depth;         // base search depth in plies
    const char* expected;  // the move the engine is expected to choose
};

constexpr int32_t kBenchPositions = 10;
extern const BenchPosition kBenchSet[kBenchPositions];

constexpr int32_t kProfilePositions = 20;
extern const char* const kProfileSet[kProfilePositions];

struct TestPosition {
    const char* fen;
    int32_t referenceMs;   // time a reference search needed to solve it
    const char* solution;  // the solution as text (not compared with the move found)
};

constexpr int32_t kTestPositions = 6;
extern const TestPosition kTestSet[kTestPositions];

// A king and pawn ending with a deep winning plan.
extern const char* const kFine70;

// Pairs of positions: each one followed by its colour mirror (colours
// exchanged, board mirrored, the other side to move).
constexpr int32_t kSymmetryPositions = 302;
extern const char* const kSymmetrySet[kSymmetryPositions];
