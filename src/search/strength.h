// Play below full strength. A level (in hundredths, 0 the weakest, kFullLevel
// full strength) sets a node budget and a depth for the search, the number of
// best root moves it scores, and how far below the best a chosen move may be:
// each of those lines gets a random bonus up to the level's margin and the
// line with the highest total is played. The random draws come from the seed
// and the position, so a fixed seed replays the same choices.
#pragma once
#include <cstdint>

#include "config/config.h"
#include "search/rootmoves.h"

constexpr int32_t kFullLevel = 100 * kFullSkill;

// The Elo of each skill level 0..kFullSkill, measured by matches.
extern const int32_t kSkillElo[kFullSkill + 1];

// The level the settings ask for: the Elo when the limit is on, else the skill
// level; kFullLevel for full strength.
int32_t strengthLevel();

// The Elo of a skill level (clamped to 0..kFullSkill).
int32_t eloOfSkill(int32_t skill);

// The level of an Elo (clamped to the measured range), by interpolation
// between the skill levels around it.
int32_t levelOfElo(int32_t elo);

// What a level below kFullLevel searches and how it chooses.
struct StrengthPlan {
    uint32_t nodes;  // node budget of one search
    int32_t depth;   // deepest iteration, plies
    int32_t lines;   // best root moves scored
    int32_t margin;  // largest random bonus of a line, centipawns
    int32_t pauseMs; // the longest a move is held back on a clock
};
StrengthPlan planOfLevel(int32_t level);

// The random draw of a position: from the seed (or, with seed 0, one taken
// from the clock once) and the position's key.
uint64_t strengthDraw(uint64_t positionKey);

// The line to play among lines[0, count) (best first): the best score plus a
// bonus of up to margin centipawns per line, drawn from draw. A mate found
// for the engine is always played.
int32_t chooseLine(const RootLine* lines, int32_t count, int32_t margin, uint64_t draw);
