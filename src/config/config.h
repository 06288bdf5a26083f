// Settings read from morvantix.ini at start-up, and the sizing of the three
// hash tables (transposition table, evaluation cache, pawn hash).
#pragma once
#include <cstdint>

constexpr int32_t GUI_NONE = 0;
constexpr int32_t GUI_ARENA = 1;

constexpr int32_t kEgbbPathSize = 256;

extern int32_t gHashMb;            // 32..1024
extern int32_t gEvalCacheMb;       // 8..64
extern int32_t gResign;            // resignation on/off
extern int32_t gResignScore;       // -10000..-300
extern int32_t gResignScoreCount;  // 3..10
extern int32_t gBookEnabled;
extern int32_t gUseEgbb;
extern char gEgbbPath[kEgbbPathSize];
extern int32_t gEgbbCacheSize;     // bytes
extern int32_t gEgbbLoadType;      // 0..3
extern int32_t gAutoSaveGame;
extern int32_t gWriteLearnedOpening;
extern int32_t gContempt;          // draw contempt in centipawns
extern int32_t gPonderAllowed;
extern int32_t gGuiKind;           // GUI_NONE or GUI_ARENA

// Reads morvantix.ini from the working directory, echoes the settings as
// comment lines and allocates the tables.
void readConfigFile();

// Allocates the three tables (transposition table from hashMb, evaluation
// cache of evalCacheMb), prints their sizes and zero-fills them. Ends the
// program with status 1 when memory is not available.
void allocateTables(int32_t hashMb, int32_t evalCacheMb);

// Gives the transposition table the size for hashMb (32..1024), empty. When
// that memory is not available the table keeps its size (emptied) and the
// result is false; gHashMb always names the size in use.
bool resizeTranspositionTable(int32_t hashMb);

// Zero-fills the three tables.
void clearTables();

// Releases the three tables.
void freeTables();
