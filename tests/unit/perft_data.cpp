#include "perft_data.h"

#include <sstream>

#include "support.h"

std::vector<PerftCase> loadPerftCases() {
    std::vector<PerftCase> cases;
    for (const std::string& line : readLines(std::string(TEST_DATA_DIR) + "/perft.epd")) {
        if (line.empty() || line[0] == '#') continue;
        std::stringstream fields(line);
        PerftCase c;
        std::getline(fields, c.fen, ';');
        std::string depthField;
        while (std::getline(fields, depthField, ';')) {
            std::stringstream f(depthField);
            std::string label;
            uint64_t count;
            f >> label >> count;
            c.counts.push_back(count);
        }
        cases.push_back(c);
    }
    return cases;
}
