#include "eval/params.h"

#include <cstdio>
#include <cstring>

#include "base/numbers.h"

int32_t gNonPvLE = 339;
int32_t gPvLE = 323;
int32_t gPawnAttacksKing = 70;
int32_t gPieceBehindPawnAttacksKing = 90;
int32_t gMobilityFactor = 100;  // start-up sets 400 after reading the files
int32_t gLMPMinLimit = 17;
int32_t gKingPcsqOpAdjustmentValue = -9;
int32_t gKingPcsqEnAdjustmentValue = -3;
int32_t gKingPcsqOpFactor = 97;
int32_t gKingPcsqEnFactor = 133;
int32_t gSafeKnightOutpost = 67;
int32_t gSafeProtectedKnightOutpost = 93;
int32_t gKnightOutpostFactorOp = 111;
int32_t gKnightOutpostFactorEn = 99;
int32_t gComboAttackFactorOp = 130;
int32_t gComboAttackFactorEn = 100;
int32_t gBlockedPasserPenaltyFactorOp = 60;
int32_t gBlockedPasserPenaltyFactorEn = 80;

int32_t gRook7thRankOp = 15, gRook7thRankEn = 50;
int32_t gRook8thRankOp = 15, gRook8thRankEn = 50;

char gExtVerName[kSettingNameSize];

namespace {

struct Tunable {
    const char* name;
    int32_t* value;
    int32_t start;
    const char* label;  // the name shown in the confirmation
};

// In the order names are compared.
const Tunable kTunables[] = {
    {"NonPvLE", &gNonPvLE, 339, "NonPvLE"},
    {"PvLE", &gPvLE, 323, "PvLE"},
    {"PawnAttacksKing", &gPawnAttacksKing, 70, "PawnAttacksKing"},
    {"PieceBehindPawnAttacksKing", &gPieceBehindPawnAttacksKing, 90, "PieceBehindPawnAttacksKing"},
    {"MobilityFactor", &gMobilityFactor, 400, "MobilityFactor"},
    {"LMPMinLimit", &gLMPMinLimit, 17, "LMPMinLimit"},
    {"KingPcsqOpAdjustmentValue", &gKingPcsqOpAdjustmentValue, -9, "KingPcsqOpAdjustmentValue"},
    {"KingPcsqEnAdjustmentValue", &gKingPcsqEnAdjustmentValue, -3, "KingPcsqEnAdjustmentValue"},
    {"KingPcsqOpFactor", &gKingPcsqOpFactor, 97, "gKingPcsqOpFactor"},
    {"KingPcsqEnFactor", &gKingPcsqEnFactor, 133, "gKingPcsqEnFactor"},
    {"SafeKnightOutpost", &gSafeKnightOutpost, 67, "SafeKnightOutpost"},
    {"SafeProtectedKnightOutpost", &gSafeProtectedKnightOutpost, 93, "SafeProtectedKnightOutpost"},
    {"KnightOutpostFactorOp", &gKnightOutpostFactorOp, 111, "KnightOutpostFactorOp"},
    {"KnightOutpostFactorEn", &gKnightOutpostFactorEn, 99, "KnightOutpostFactorEn"},
    {"ComboAttackFactorOp", &gComboAttackFactorOp, 130, "ComboAttackFactorOp"},
    {"ComboAttackFactorEn", &gComboAttackFactorEn, 100, "ComboAttackFactorEn"},
    {"BlockedPasserPenaltyFactorOp", &gBlockedPasserPenaltyFactorOp, 60, "BlockedPasserPenaltyFactorOp"},
    {"BlockedPasserPenaltyFactorEn", &gBlockedPasserPenaltyFactorEn, 80, "BlockedPasserPenaltyFactorEn"},
};

constexpr size_t kSettingsLineSize = 256;

// The opening and endgame values after a key; the first alone when the second
// is missing, none when the first is.
void readPair(const char* text, int32_t* opening, int32_t* endgame) {
    if (const char* rest = readDecimal(text, opening)) readDecimal(rest, endgame);
}

void applySettingsLine(const char* line) {
    if (line[0] == '#') return;
    char key[kSettingsLineSize];
    if (sscanf(line, "%255s", key) != 1) return;
    if (strcmp(key, "setting_name") == 0) {
        char name[kSettingsLineSize];
        if (sscanf(line, "setting_name %255s", name) == 1) snprintf(gExtVerName, sizeof gExtVerName, "%s", name);
    } else if (strcmp(key, "rook_7th_rank") == 0) {
        readPair(line + strlen(key), &gRook7thRankOp, &gRook7thRankEn);
    } else if (strcmp(key, "rook_8th_rank") == 0) {
        readPair(line + strlen(key), &gRook8thRankOp, &gRook8thRankEn);
    }
}

}  // namespace

void setTunableDefaults() {
    for (const Tunable& t : kTunables) *t.value = t.start;
}

bool setTunable(const char* name, int32_t value) {
    for (const Tunable& t : kTunables) {
        if (strcmp(name, t.name) != 0) continue;
        *t.value = value;
        printf("# set %s to %d\n", t.label, value);
        return true;
    }
    return false;
}

void readEvalSettings() {
    gExtVerName[0] = '\0';
    gRook7thRankOp = 15, gRook7thRankEn = 50;
    gRook8thRankOp = 15, gRook8thRankEn = 50;
    FILE* file = fopen("eval_setting.txt", "r");
    if (!file) return;
    // A line longer than the buffer is read in pieces, each taken as a line.
    char line[kSettingsLineSize];
    while (fgets(line, int(sizeof line), file)) applySettingsLine(line);
    fclose(file);
}
