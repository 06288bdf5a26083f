#include "config/config.h"

#include <algorithm>
#include <climits>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "base/numbers.h"

int32_t gHashMb;
int32_t gEvalCacheMb;
int32_t gResign;
int32_t gResignScore;
int32_t gResignScoreCount;
int32_t gBookEnabled;
int32_t gUseEgbb;
char gEgbbPath[kEgbbPathSize];
int32_t gEgbbCacheSize;
int32_t gEgbbLoadType;
int32_t gAutoSaveGame;
int32_t gWriteLearnedOpening;
int32_t gContempt;
int32_t gPonderAllowed;
int32_t gGuiKind;
int32_t gLimitStrength;
int32_t gStrengthElo;
int32_t gSkillLevel;
int32_t gStrengthSeed;

namespace {

constexpr size_t kLineSize = 256;


// Reads one line of the file, keeping at most kLineSize - 1 characters; the
// rest of a longer line is skipped so that it is never taken as a setting.
bool readLine(FILE* file, char* line) {
    if (!fgets(line, int(kLineSize), file)) return false;
    size_t n = strlen(line);
    if (n > 0 && line[n - 1] == '\n') {
        line[n - 1] = '\0';
    } else {
        int c;
        while ((c = fgetc(file)) != EOF && c != '\n') {
        }
    }
    return true;
}

bool isOn(const char* word) { return strcmp(word, "ON") == 0 || strcmp(word, "on") == 0; }
bool isOff(const char* word) { return strcmp(word, "OFF") == 0 || strcmp(word, "off") == 0; }

// What one file has said so far.
struct Reading {
    bool evalCacheRead = false;
    bool egbbPathRead = false;
    bool egbbCacheRead = false;
    TableAllocator allocate = nullptr;
};

// Reads "<key> <number>" from the start of the line (the key must stand in the
// first column); numbers beyond 32 bits saturate. Reports a missing number.
bool numberOf(const char* line, const char* key, int32_t* value) {
    const size_t length = strlen(key);
    const char* p = line + length;
    if (strncmp(line, key, length) == 0 && readDecimal(p, value)) return true;
    printf("# The value of option %s is not a number; the line is ignored.\n", key);
    return false;
}

// Reads "<key> <word>" from the start of the line into word (at most 255
// characters, the rest of a longer word ignored).
bool wordOf(const char* line, const char* key, char* word) {
    const size_t length = strlen(key);
    if (strncmp(line, key, length) != 0) return false;
    const char* p = line + length;
    while (isspace(static_cast<unsigned char>(*p))) p++;
    size_t n = 0;
    while (*p != '\0' && !isspace(static_cast<unsigned char>(*p)) && n < kLineSize - 1) word[n++] = *p++;
    word[n] = '\0';
    return n > 0;
}

// One setting of the file: its key, the global it sets, the value before any
// file is read, the range a number is clamped to, the printf format of its
// echo line, the line printed for it when there is no file (nullptr: none),
// and how its line is read.
struct Setting {
    const char* key;
    int32_t* value;
    int32_t start;
    int32_t low, high;
    const char* echo;
    const char* defaultLine;
    bool needsEgbb;  // read only after a line that switched the bitbases on
    void (*apply)(const Setting& s, const char* line, Reading& r);
};

void applyNumber(const Setting& s, const char* line, Reading&) {
    int32_t v;
    if (!numberOf(line, s.key, &v)) return;
    *s.value = std::clamp(v, s.low, s.high);
    if (s.echo) printf(s.echo, *s.value);
}

// The evaluation cache's size is the last size the tables need: they are
// allocated as soon as it is read.
void applyEvalCache(const Setting& s, const char* line, Reading& r) {
    int32_t v;
    if (!numberOf(line, s.key, &v)) return;
    *s.value = std::clamp(v, s.low, s.high);
    r.allocate(gHashMb, gEvalCacheMb);
    r.evalCacheRead = true;
}

// Megabytes in the file, bytes in the setting.
void applyEgbbCacheSize(const Setting& s, const char* line, Reading& r) {
    int32_t v;
    if (!numberOf(line, s.key, &v)) return;
    v = std::clamp(v, s.low, s.high);
    *s.value = v * 1048576;
    printf(s.echo, v);
    r.egbbCacheRead = true;
}

// Any word but OFF resigns; only ON and OFF are echoed, as written.
void applyResign(const Setting& s, const char* line, Reading&) {
    char word[kLineSize];
    if (!wordOf(line, s.key, word)) return;
    *s.value = !isOff(word);
    if (isOn(word) || isOff(word)) printf(s.echo, word);
}

// Only ON and OFF change the setting; they are echoed as written.
void applyBook(const Setting& s, const char* line, Reading&) {
    char word[kLineSize];
    if (!wordOf(line, s.key, word) || !(isOn(word) || isOff(word))) return;
    *s.value = isOn(word);
    printf(s.echo, word);
}

// Only ON switches it on; ON and OFF are echoed in capitals.
void applySwitch(const Setting& s, const char* line, Reading&) {
    char word[kLineSize];
    if (!wordOf(line, s.key, word)) return;
    *s.value = isOn(word);
    if (isOn(word) || isOff(word)) printf(s.echo, isOn(word) ? "ON" : "OFF");
}

// As a switch, with a message for any other word.
void applyUseEgbb(const Setting& s, const char* line, Reading&) {
    char word[kLineSize];
    if (!wordOf(line, s.key, word)) return;
    *s.value = isOn(word);
    if (isOn(word) || isOff(word))
        printf(s.echo, isOn(word) ? "ON" : "OFF");
    else
        printf("# The value of option Use_Egbb is not properly defined!! It is set to OFF.\n");
}

void applyEgbbPath(const Setting& s, const char* line, Reading& r) {
    char word[kLineSize];
    if (!wordOf(line, s.key, word)) return;
    snprintf(gEgbbPath, sizeof gEgbbPath, "%s", word);
    printf(s.echo, gEgbbPath);
    r.egbbPathRead = true;
}

// Only "OFF" changes the setting; every other word is echoed as ON.
void applyPonder(const Setting& s, const char* line, Reading&) {
    char word[kLineSize];
    if (!wordOf(line, s.key, word)) return;
    if (strcmp(word, "OFF") == 0) *s.value = 0;
    printf(s.echo, strcmp(word, "OFF") == 0 ? "OFF" : "ON");
}

// Only "arena" is known; the key without a word is reported.
void applyGui(const Setting& s, const char* line, Reading&) {
    char word[kLineSize];
    if (!wordOf(line, s.key, word)) {
        printf("# option Gui was not defined!!\n");
    } else if (strcmp(word, "arena") == 0) {
        *s.value = GUI_ARENA;
        printf(s.echo, word);
    }
}

const Setting kSettings[] = {
    {"Hash", &gHashMb, 32, 32, 1024, nullptr, nullptr, false, applyNumber},
    {"Eval_Cache", &gEvalCacheMb, 8, 8, 64, nullptr, nullptr, false, applyEvalCache},
    {"Resign", &gResign, 0, 0, 1, "# Resign                   : %s\n",
     "# Resign                   : OFF (default)\n", false, applyResign},
    {"Resign_Score", &gResignScore, -1200, -10000, -300, "# Resign Score             : %d\n",
     "# Resign Score             : %d (default)\n", false, applyNumber},
    {"Resign_Score_Count", &gResignScoreCount, 3, 3, 10, "# Resign Score Count       : %d\n",
     "# Resign Score Count       : %d (default)\n", false, applyNumber},
    {"Book", &gBookEnabled, 0, 0, 1, "# Book                     : %s\n",
     "# Book                     : OFF (default)\n", false, applyBook},
    {"Use_Egbb", &gUseEgbb, 0, 0, 1, "# Use Egbb                 : %s\n",
     "# Use egbb                 : OFF (default)\n", false, applyUseEgbb},
    {"Egbb_Path", nullptr, 0, 0, 0, "# Egbb Path                : %s\n", nullptr, true, applyEgbbPath},
    {"Egbb_Cache_Size", &gEgbbCacheSize, 0, 4, 368, "# Egbb size                : %d Mb\n", nullptr, true,
     applyEgbbCacheSize},
    {"Egbb_Load_Type", &gEgbbLoadType, 1, 0, 3, "# Egbb Load Type           : %d\n",
     "# Egbb Load Type           : %d (default)\n", true, applyNumber},
    {"Auto_Save_Game", &gAutoSaveGame, 0, 0, 1, "# Auto save game           : %s\n",
     "# Auto save game           : OFF (default)\n", false, applySwitch},
    {"Write_Learned_Opening", &gWriteLearnedOpening, 0, 0, 1, "# Write Learned Opening    : %s\n",
     "# Write learned opening    : OFF (default)\n", false, applySwitch},
    {"Contempt_Value", &gContempt, 0, -100, 100, "# Contempt Value           : %d\n",
     "# Contempt Value           : %d (default)\n", false, applyNumber},
    {"Ponder", &gPonderAllowed, 1, 0, 1, "# Ponder                   : %s\n",
     "# Ponder                   : ON (default)\n", false, applyPonder},
    {"Gui", &gGuiKind, GUI_NONE, GUI_NONE, GUI_ARENA, "# Gui                      : %s\n",
     "# Gui                      : None (default)\n", false, applyGui},
    {"Limit_Strength", &gLimitStrength, 0, 0, 1, "# Limit Strength           : %s\n", nullptr, false, applySwitch},
    {"Elo", &gStrengthElo, kHighestElo, kLowestElo, kHighestElo, "# Elo                      : %d\n", nullptr, false,
     applyNumber},
    {"Skill_Level", &gSkillLevel, kFullSkill, 0, kFullSkill, "# Skill Level              : %d\n", nullptr, false,
     applyNumber},
    {"Strength_Seed", &gStrengthSeed, 0, 0, INT32_MAX, "# Strength Seed            : %d\n", nullptr, false,
     applyNumber},
};

void setStartValues() {
    for (const Setting& s : kSettings)
        if (s.value) *s.value = s.start;
    gEgbbPath[0] = '\0';
}

// The settings hold their start values from program start on, before any file
// is read.
const bool gStartValuesSet = (setStartValues(), true);

void applySetting(const char* key, const char* line, Reading& r) {
    for (const Setting& s : kSettings)
        if (strcmp(key, s.key) == 0 && (!s.needsEgbb || gUseEgbb)) s.apply(s, line, r);
}

void printDefaults() {
    for (const Setting& s : kSettings)
        if (s.defaultLine) printf(s.defaultLine, s.start);
}

}  // namespace

void setHashMb(int32_t mb) { gHashMb = mb; }
void setContempt(int32_t centipawns) { gContempt = centipawns; }

void readConfigFile(TableAllocator allocate) {
    setStartValues();
    FILE* file = fopen("morvantix.ini", "r");
    printf("\n");
    if (!file) {
        printf("# Cannot open file morvantix.ini...\n\n");
        allocate(32, 8);
        printDefaults();
        printf("\n");
        fflush(stdout);
        return;
    }
    printf("# Reading initialization file...\n");
    Reading reading;
    reading.allocate = allocate;
    char line[kLineSize];
    while (readLine(file, line)) {
        if (line[0] == '#') continue;
        char key[kLineSize];
        if (sscanf(line, "%255s", key) != 1) continue;
        applySetting(key, line, reading);
    }
    if (!reading.evalCacheRead) allocate(gHashMb, gEvalCacheMb);
    if (gUseEgbb && !reading.egbbPathRead) printf("# Egbb Path was not defined!!\n");
    if (gUseEgbb && !reading.egbbCacheRead) printf("# Egbb Cache size was not defined!!\n");
    printf("# Closing initialization file...\n\n");
    fclose(file);
    printf("\n");
    fflush(stdout);
}
