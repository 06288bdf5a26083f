#include "config/config.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "base/numbers.h"
#include "config/settings.h"

int32_t gHashMb;
int32_t gEvalCacheMb;
int32_t gSearchThreads;
int32_t gChess960;
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

void applyNumber(const Setting& s, const char* line, Reading&) {
    int32_t v;
    if (!numberOf(line, s.iniKey, &v)) return;
    *s.value = std::clamp(v, s.low, s.high);
    if (s.iniEcho) printf(s.iniEcho, *s.value);
}

// The evaluation cache's size is the last size the tables need: they are
// allocated as soon as it is read.
void applyTablesSize(const Setting& s, const char* line, Reading& r) {
    int32_t v;
    if (!numberOf(line, s.iniKey, &v)) return;
    *s.value = std::clamp(v, s.low, s.high);
    r.allocate(gHashMb, gEvalCacheMb);
    r.evalCacheRead = true;
}

// Megabytes in the file, bytes in the setting.
void applyMegabytes(const Setting& s, const char* line, Reading& r) {
    int32_t v;
    if (!numberOf(line, s.iniKey, &v)) return;
    v = std::clamp(v, s.low, s.high);
    *s.value = v * 1048576;
    printf(s.iniEcho, v);
    r.egbbCacheRead = true;
}

void applyOnUnlessOff(const Setting& s, const char* line, Reading&) {
    char word[kLineSize];
    if (!wordOf(line, s.iniKey, word)) return;
    *s.value = !isOff(word);
    if (isOn(word) || isOff(word)) printf(s.iniEcho, word);
}

void applyOnOrOff(const Setting& s, const char* line, Reading&) {
    char word[kLineSize];
    if (!wordOf(line, s.iniKey, word) || !(isOn(word) || isOff(word))) return;
    *s.value = isOn(word);
    printf(s.iniEcho, word);
}

void applyOnlyOn(const Setting& s, const char* line, Reading&, bool warned) {
    char word[kLineSize];
    if (!wordOf(line, s.iniKey, word)) return;
    *s.value = isOn(word);
    if (isOn(word) || isOff(word))
        printf(s.iniEcho, isOn(word) ? "ON" : "OFF");
    else if (warned)
        printf("# The value of option %s is not properly defined!! It is set to OFF.\n", s.iniKey);
}

void applyPath(const Setting& s, const char* line, Reading& r) {
    char word[kLineSize];
    if (!wordOf(line, s.iniKey, word)) return;
    snprintf(s.text, s.textSize, "%s", word);
    printf(s.iniEcho, s.text);
    r.egbbPathRead = true;
}

void applyOffInCapitals(const Setting& s, const char* line, Reading&) {
    char word[kLineSize];
    if (!wordOf(line, s.iniKey, word)) return;
    if (strcmp(word, "OFF") == 0) *s.value = 0;
    printf(s.iniEcho, strcmp(word, "OFF") == 0 ? "OFF" : "ON");
}

void applyChoice(const Setting& s, const char* line, Reading&) {
    char word[kLineSize];
    if (!wordOf(line, s.iniKey, word)) {
        printf("# option %s was not defined!!\n", s.iniKey);
        return;
    }
    for (int32_t i = 1; s.choices[i]; i++)
        if (strcmp(word, s.choices[i]) == 0) {
            *s.value = i;
            printf(s.iniEcho, word);
            return;
        }
}

void applyRule(const Setting& s, const char* line, Reading& r) {
    switch (s.iniRule) {
        case IniRule::None: break;
        case IniRule::Number: applyNumber(s, line, r); break;
        case IniRule::SizesTables: applyTablesSize(s, line, r); break;
        case IniRule::Megabytes: applyMegabytes(s, line, r); break;
        case IniRule::OnUnlessOff: applyOnUnlessOff(s, line, r); break;
        case IniRule::OnOrOff: applyOnOrOff(s, line, r); break;
        case IniRule::OnlyOn: applyOnlyOn(s, line, r, false); break;
        case IniRule::OnlyOnWarned: applyOnlyOn(s, line, r, true); break;
        case IniRule::OffInCapitals: applyOffInCapitals(s, line, r); break;
        case IniRule::Path: applyPath(s, line, r); break;
        case IniRule::Choice: applyChoice(s, line, r); break;
    }
}

// Only the values config holds: the others keep what their layers gave them.
void setStartValues() {
    for (const Setting& s : allSettings()) {
        if (s.value) *s.value = s.start;
        if (s.text) s.text[0] = '\0';
    }
}

// The settings hold their start values from program start on, before any file
// is read.
const bool gStartValuesSet = (setStartValues(), true);

void applySetting(const char* key, const char* line, Reading& r) {
    for (const Setting& s : allSettings())
        if (s.iniKey && strcmp(key, s.iniKey) == 0 && (!s.needsEgbb || gUseEgbb)) applyRule(s, line, r);
}

void printDefaults() {
    for (const Setting& s : allSettings())
        if (s.defaultLine) printf(s.defaultLine, s.start);
}

}  // namespace

void setHashMb(int32_t mb) { gHashMb = mb; }
void setSearchThreadCount(int32_t n) { gSearchThreads = n; }
void setContempt(int32_t centipawns) { gContempt = centipawns; }

void readConfigFile(TableAllocator allocate) {
    setStartValues();
    FILE* file = fopen("morvantix.ini", "r");
    printf("\n");
    if (!file) {
        printf("# Cannot open file morvantix.ini...\n\n");
        allocate(gHashMb, gEvalCacheMb);
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
