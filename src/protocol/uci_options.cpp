#include "protocol/uci_options.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "base/numbers.h"
#include "book/book.h"
#include "config/config.h"
#include "eval/bitbase.h"
#include "eval/params.h"
#include "search/rootmoves.h"
#include "search/strength.h"
#include "search/tt.h"
#include "setup/tables.h"

int32_t gUciMoveOverhead = 50;

void loadBitbasesIfOn() {
    if (!gUseEgbb) return;
    loadBitbases(gEgbbPath);
    if (gEgbbLoaded)
        printf("info string bitbases loaded from \"%s\"\n", gEgbbPath);
    else
        printf("info string no bitbases found at \"%s\"\n", gEgbbPath);
}

namespace {

// The size asked for; gHashMb is the size in use.
int32_t gHashRequest = 32;

enum class Kind { Spin, Check, Text, Button };

struct Option {
    const char* name;
    Kind kind;
    int32_t* value;  // Spin, Check
    int32_t min, max;
    char* text;      // Text
    size_t textSize;
    void (*changed)();
};

// The table takes the largest power of two of entries that fits in the size
// asked for; the reply says what that came to.
void resizeHash() {
    if (ttResize(gHashRequest)) {
        setHashMb(gHashRequest);
    } else {
        printf("info string not enough memory for %d MB of hash; the table keeps %d MB\n", gHashRequest, gHashMb);
        gHashRequest = gHashMb;
    }
    printf("info string Hash %d: a table of %" PRIu64 " entries of %d bytes, %" PRIu64 " MB in all\n",
           gHashMb, ttEntryCount(), int32_t(sizeof(TTEntry)), ttBytes() / 1048576);
}

// Says at what strength the engine now plays.
void reportStrength() {
    if (gLimitStrength)
        printf("info string strength: Elo %d\n", gStrengthElo);
    else if (gSkillLevel < kFullSkill)
        printf("info string strength: skill level %d (Elo %d)\n", gSkillLevel, eloOfSkill(gSkillLevel));
    else
        printf("info string strength: full\n");
}

const Option kOptions[] = {
    {"Hash", Kind::Spin, &gHashRequest, 32, 1024, nullptr, 0, resizeHash},
    {"Clear Hash", Kind::Button, nullptr, 0, 0, nullptr, 0, clearTables},
    {"Ponder", Kind::Check, &gPonderAllowed, 0, 1, nullptr, 0, nullptr},
    {"OwnBook", Kind::Check, &gBookEnabled, 0, 1, nullptr, 0, nullptr},
    {"Book File", Kind::Text, nullptr, 0, 0, gBookFile, sizeof gBookFile, nullptr},
    {"Contempt", Kind::Spin, &gContempt, -100, 100, nullptr, 0, nullptr},
    {"Move Overhead", Kind::Spin, &gUciMoveOverhead, 0, 5000, nullptr, 0, nullptr},
    {"MultiPV", Kind::Spin, &gMultiPv, 1, kMaxMultiPv, nullptr, 0, nullptr},
    {"MobilityFactor", Kind::Spin, &gMobilityFactor, 0, 1000, nullptr, 0, nullptr},
    {"PawnAttacksKing", Kind::Spin, &gPawnAttacksKing, 0, 1000, nullptr, 0, nullptr},
    {"PieceBehindPawnAttacksKing", Kind::Spin, &gPieceBehindPawnAttacksKing, 0, 1000, nullptr, 0, nullptr},
    {"ComboAttackFactorOp", Kind::Spin, &gComboAttackFactorOp, 0, 1000, nullptr, 0, nullptr},
    {"ComboAttackFactorEn", Kind::Spin, &gComboAttackFactorEn, 0, 1000, nullptr, 0, nullptr},
    {"UCI_LimitStrength", Kind::Check, &gLimitStrength, 0, 1, nullptr, 0, reportStrength},
    {"UCI_Elo", Kind::Spin, &gStrengthElo, kLowestElo, kHighestElo, nullptr, 0, reportStrength},
    {"Skill Level", Kind::Spin, &gSkillLevel, 0, kFullSkill, nullptr, 0, reportStrength},
    {"Use Egbb", Kind::Check, &gUseEgbb, 0, 1, nullptr, 0, loadBitbasesIfOn},
    {"Egbb Path", Kind::Text, nullptr, 0, 0, gEgbbPath, sizeof gEgbbPath, loadBitbasesIfOn},
};

void printOption(const Option& o) {
    printf("option name %s type ", o.name);
    switch (o.kind) {
        case Kind::Spin: printf("spin default %d min %d max %d\n", *o.value, o.min, o.max); break;
        case Kind::Check: printf("check default %s\n", *o.value ? "true" : "false"); break;
        case Kind::Text: printf("string default %s\n", o.text[0] ? o.text : "<empty>"); break;
        case Kind::Button: printf("button\n"); break;
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
bool store(const Option& o, const char* value) {
    switch (o.kind) {
        case Kind::Spin: {
            int32_t n;
            if (!readDecimal(value, &n)) break;
            *o.value = std::clamp(n, o.min, o.max);
            return true;
        }
        case Kind::Check:
            if (strcasecmp(value, "true") != 0 && strcasecmp(value, "false") != 0) break;
            *o.value = strcasecmp(value, "true") == 0;
            return true;
        case Kind::Text:
            snprintf(o.text, o.textSize, "%s", strcmp(value, "<empty>") == 0 ? "" : value);
            return true;
        case Kind::Button: return true;
    }
    printf("info string invalid value \"%.64s\" for option %s\n", value, o.name);
    return false;
}

}  // namespace

void printUciOptions() {
    gHashRequest = gHashMb;
    for (const Option& o : kOptions) printOption(o);
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
    for (const Option& o : kOptions) {
        if (strcasecmp(o.name, name) != 0) continue;
        if (o.kind != Kind::Button && valueAt >= count) {
            printf("info string option %s needs a value\n", o.name);
            return;
        }
        if (store(o, value) && o.changed) o.changed();
        return;
    }
    printf("info string unknown option \"%.64s\"\n", name);
}
