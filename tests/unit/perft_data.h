// The perft reference positions of tests/data/perft.epd.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PerftCase {
    std::string fen;
    std::vector<uint64_t> counts;  // counts[d - 1] = leaves at depth d
};

std::vector<PerftCase> loadPerftCases();
