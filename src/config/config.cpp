#include "config/config.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "config/numbers.h"

int32_t gHashMb = 32;
int32_t gEvalCacheMb = 8;
int32_t gResign = 0;
int32_t gResignScore = -1200;
int32_t gResignScoreCount = 3;
int32_t gBookEnabled = 0;
int32_t gUseEgbb = 0;
char gEgbbPath[kEgbbPathSize];
int32_t gEgbbCacheSize = 0;
int32_t gEgbbLoadType = 1;
int32_t gAutoSaveGame = 0;
int32_t gWriteLearnedOpening = 0;
int32_t gContempt = 0;
int32_t gPonderAllowed = 1;
int32_t gGuiKind = GUI_NONE;

namespace {

constexpr size_t kLineSize = 256;

void setStartValues() {
    gHashMb = 32;
    gEvalCacheMb = 8;
    gResign = 0;
    gResignScore = -1200;
    gResignScoreCount = 3;
    gBookEnabled = 0;
    gUseEgbb = 0;
    gEgbbPath[0] = '\0';
    gEgbbCacheSize = 0;
    gEgbbLoadType = 1;
    gAutoSaveGame = 0;
    gWriteLearnedOpening = 0;
    gContempt = 0;
    gPonderAllowed = 1;
    gGuiKind = GUI_NONE;
}

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

void applySetting(const char* key, const char* line, Reading& r) {
    int32_t v;
    char word[kLineSize];
    if (strcmp(key, "Hash") == 0 && numberOf(line, key, &v)) gHashMb = std::clamp(v, 32, 1024);
    if (strcmp(key, "Eval_Cache") == 0 && numberOf(line, key, &v)) {
        gEvalCacheMb = std::clamp(v, 8, 64);
        allocateTables(gHashMb, gEvalCacheMb);
        r.evalCacheRead = true;
    }
    if (strcmp(key, "Resign") == 0 && wordOf(line, key, word)) {
        gResign = !isOff(word);
        if (isOn(word) || isOff(word)) printf("# Resign                   : %s\n", word);
    }
    if (strcmp(key, "Resign_Score") == 0 && numberOf(line, key, &v)) {
        gResignScore = std::clamp(v, -10000, -300);
        printf("# Resign Score             : %d\n", gResignScore);
    }
    if (strcmp(key, "Resign_Score_Count") == 0 && numberOf(line, key, &v)) {
        gResignScoreCount = std::clamp(v, 3, 10);
        printf("# Resign Score Count       : %d\n", gResignScoreCount);
    }
    if (strcmp(key, "Book") == 0 && wordOf(line, key, word) && (isOn(word) || isOff(word))) {
        gBookEnabled = isOn(word);
        printf("# Book                     : %s\n", word);
    }
    if (strcmp(key, "Use_Egbb") == 0 && wordOf(line, key, word)) {
        gUseEgbb = isOn(word);
        if (isOn(word))
            printf("# Use Egbb                 : ON\n");
        else if (isOff(word))
            printf("# Use Egbb                 : OFF\n");
        else
            printf("# The value of option Use_Egbb is not properly defined!! It is set to OFF.\n");
    }
    // The bitbase details count only after a line that switched the bitbases on.
    if (gUseEgbb && strcmp(key, "Egbb_Path") == 0 && wordOf(line, key, word)) {
        snprintf(gEgbbPath, sizeof gEgbbPath, "%s", word);
        printf("# Egbb Path                : %s\n", gEgbbPath);
        r.egbbPathRead = true;
    }
    if (gUseEgbb && strcmp(key, "Egbb_Cache_Size") == 0 && numberOf(line, key, &v)) {
        v = std::clamp(v, 4, 368);
        gEgbbCacheSize = v * 1048576;
        printf("# Egbb size                : %d Mb\n", v);
        r.egbbCacheRead = true;
    }
    if (gUseEgbb && strcmp(key, "Egbb_Load_Type") == 0 && numberOf(line, key, &v)) {
        gEgbbLoadType = std::clamp(v, 0, 3);
        printf("# Egbb Load Type           : %d\n", gEgbbLoadType);
    }
    if (strcmp(key, "Auto_Save_Game") == 0 && wordOf(line, key, word)) {
        gAutoSaveGame = isOn(word);
        if (isOn(word) || isOff(word)) printf("# Auto save game           : %s\n", isOn(word) ? "ON" : "OFF");
    }
    if (strcmp(key, "Write_Learned_Opening") == 0 && wordOf(line, key, word)) {
        gWriteLearnedOpening = isOn(word);
        if (isOn(word) || isOff(word)) printf("# Write Learned Opening    : %s\n", isOn(word) ? "ON" : "OFF");
    }
    if (strcmp(key, "Contempt_Value") == 0 && numberOf(line, key, &v)) {
        gContempt = std::clamp(v, -100, 100);
        printf("# Contempt Value           : %d\n", gContempt);
    }
    if (strcmp(key, "Ponder") == 0 && wordOf(line, key, word)) {
        // Only "OFF" changes the setting; every other word is echoed as ON.
        if (strcmp(word, "OFF") == 0) gPonderAllowed = 0;
        printf("# Ponder                   : %s\n", strcmp(word, "OFF") == 0 ? "OFF" : "ON");
    }
    if (strcmp(key, "Gui") == 0) {
        if (!wordOf(line, key, word)) {
            printf("# option Gui was not defined!!\n");
        } else if (strcmp(word, "arena") == 0) {
            gGuiKind = GUI_ARENA;
            printf("# Gui                      : %s\n", word);
        }
    }
}

void printDefaults() {
    printf("# Resign                   : OFF (default)\n");
    printf("# Resign Score             : %d (default)\n", gResignScore);
    printf("# Resign Score Count       : %d (default)\n", gResignScoreCount);
    printf("# Book                     : %s (default)\n", gBookEnabled ? "ON" : "OFF");
    printf("# Use egbb                 : OFF (default)\n");
    printf("# Egbb Load Type           : %d (default)\n", gEgbbLoadType);
    printf("# Auto save game           : OFF (default)\n");
    printf("# Write learned opening    : OFF (default)\n");
    printf("# Contempt Value           : %d (default)\n", gContempt);
    printf("# Ponder                   : ON (default)\n");
    printf("# Gui                      : None (default)\n");
}

}  // namespace

void readConfigFile() {
    setStartValues();
    FILE* file = fopen("morvantix.ini", "r");
    printf("\n");
    if (!file) {
        printf("# Cannot open file morvantix.ini...\n\n");
        allocateTables(32, 8);
        printDefaults();
        printf("\n");
        fflush(stdout);
        return;
    }
    printf("# Reading initialization file...\n");
    Reading reading;
    char line[kLineSize];
    while (readLine(file, line)) {
        if (line[0] == '#') continue;
        char key[kLineSize];
        if (sscanf(line, "%255s", key) != 1) continue;
        applySetting(key, line, reading);
    }
    if (!reading.evalCacheRead) allocateTables(gHashMb, gEvalCacheMb);
    if (gUseEgbb && !reading.egbbPathRead) printf("# Egbb Path was not defined!!\n");
    if (gUseEgbb && !reading.egbbCacheRead) printf("# Egbb Cache size was not defined!!\n");
    printf("# Closing initialization file...\n\n");
    fclose(file);
    printf("\n");
    fflush(stdout);
}
