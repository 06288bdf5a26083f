// Settings read from morvantix.ini at start-up, and the sizing of the three
// hash tables (transposition table, evaluation cache, pawn hash). The keys,
// ranges and start values are those of the table in config/settings.h.
#pragma once
#include <cstdint>

constexpr int32_t GUI_NONE = 0;
constexpr int32_t GUI_ARENA = 1;

constexpr int32_t kEgbbPathSize = 256;

extern int32_t gHashMb;            // megabytes
extern int32_t gEvalCacheMb;       // megabytes
extern int32_t gSearchThreads;     // threads a search may use (the main one and helpers)
extern int32_t gResign;            // resignation on/off
extern int32_t gResignScore;       // centipawns
extern int32_t gResignScoreCount;  // moves in a row
extern int32_t gBookEnabled;
extern int32_t gUseEgbb;
extern char gEgbbPath[kEgbbPathSize];
extern int32_t gEgbbCacheSize;     // bytes
extern int32_t gEgbbLoadType;
extern int32_t gAutoSaveGame;
extern int32_t gWriteLearnedOpening;
extern int32_t gContempt;          // draw contempt in centipawns
extern int32_t gPonderAllowed;
extern int32_t gGuiKind;           // GUI_NONE or GUI_ARENA
// Chess960 (UCI_Chess960): positions set up while it is on read their castling
// field in the Chess960 forms and castle by its rules; castling moves are
// written as the king taking its own rook.
extern int32_t gChess960;

// Playing strength (UCI_LimitStrength / UCI_Elo / Skill Level, or the ini keys
// Limit_Strength / Elo / Skill_Level / Strength_Seed). With the limit on the
// engine plays at gStrengthElo; else a skill level below kFullSkill plays at
// that level; the seed (0: one from the clock) drives the random choices.
constexpr int32_t kLowestElo = 850;
constexpr int32_t kHighestElo = 2550;
constexpr int32_t kFullSkill = 20;
extern int32_t gLimitStrength;
extern int32_t gStrengthElo;       // kLowestElo..kHighestElo
extern int32_t gSkillLevel;        // 0..kFullSkill
extern int32_t gStrengthSeed;      // 0..2^31-1

// What sizes the tables once the file has given their sizes (in megabytes).
using TableAllocator = void (*)(int32_t hashMb, int32_t evalCacheMb);

// Reads morvantix.ini from the working directory and echoes the settings as
// comment lines; the tables are sized by allocate as soon as the last of
// their sizes is read, so that their sizes are reported in the file's order.
void readConfigFile(TableAllocator allocate);

// The hash size in use (a UCI Hash size the memory could not hold is taken
// back with it).
void setHashMb(int32_t mb);
// The threads the searches have, when fewer could be started than were asked for.
void setSearchThreadCount(int32_t n);

// The draw contempt for the game's opponent, in centipawns.
void setContempt(int32_t centipawns);
