// The table of settings against what the user reads: the sample morvantix.ini
// and the manual page must show its keys, option names, ranges and start
// values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "config/settings.h"
#include "search/rootmoves.h"
#include "search/threads.h"
#include "support.h"

namespace {

const std::string kDist = DIST_DIR;

const Setting* withIniKey(const std::string& key) {
    for (const Setting& s : allSettings())
        if (s.iniKey && key == s.iniKey) return &s;
    return nullptr;
}

const Setting* withUciName(const std::string& name) {
    for (const Setting& s : allSettings())
        if (s.uciName && name == s.uciName) return &s;
    return nullptr;
}

std::vector<std::string> iniKeys() {
    std::vector<std::string> keys;
    for (const Setting& s : allSettings())
        if (s.iniKey) keys.push_back(s.iniKey);
    return keys;
}

// "(low..high" as the range of a setting; the manual's minus is "\-".
std::string rangeText(const Setting& s) { return "(" + std::to_string(s.low) + ".." + std::to_string(s.high); }

// The ranges "(a..b" written in a text, as written (minus signs plain).
std::vector<std::string> rangesIn(std::string text) {
    for (size_t at; (at = text.find("\\-")) != std::string::npos;) text.erase(at, 1);
    std::vector<std::string> ranges;
    for (size_t open = text.find('('); open != std::string::npos; open = text.find('(', open + 1)) {
        const size_t dots = text.find_first_not_of("0123456789-", open + 1);
        if (dots == std::string::npos || text.compare(dots, 2, "..") != 0) continue;
        ranges.push_back(text.substr(open, text.find_first_not_of("0123456789-", dots + 2) - open));
    }
    return ranges;
}

bool isChoiceOf(const Setting& s, const std::string& word) {
    for (const char* const* choice = s.choices; *choice; choice++)
        if (word == *choice) return true;
    return false;
}

// The value shown for a setting in the sample is its start value; a number
// that starts outside its range (a size not given yet) shows one in it.
void expectStartValue(const Setting& s, const std::string& value) {
    switch (s.kind) {
        case SettingKind::Number:
            if (s.start >= s.low && s.start <= s.high) {
                EXPECT_EQ(value, std::to_string(s.start)) << s.iniKey;
            } else {
                EXPECT_TRUE(std::stoi(value) >= s.low && std::stoi(value) <= s.high) << s.iniKey;
            }
            break;
        case SettingKind::Switch: EXPECT_EQ(value, s.start ? "ON" : "OFF") << s.iniKey; break;
        case SettingKind::Choice: EXPECT_TRUE(isChoiceOf(s, value)) << s.iniKey; break;
        case SettingKind::Text:
        case SettingKind::Button: break;
    }
}

TEST(Settings, SampleIniShowsEveryKeyWithItsStartValueAndRange) {
    // Groups of comment lines followed by their "#Key value" lines.
    struct Group {
        std::string comment;
        std::vector<const Setting*> settings;
    };
    std::vector<Group> groups(1);
    std::vector<std::string> keys;
    for (const std::string& line : readLines(kDist + "/morvantix.ini")) {
        if (line.empty()) {
            groups.emplace_back();
        } else if (line.size() > 1 && line[0] == '#' && line[1] != ' ') {
            const std::string key = line.substr(1, line.find(' ') - 1), value = line.substr(line.find(' ') + 1);
            keys.push_back(key);
            const Setting* s = withIniKey(key);
            if (!s) continue;
            groups.back().settings.push_back(s);
            expectStartValue(*s, value);
        } else {
            groups.back().comment += line + "\n";
        }
    }
    EXPECT_EQ(keys, iniKeys());
    // A range in a comment is the range of a setting under it.
    for (const Group& g : groups)
        for (const std::string& range : rangesIn(g.comment))
            EXPECT_TRUE(std::any_of(g.settings.begin(), g.settings.end(),
                                    [&](const Setting* s) { return rangeText(*s) == range; }))
                << range << " in\n" << g.comment;
}

// The names set in bold (\fB...\fR) in text[from, the first `to` after it).
std::vector<std::string> boldNames(const std::string& text, const std::string& from, const std::string& to) {
    const size_t start = text.find(from) + from.size();
    const size_t end = text.find(to, start);
    std::vector<std::string> names;
    for (size_t at = text.find("\\fB", start); at < end; at = text.find("\\fB", at)) {
        const size_t close = text.find("\\fR", at);
        names.push_back(text.substr(at + 3, close - at - 3));
        at = close;
    }
    return names;
}

TEST(Settings, ManualPageNamesEveryKeyAndOptionWithItsRange) {
    const std::string page = readFileText(kDist + "/morvantix.6.in");
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(boldNames(page, "Keys: ", ".\n"), iniKeys());

    // The UCI options, in the handshake's order; a range written after a
    // name is the option's.
    std::vector<std::string> uci;
    for (int32_t place = 0; place < int32_t(allSettings().size()); place++)
        for (const Setting& s : allSettings())
            if (s.uciName && s.uciPlace == place) uci.push_back(s.uciName);
    EXPECT_EQ(boldNames(page, "Options: ", "\n.SH"), uci);
    const size_t options = page.find("Options: ");
    for (const std::string& name : uci) {
        const size_t after = page.find("\\fB" + name + "\\fR", options) + name.size() + 6;
        const size_t open = page.find_first_not_of(" \n", after);
        if (page[open] != '(') continue;
        const std::vector<std::string> ranges = rangesIn(page.substr(open, page.find(')', open) - open));
        ASSERT_EQ(ranges.size(), 1u) << name;
        const Setting& s = *withUciName(name);
        EXPECT_EQ(ranges[0], "(" + std::to_string(s.low) + ".." + std::to_string(uciHighOf(s))) << name;
    }

    // XBoard's option words, each written "word=".
    std::vector<std::string> xboard;
    for (const Setting& s : allSettings())
        if (s.xboardWord) xboard.push_back(std::string(s.xboardWord) + "=");
    EXPECT_EQ(boldNames(page, "\\fBoption\\fR", ")"), xboard);
}

TEST(Settings, ThreadsRangeEndsAtTheThreadsTheSearchCanStart) {
    EXPECT_EQ(withUciName("Threads")->high, kMaxSearchThreads);
}

TEST(Settings, MultiPvRangeEndsAtTheLinesTheRootKeeps) {
    EXPECT_EQ(withUciName("MultiPV")->high, kMaxMultiPv);
}

}  // namespace
