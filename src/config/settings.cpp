#include "config/settings.h"

#include <climits>

#include "config/config.h"

namespace {

constexpr const char* kGuiChoices[] = {"None", "arena", nullptr};

using enum SettingKind;

constexpr Setting kSettings[] = {
    {.id = SettingId::Hash, .iniKey = "Hash", .uciName = "Hash", .uciPlace = 0, .kind = Number,
     .start = 32, .low = 32, .high = 1024, .uciHigh = kUciHashHighMb, .value = &gHashMb,
     .iniRule = IniRule::Number},
    {.id = SettingId::EvalCache, .iniKey = "Eval_Cache", .kind = Number, .start = 8, .low = 8, .high = 64,
     .value = &gEvalCacheMb, .iniRule = IniRule::SizesTables},
    {.id = SettingId::Threads, .iniKey = "Threads", .uciName = "Threads", .uciPlace = 18, .kind = Number,
     .start = 1, .low = 1, .high = 256, .value = &gSearchThreads, .iniRule = IniRule::Number,
     .iniEcho = "# Threads                  : %d\n"},
    {.id = SettingId::Resign, .iniKey = "Resign", .kind = Switch, .start = 0, .low = 0, .high = 1,
     .value = &gResign, .iniRule = IniRule::OnUnlessOff, .iniEcho = "# Resign                   : %s\n",
     .defaultLine = "# Resign                   : OFF (default)\n"},
    {.id = SettingId::ResignScore, .iniKey = "Resign_Score", .kind = Number, .start = -1200, .low = -10000,
     .high = -300, .value = &gResignScore, .iniRule = IniRule::Number,
     .iniEcho = "# Resign Score             : %d\n", .defaultLine = "# Resign Score             : %d (default)\n"},
    {.id = SettingId::ResignScoreCount, .iniKey = "Resign_Score_Count", .kind = Number, .start = 3, .low = 3,
     .high = 10, .value = &gResignScoreCount, .iniRule = IniRule::Number,
     .iniEcho = "# Resign Score Count       : %d\n", .defaultLine = "# Resign Score Count       : %d (default)\n"},
    {.id = SettingId::Book, .iniKey = "Book", .uciName = "OwnBook", .uciPlace = 3, .kind = Switch, .start = 0,
     .low = 0, .high = 1, .value = &gBookEnabled, .iniRule = IniRule::OnOrOff,
     .iniEcho = "# Book                     : %s\n", .defaultLine = "# Book                     : OFF (default)\n"},
    {.id = SettingId::UseEgbb, .iniKey = "Use_Egbb", .uciName = "Use Egbb", .uciPlace = 16, .kind = Switch,
     .start = 0, .low = 0, .high = 1, .value = &gUseEgbb, .iniRule = IniRule::OnlyOnWarned,
     .iniEcho = "# Use Egbb                 : %s\n", .defaultLine = "# Use egbb                 : OFF (default)\n"},
    {.id = SettingId::EgbbPath, .iniKey = "Egbb_Path", .uciName = "Egbb Path", .uciPlace = 17, .kind = Text,
     .text = gEgbbPath, .textSize = sizeof gEgbbPath, .iniRule = IniRule::Path, .needsEgbb = true,
     .iniEcho = "# Egbb Path                : %s\n"},
    {.id = SettingId::EgbbCacheSize, .iniKey = "Egbb_Cache_Size", .kind = Number, .start = 0, .low = 4,
     .high = 368, .value = &gEgbbCacheSize, .iniRule = IniRule::Megabytes, .needsEgbb = true,
     .iniEcho = "# Egbb size                : %d Mb\n"},
    {.id = SettingId::EgbbLoadType, .iniKey = "Egbb_Load_Type", .kind = Number, .start = 1, .low = 0, .high = 3,
     .value = &gEgbbLoadType, .iniRule = IniRule::Number, .needsEgbb = true,
     .iniEcho = "# Egbb Load Type           : %d\n", .defaultLine = "# Egbb Load Type           : %d (default)\n"},
    {.id = SettingId::AutoSaveGame, .iniKey = "Auto_Save_Game", .kind = Switch, .start = 0, .low = 0, .high = 1,
     .value = &gAutoSaveGame, .iniRule = IniRule::OnlyOn, .iniEcho = "# Auto save game           : %s\n",
     .defaultLine = "# Auto save game           : OFF (default)\n"},
    {.id = SettingId::WriteLearnedOpening, .iniKey = "Write_Learned_Opening", .kind = Switch, .start = 0,
     .low = 0, .high = 1, .value = &gWriteLearnedOpening, .iniRule = IniRule::OnlyOn,
     .iniEcho = "# Write Learned Opening    : %s\n", .defaultLine = "# Write learned opening    : OFF (default)\n"},
    {.id = SettingId::Contempt, .iniKey = "Contempt_Value", .uciName = "Contempt", .uciPlace = 5, .kind = Number,
     .start = 0, .low = -100, .high = 100, .value = &gContempt, .iniRule = IniRule::Number,
     .iniEcho = "# Contempt Value           : %d\n", .defaultLine = "# Contempt Value           : %d (default)\n"},
    {.id = SettingId::Ponder, .iniKey = "Ponder", .uciName = "Ponder", .uciPlace = 2, .kind = Switch, .start = 1,
     .low = 0, .high = 1, .value = &gPonderAllowed, .iniRule = IniRule::OffInCapitals,
     .iniEcho = "# Ponder                   : %s\n", .defaultLine = "# Ponder                   : ON (default)\n"},
    {.id = SettingId::Gui, .iniKey = "Gui", .kind = Choice, .start = GUI_NONE, .low = GUI_NONE, .high = GUI_ARENA,
     .choices = kGuiChoices, .value = &gGuiKind, .iniRule = IniRule::Choice,
     .iniEcho = "# Gui                      : %s\n", .defaultLine = "# Gui                      : None (default)\n"},
    {.id = SettingId::LimitStrength, .iniKey = "Limit_Strength", .uciName = "UCI_LimitStrength", .uciPlace = 13,
     .kind = Switch, .start = 0, .low = 0, .high = 1, .value = &gLimitStrength, .iniRule = IniRule::OnlyOn,
     .iniEcho = "# Limit Strength           : %s\n"},
    {.id = SettingId::Elo, .iniKey = "Elo", .uciName = "UCI_Elo", .uciPlace = 14, .kind = Number,
     .start = kHighestElo, .low = kLowestElo, .high = kHighestElo, .value = &gStrengthElo,
     .iniRule = IniRule::Number, .iniEcho = "# Elo                      : %d\n"},
    {.id = SettingId::SkillLevel, .iniKey = "Skill_Level", .uciName = "Skill Level", .uciPlace = 15,
     .kind = Number, .start = kFullSkill, .low = 0, .high = kFullSkill, .value = &gSkillLevel,
     .iniRule = IniRule::Number, .iniEcho = "# Skill Level              : %d\n"},
    {.id = SettingId::StrengthSeed, .iniKey = "Strength_Seed", .kind = Number, .start = 0, .low = 0,
     .high = INT32_MAX, .value = &gStrengthSeed, .iniRule = IniRule::Number,
     .iniEcho = "# Strength Seed            : %d\n"},
    // The rest are options only; their values are kept above config.
    {.id = SettingId::ClearHash, .uciName = "Clear Hash", .uciPlace = 1, .kind = Button},
    {.id = SettingId::BookFile, .uciName = "Book File", .uciPlace = 4, .kind = Text},
    {.id = SettingId::MoveOverhead, .uciName = "Move Overhead", .uciPlace = 6, .kind = Number, .low = 0,
     .high = 5000},
    // Up to the lines the root keeps (kMaxMultiPv in search; a unit test holds them equal).
    {.id = SettingId::MultiPv, .uciName = "MultiPV", .uciPlace = 7, .kind = Number, .low = 1, .high = 16},
    {.id = SettingId::Mobility, .uciName = "MobilityFactor", .uciPlace = 8, .xboardWord = "Mobility",
     .kind = Number, .low = 0, .high = 1000, .xboardEcho = "# Mobility is set to %d\n"},
    {.id = SettingId::PawnAttacksKing, .uciName = "PawnAttacksKing", .uciPlace = 9, .kind = Number, .low = 0,
     .high = 1000},
    {.id = SettingId::PieceBehindPawnAttacksKing, .uciName = "PieceBehindPawnAttacksKing", .uciPlace = 10,
     .kind = Number, .low = 0, .high = 1000},
    {.id = SettingId::ComboAttackFactorOp, .uciName = "ComboAttackFactorOp", .uciPlace = 11, .kind = Number,
     .low = 0, .high = 1000},
    {.id = SettingId::ComboAttackFactorEn, .uciName = "ComboAttackFactorEn", .uciPlace = 12, .kind = Number,
     .low = 0, .high = 1000},
    {.id = SettingId::Chess960, .uciName = "UCI_Chess960", .uciPlace = 19, .kind = Switch, .low = 0, .high = 1,
     .value = &gChess960},
    {.id = SettingId::ExtVerName, .xboardWord = "ExtVerName", .kind = Text,
     .xboardEcho = "# ExtVerName is set to %s\n"},
};

}  // namespace

std::span<const Setting> allSettings() { return kSettings; }
