// Play below full strength: what each level searches, the Elo scale, and the
// choice among the best root lines.
#include <gtest/gtest.h>

#include <set>

#include "config/config.h"
#include "search/strength.h"

namespace {

TEST(Strength, LowerLevelsSearchLessAndStrayFurther) {
    StrengthPlan previous = planOfLevel(0);
    // The weakest level sees one ply, and still gets past the first check of
    // the node limit (every 1024 nodes).
    EXPECT_EQ(previous.depth, 1);
    EXPECT_GE(previous.nodes, 1024u);
    for (int32_t level = 1; level < kFullLevel; level++) {
        const StrengthPlan p = planOfLevel(level);
        EXPECT_GE(p.nodes, previous.nodes) << level;
        EXPECT_GE(p.depth, previous.depth) << level;
        EXPECT_LE(p.margin, previous.margin) << level;
        EXPECT_GE(p.pauseMs, previous.pauseMs) << level;
        EXPECT_GE(p.lines, 2) << level;
        previous = p;
    }
    // The strongest limited level still fits a fast game's time for a move,
    // and no longer strays from the best line.
    EXPECT_LT(previous.nodes, 400000u);
    EXPECT_EQ(previous.margin, 0);
    EXPECT_LE(previous.pauseMs, 4000);
    // Out-of-range levels are taken as the nearest one.
    EXPECT_EQ(planOfLevel(-50).nodes, planOfLevel(0).nodes);
    EXPECT_EQ(planOfLevel(99999).nodes, planOfLevel(kFullLevel).nodes);
}

TEST(Strength, EloScaleAndSkillLevelsAgree) {
    for (int32_t skill = 0; skill <= kFullSkill; skill++) EXPECT_EQ(levelOfElo(eloOfSkill(skill)), 100 * skill);
    for (int32_t skill = 1; skill <= kFullSkill; skill++) EXPECT_GT(eloOfSkill(skill), eloOfSkill(skill - 1));
    int32_t previous = levelOfElo(0);
    EXPECT_EQ(previous, 0);
    for (int32_t elo = 1; elo <= 4000; elo++) {
        EXPECT_GE(levelOfElo(elo), previous) << elo;
        previous = levelOfElo(elo);
    }
    EXPECT_EQ(previous, kFullLevel);
    // The options' range lies within the measured levels.
    EXPECT_GE(kLowestElo, eloOfSkill(0));
    EXPECT_LE(kHighestElo, eloOfSkill(kFullSkill));

    // The limit's Elo rules over the skill level; without it the skill level counts.
    const int32_t limit = gLimitStrength, elo = gStrengthElo, skill = gSkillLevel;
    gLimitStrength = 1;
    gStrengthElo = eloOfSkill(7);
    gSkillLevel = 2;
    EXPECT_EQ(strengthLevel(), 700);
    gLimitStrength = 0;
    EXPECT_EQ(strengthLevel(), 200);
    gSkillLevel = kFullSkill;
    EXPECT_EQ(strengthLevel(), kFullLevel);
    gLimitStrength = limit, gStrengthElo = elo, gSkillLevel = skill;
}

RootLine lineScoring(int32_t score) {
    RootLine l;
    l.score = score;
    return l;
}

TEST(Strength, TheMoveChosenIsNeverWorseThanTheMargin) {
    const RootLine lines[4] = {lineScoring(50), lineScoring(40), lineScoring(-30), lineScoring(-400)};
    std::set<int32_t> chosen;
    int32_t best = 0;
    for (uint64_t draw = 0; draw < 2000; draw++) {
        EXPECT_EQ(chooseLine(lines, 4, 0, draw), 0);
        const int32_t i = chooseLine(lines, 4, 100, draw);
        EXPECT_LT(i, 3) << "400 centipawns below the best with a margin of 100";
        EXPECT_EQ(chooseLine(lines, 4, 100, draw), i) << "the same draw, the same choice";
        chosen.insert(i);
        best += i == 0;
    }
    EXPECT_EQ(chosen.size(), 3u);
    EXPECT_GT(best, 1000) << "the best line is the most likely choice";

    // A mate for the engine is always played; a line that is mated never is.
    const RootLine mate[3] = {lineScoring(MATE_VALUE - 5), lineScoring(MATE_VALUE - 7), lineScoring(0)};
    const RootLine mated[2] = {lineScoring(-150), lineScoring(-MATE_VALUE + 4)};
    for (uint64_t draw = 0; draw < 500; draw++) {
        EXPECT_EQ(chooseLine(mate, 3, 200, draw), 0);
        EXPECT_EQ(chooseLine(mated, 2, 200, draw), 0);
    }
}

}  // namespace
