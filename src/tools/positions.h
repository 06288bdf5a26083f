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
