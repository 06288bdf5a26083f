// Running the engine's bench command and reading its results.
#pragma once
#include <string>

// A bench run: the total of its result table's node column, and every
// iteration line and table row with the times left out (they must be the
// same in every build).
struct BenchRun {
    int exitStatus = -1;
    long long totalNodes = 0;
    std::string lines;
};

// Runs in workDir (a fresh temporary directory when empty).
BenchRun runBench(const std::string& engine, int addedDepth, const std::string& workDir = "");

// The expected search signature: tests/data/signature.txt holds the bench's
// added depth and its node total.
struct Signature {
    int addedDepth = 0;
    long long nodes = 0;
};
Signature expectedSignature();
