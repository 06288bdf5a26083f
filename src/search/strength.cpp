#include "search/strength.h"

#include <algorithm>

#include "board/types.h"
#include "platform/clock.h"

// Measured by matches under XBoard at 10 s + 0.1 s against Fairy-Max (taken
// as 1950), Phalanx, GNU Chess and between the levels (benchmarks/strength/
// table.txt); the odd levels up to 17 are interpolated.
const int32_t kSkillElo[kFullSkill + 1] = {
    803,  914,  1025, 1135, 1246, 1349, 1451, 1526, 1601, 1704, 1807,
    1901, 1995, 2051, 2108, 2210, 2313, 2402, 2490, 2556, 2804,
};

namespace {

// SplitMix64: a well-mixed 64-bit value from any 64-bit input.
uint64_t mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

uint64_t sessionSeed() {
    static const uint64_t seed = mix(uint64_t(getCalendarSeconds()) ^ (uint64_t(getMilliseconds()) << 32));
    return seed;
}

}  // namespace

int32_t eloOfSkill(int32_t skill) { return kSkillElo[std::clamp(skill, 0, kFullSkill)]; }

int32_t levelOfElo(int32_t elo) {
    if (elo <= kSkillElo[0]) return 0;
    for (int32_t i = 0; i < kFullSkill; i++) {
        const int32_t low = kSkillElo[i], high = kSkillElo[i + 1];
        if (elo < high) return 100 * i + 100 * (elo - low) / (high - low);
    }
    return kFullLevel;
}

int32_t strengthLevel() {
    if (gLimitStrength) return levelOfElo(gStrengthElo);
    return 100 * std::clamp(gSkillLevel, 0, kFullSkill);
}

StrengthPlan planOfLevel(int32_t level) {
    level = std::clamp(level, 0, kFullLevel);
    StrengthPlan p;
    // The budget doubles every two and a half levels, from 1024 nodes at
    // level 0 (about 200,000 at level 19: a search of a tenth of a second,
    // so that the clock of a fast game rarely cuts it short); within a
    // doubling it grows linearly. Integer steps keep it the same in every
    // build.
    const int32_t doublings = level * 2 / 5;  // hundredths
    p.nodes = uint32_t((uint64_t(1024) << (doublings / 100)) * uint64_t(100 + doublings % 100) / 100);
    p.depth = 1 + level / 100;
    p.lines = 4;
    const int32_t below = kFullLevel - level;  // 0..2000
    p.margin = 200 * below / kFullLevel * below / kFullLevel;
    p.pauseMs = 500 + 150 * level / 100;
    return p;
}

uint64_t strengthDraw(uint64_t positionKey) {
    const uint64_t seed = gStrengthSeed ? uint64_t(gStrengthSeed) : sessionSeed();
    return mix(mix(seed) ^ positionKey);
}

int32_t chooseLine(const RootLine* lines, int32_t count, int32_t margin, uint64_t draw) {
    if (count <= 1 || lines[0].score > MATE_BOUND) return 0;
    int32_t chosen = 0, bestValue = 0;
    for (int32_t i = 0; i < count; i++) {
        const int32_t bonus = int32_t(uint64_t(margin) * (mix(draw + uint64_t(i)) & 1023) / 1024);
        const int32_t value = lines[i].score + bonus;
        if (i == 0 || value > bestValue) {
            chosen = i;
            bestValue = value;
        }
    }
    return chosen;
}
