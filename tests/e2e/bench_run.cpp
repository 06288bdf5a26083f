#include "bench_run.h"

#include <fstream>
#include <regex>
#include <sstream>

#include "engine_process.h"

BenchRun runBench(const std::string& engine, int addedDepth, const std::string& workDir) {
    const EngineRun run = runEngine(engine, "bench " + std::to_string(addedDepth) + "\nbye\n", workDir);
    static const std::regex iteration(R"(^ *(\d+) +(-?\d+) +\d+ +(\d+)( .*)$)");
    static const std::regex ratio(R"( \(\d+\.\d\)( \(egbb=\d+\))?$)");
    static const std::regex row(R"(^# +(\d+) +(\d+) +(\d+) +\d+\.\d +(\S+)$)");
    BenchRun result;
    result.exitStatus = run.exitStatus;
    std::stringstream out(run.output);
    for (std::string line; std::getline(out, line);) {
        std::smatch m;
        if (std::regex_match(line, m, iteration)) {
            // The time ratio at the end of the line depends on the clock.
            result.lines += m[1].str() + " " + m[2].str() + " " + m[3].str() +
                            std::regex_replace(m[4].str(), ratio, "") + "\n";
        } else if (std::regex_match(line, m, row)) {
            result.totalNodes += std::stoll(m[3]);
            result.lines += "# " + m[1].str() + " " + m[2].str() + " " + m[3].str() + " " + m[4].str() + "\n";
        }
    }
    return result;
}

Signature expectedSignature() {
    Signature s;
    std::ifstream(std::string(TEST_DATA_DIR) + "/signature.txt") >> s.addedDepth >> s.nodes;
    return s;
}
