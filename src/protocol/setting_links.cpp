#include "protocol/setting_links.h"

#include "book/book.h"
#include "eval/params.h"
#include "protocol/uci_options.h"
#include "protocol/xboard.h"
#include "search/rootmoves.h"
#include "setup/tables.h"

namespace {

struct Attached {
    SettingId id;
    SettingLink link;
};

void announceStrength(int32_t) { reportStrength(); }
void loadBitbases(int32_t) { loadBitbasesIfOn(); }

// The values config does not hold, and every reaction to a change.
const Attached kAttached[] = {
    {SettingId::Hash, {.changed = resizeHash}},
    {SettingId::Threads, {.changed = changeThreads}},
    {SettingId::ClearHash, {.changed = [](int32_t) { clearTables(); }}},
    {SettingId::BookFile, {.text = gBookFile, .textSize = sizeof gBookFile}},
    {SettingId::MoveOverhead, {.number = &gUciMoveOverhead}},
    {SettingId::MultiPv, {.number = &gMultiPv}},
    {SettingId::Mobility, {.number = &gMobilityFactor}},
    {SettingId::PawnAttacksKing, {.number = &gPawnAttacksKing}},
    {SettingId::PieceBehindPawnAttacksKing, {.number = &gPieceBehindPawnAttacksKing}},
    {SettingId::ComboAttackFactorOp, {.number = &gComboAttackFactorOp}},
    {SettingId::ComboAttackFactorEn, {.number = &gComboAttackFactorEn}},
    {SettingId::LimitStrength, {.changed = announceStrength}},
    {SettingId::Elo, {.changed = announceStrength}},
    {SettingId::SkillLevel, {.changed = announceStrength}},
    {SettingId::UseEgbb, {.changed = loadBitbases}},
    {SettingId::EgbbPath, {.changed = loadBitbases}},
    {SettingId::ExtVerName,
     {.text = gExtVerName, .textSize = sizeof gExtVerName, .changed = [](int32_t) { printMyName(); }}},
};

}  // namespace

SettingLink linkOf(const Setting& s) {
    SettingLink link;
    for (const Attached& a : kAttached)
        if (a.id == s.id) link = a.link;
    if (s.value) link.number = s.value;
    if (s.text) link.text = s.text, link.textSize = s.textSize;
    return link;
}
