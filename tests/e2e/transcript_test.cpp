// Every transcript under tests/data/transcripts, run on every engine build: the
// file NAME.in is sent to the engine and its output must match NAME.out line
// by line. In expected lines "{NAME}" stands for the build's engine name and
// "{ANY}" for any text (times, speeds, the build date).
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "engine_process.h"

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream s(text);
    std::string line;
    while (std::getline(s, line)) lines.push_back(line);
    return lines;
}

// Matches a line against a pattern with "{ANY}" wildcards.
bool matches(const std::string& line, const std::string& pattern) {
    const std::string any = "{ANY}";
    size_t star = pattern.find(any);
    if (star == std::string::npos) return line == pattern;
    const std::string head = pattern.substr(0, star);
    if (line.compare(0, head.size(), head) != 0) return false;
    const std::string rest = pattern.substr(star + any.size());
    for (size_t i = head.size(); i <= line.size(); i++)
        if (matches(line.substr(i), rest)) return true;
    return false;
}

std::vector<std::string> transcriptNames() {
    std::vector<std::string> names;
    const std::string dir = std::string(TEST_DATA_DIR) + "/transcripts";
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string f = e->d_name;
            if (f.size() > 3 && f.compare(f.size() - 3, 3, ".in") == 0) names.push_back(f.substr(0, f.size() - 3));
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct Case {
    std::string engine;
    std::string transcript;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.transcript << " on " << c.engine; }

class Transcript : public testing::TestWithParam<Case> {};

TEST_P(Transcript, OutputMatches) {
    const Case& c = GetParam();
    const std::string base = std::string(TEST_DATA_DIR) + "/transcripts/" + c.transcript;
    const EngineRun run = runEngine(c.engine, readFile(base + ".in"));
    EXPECT_EQ(run.exitStatus, 0);
    std::string expectedText = readFile(base + ".out");
    for (size_t at; (at = expectedText.find("{NAME}")) != std::string::npos;)
        expectedText.replace(at, 6, engineNameFor(c.engine));
    const std::vector<std::string> expected = splitLines(expectedText);
    const std::vector<std::string> actual = splitLines(run.output);
    for (size_t i = 0; i < std::max(expected.size(), actual.size()); i++) {
        const std::string want = i < expected.size() ? expected[i] : "<end of output>";
        const std::string got = i < actual.size() ? actual[i] : "<end of output>";
        if (!matches(got, want)) {
            ADD_FAILURE() << c.transcript << " line " << i + 1 << "\n  expected: " << want << "\n  actual:   " << got;
            return;
        }
    }
}

std::vector<Case> allCases() {
    std::vector<Case> cases;
    for (const std::string& engine : enginePaths())
        for (const std::string& name : transcriptNames()) cases.push_back({engine, name});
    return cases;
}

std::string caseName(const testing::TestParamInfo<Case>& info) {
    std::string engine = info.param.engine.substr(info.param.engine.rfind('/') + 1);
    std::string name = engine + "_" + info.param.transcript;
    for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Engines, Transcript, testing::ValuesIn(allCases()), caseName);

}  // namespace
