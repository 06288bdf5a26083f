// Weights that can be changed while the program runs: seventeen evaluation
// parameters and one search parameter, set by name (console `setvalue`, the
// XBoard option Mobility), and the rook-rank bonuses of eval_setting.txt.
#pragma once
#include <cstdint>

extern int32_t gNonPvLE;
extern int32_t gPvLE;
extern int32_t gPawnAttacksKing;
extern int32_t gPieceBehindPawnAttacksKing;
extern int32_t gMobilityFactor;
extern int32_t gLMPMinLimit;
extern int32_t gKingPcsqOpAdjustmentValue;
extern int32_t gKingPcsqEnAdjustmentValue;
extern int32_t gKingPcsqOpFactor;
extern int32_t gKingPcsqEnFactor;
extern int32_t gSafeKnightOutpost;
extern int32_t gSafeProtectedKnightOutpost;
extern int32_t gKnightOutpostFactorOp;
extern int32_t gKnightOutpostFactorEn;
extern int32_t gComboAttackFactorOp;
extern int32_t gComboAttackFactorEn;
extern int32_t gBlockedPasserPenaltyFactorOp;
extern int32_t gBlockedPasserPenaltyFactorEn;

// Rook on the seventh / eighth rank with the enemy king on the eighth.
extern int32_t gRook7thRankOp, gRook7thRankEn;
extern int32_t gRook8thRankOp, gRook8thRankEn;

// The settings name of eval_setting.txt; the XBoard option ExtVerName sets the
// same text, which is appended to the engine name announced to the interface.
constexpr int32_t kSettingNameSize = 256;
extern char gExtVerName[kSettingNameSize];

// Gives the eighteen parameters their start values.
void setTunableDefaults();

// Sets the parameter of that name (exact, case-sensitive) and prints its
// confirmation; returns false, printing nothing, for an unknown name.
bool setTunable(const char* name, int32_t value);

// Reads eval_setting.txt from the working directory; silent when it is missing.
void readEvalSettings();

// The mobility weight, in percent (XBoard's Mobility option).
inline void setMobilityFactor(int32_t percent) { gMobilityFactor = percent; }
