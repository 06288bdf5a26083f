#include "protocol/uci_options.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "base/numbers.h"
#include "config/config.h"
#include "config/settings.h"
#include "eval/bitbase.h"
#include "protocol/setting_links.h"
#include "search/strength.h"
#include "search/threads.h"
#include "search/tt.h"

int32_t gUciMoveOverhead = 50;

void loadBitbasesIfOn() {
    if (!gUseEgbb) return;
    loadBitbases(gEgbbPath);
    if (gEgbbLoaded)
        printf("info string bitbases loaded from \"%s\"\n", gEgbbPath);
    else
        printf("info string no bitbases found at \"%s\"\n", gEgbbPath);
}

// The table takes the largest power of two of entries that fits in the size
// asked for; the reply says what that came to.
void resizeHash(int32_t previousMb) {
    if (!ttResize(gHashMb)) {
        printf("info string not enough memory for %d MB of hash; the table keeps %d MB\n", gHashMb, previousMb);
        setHashMb(previousMb);
    }
    printf("info string Hash %d: a table of %" PRIu64 " entries of %d bytes, %" PRIu64 " MB in all\n",
           gHashMb, ttEntryCount(), int32_t(sizeof(TTSlot)), ttBytes() / 1048576);
}

void reportStrength() {
    // A level below full searches in the main thread alone.
    const char* alone = searchThreads() > 1 ? ", searched with one thread" : "";
    if (gLimitStrength)
        printf("info string strength: Elo %d%s\n", gStrengthElo, alone);
    else if (gSkillLevel < kFullSkill)
        printf("info string strength: skill level %d (Elo %d)%s\n", gSkillLevel, eloOfSkill(gSkillLevel), alone);
    else
        printf("info string strength: full\n");
}

void changeThreads(int32_t) {
    const int32_t started = setSearchThreads(gSearchThreads, gEvalCacheMb);
    if (started < gSearchThreads) {
        printf("info string not enough memory for %d threads; the search has %d\n", gSearchThreads, started);
        setSearchThreadCount(started);
    }
    printf("info string Threads %d\n", started);
    if (gLimitStrength || gSkillLevel < kFullSkill) reportStrength();
}

namespace {

void printOption(const Setting& s) {
    const SettingLink link = linkOf(s);
    printf("option name %s type ", s.uciName);
    switch (s.kind) {
        case SettingKind::Number: printf("spin default %d min %d max %d\n", *link.number, s.low, uciHighOf(s)); break;
        case SettingKind::Switch: printf("check default %s\n", *link.number ? "true" : "false"); break;
        case SettingKind::Text: printf("string default %s\n", link.text[0] ? link.text : "<empty>"); break;
        case SettingKind::Button: printf("button\n"); break;
        case SettingKind::Choice: break;  // no option of this kind
    }
}

// Joins words[from, to) with single blanks into out.
void join(const char* const* words, int32_t from, int32_t to, char* out, size_t size) {
    out[0] = '\0';
    for (int32_t i = from; i < to; i++) {
        if (i > from) strncat(out, " ", size - strlen(out) - 1);
        strncat(out, words[i], size - strlen(out) - 1);
    }
}

// Stores the value text; false (with a message) when it does not fit the kind.
bool store(const Setting& s, const SettingLink& link, const char* value) {
    switch (s.kind) {
        case SettingKind::Number: {
            int32_t n;
            if (!readDecimal(value, &n)) break;
            *link.number = std::clamp(n, s.low, uciHighOf(s));
            return true;
        }
        case SettingKind::Switch:
            if (strcasecmp(value, "true") != 0 && strcasecmp(value, "false") != 0) break;
            *link.number = strcasecmp(value, "true") == 0;
            return true;
        case SettingKind::Text:
            snprintf(link.text, link.textSize, "%s", strcmp(value, "<empty>") == 0 ? "" : value);
            return true;
        case SettingKind::Button: return true;
        case SettingKind::Choice: break;  // no option of this kind
    }
    printf("info string invalid value \"%.64s\" for option %s\n", value, s.uciName);
    return false;
}

}  // namespace

// In the order of their places in the list.
void printUciOptions() {
    const std::span<const Setting> settings = allSettings();
    for (int32_t place = 0; place < int32_t(settings.size()); place++)
        for (const Setting& s : settings)
            if (s.uciName && s.uciPlace == place) printOption(s);
}

void setUciOption(int32_t count, const char* const* words) {
    constexpr size_t kTextSize = 1024;
    if (count < 3 || strcasecmp(words[1], "name") != 0) {
        printf("info string usage: setoption name <name> [value <value>]\n");
        return;
    }
    int32_t valueAt = 2;
    while (valueAt < count && strcasecmp(words[valueAt], "value") != 0) valueAt++;
    char name[kTextSize], value[kTextSize];
    join(words, 2, valueAt, name, sizeof name);
    join(words, valueAt + 1, count, value, sizeof value);
    for (const Setting& s : allSettings()) {
        if (!s.uciName || strcasecmp(s.uciName, name) != 0) continue;
        if (s.kind != SettingKind::Button && valueAt >= count) {
            printf("info string option %s needs a value\n", s.uciName);
            return;
        }
        const SettingLink link = linkOf(s);
        const int32_t previous = link.number ? *link.number : 0;
        if (store(s, link, value) && link.changed) link.changed(previous);
        return;
    }
    printf("info string unknown option \"%.64s\"\n", name);
}
