#include "checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "library.h"

namespace egbbtest {

void Mismatches::add(const Position& p, const std::string& what) {
    if (++count_ <= 5) examples_ += "\n  " + describe(p) + ": " + what;
}

void expectShortMatesMatchBruteForce(int code, int shortCount, int otherCount) {
    // Short mates with the man's side to move, short mates with the lone king
    // to move, and the rest.
    std::vector<Position> picks[3];
    forEachPlacement(code, [&](const Position& p) {
        const int value = probe(p);
        if (value == kNoValue) return;
        picks[std::abs(value) < kMateScore - kShortMatePlies ? 2 : p.side == colourOf(code) ? 0 : 1].push_back(p);
    });
    std::mt19937 random(12345 + code);
    for (auto& list : picks) std::shuffle(list.begin(), list.end(), random);
    // Half of each kind of short mate, or all there are.
    ASSERT_FALSE(picks[0].empty());
    ASSERT_FALSE(picks[1].empty());
    ASSERT_GE(int(picks[2].size()), otherCount);
    const int lonePicks = std::min(shortCount / 2, int(picks[1].size()));
    std::vector<Position> shortMates(picks[1].begin(), picks[1].begin() + lonePicks);
    shortMates.insert(shortMates.end(), picks[0].begin(),
                      picks[0].begin() + std::min(shortCount - lonePicks, int(picks[0].size())));
    const std::vector<Position>& others = picks[2];

    Mismatches wrong;
    for (const Position& p : shortMates) {
        const int value = probe(p);
        const std::optional<int> found = bruteForceMate(p, kShortMatePlies);
        if (!found || *found != value)
            wrong.add(p, "library " + std::to_string(value) + ", search " +
                             (found ? std::to_string(*found) : std::string("no short mate")));
    }
    for (int i = 0; i < otherCount; ++i) {
        const Position& p = others[i];
        const std::optional<int> found = bruteForceMate(p, kShortMatePlies);
        if (found) wrong.add(p, "library " + std::to_string(probe(p)) + ", search " + std::to_string(*found));
    }
    EXPECT_EQ(wrong.count(), 0) << wrong.examples();
}

}  // namespace egbbtest
