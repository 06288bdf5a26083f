// The table of the engine's settings: each setting once, with its key in
// morvantix.ini, its UCI option and its XBoard option word (where it has them),
// its type, range or choices and its start value. The ini reader, the UCI
// option list and setoption, and XBoard's option command all work from it.
//
// The table lives in config, the lowest layer all three readers can see, so
// that the file can be read at start-up without any layer above. What is held
// or done above config (the values kept by book, eval, search and protocol,
// and what follows a change, such as resizing the hash) is attached to the
// rows by protocol/setting_links, which sees both the table and those layers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// One name per row of the table, by which the rows are linked to what
// layers above config keep for them.
enum class SettingId : uint8_t {
    Hash,
    EvalCache,
    Threads,
    Resign,
    ResignScore,
    ResignScoreCount,
    Book,
    UseEgbb,
    EgbbPath,
    EgbbCacheSize,
    EgbbLoadType,
    AutoSaveGame,
    WriteLearnedOpening,
    Contempt,
    Ponder,
    Gui,
    LimitStrength,
    Elo,
    SkillLevel,
    StrengthSeed,
    ClearHash,
    BookFile,
    MoveOverhead,
    MultiPv,
    Mobility,
    PawnAttacksKing,
    PieceBehindPawnAttacksKing,
    ComboAttackFactorOp,
    ComboAttackFactorEn,
    ExtVerName,
    Chess960,
};

enum class SettingKind : uint8_t {
    Number,  // a number in low..high
    Switch,  // on (1) or off (0)
    Text,    // a word or path, held in a field of its own
    Button,  // no value: an action
    Choice,  // one of the words of choices, held as its place in the list
};

// How the setting's line of morvantix.ini is read. ON and OFF are matched in
// capitals or in small letters ("On" is neither), except where said.
enum class IniRule : uint8_t {
    None,          // not in the file
    Number,        // a number, clamped to the range
    SizesTables,   // a number, clamped; the tables are sized as soon as it is read
    Megabytes,     // a number of megabytes, clamped, held in bytes
    OnUnlessOff,   // any word but OFF switches it on; ON and OFF echoed as written
    OnOrOff,       // only ON and OFF change it; echoed as written
    OnlyOn,        // ON switches it on, any other word off; ON and OFF echoed in capitals
    OnlyOnWarned,  // as OnlyOn, with a warning for any other word
    OffInCapitals, // only OFF (in capitals) switches it off; any other word is echoed as ON
    Path,          // a word, echoed
    Choice,        // a word of choices past the first sets it; the key alone is reported
};

struct Setting {
    SettingId id;
    const char* iniKey = nullptr;      // nullptr: not in morvantix.ini
    const char* uciName = nullptr;     // nullptr: no UCI option
    int32_t uciPlace = 0;              // place in the handshake's list of options
    const char* xboardWord = nullptr;  // "option <word>=<value>"; nullptr: none
    SettingKind kind;
    // The value before the file is read, and the range the file and UCI
    // clamp a number to (XBoard's option takes a number as sent).
    int32_t start = 0, low = 0, high = 0;
    // The UCI option's upper end where it goes past the file's (0: high).
    int32_t uciHigh = 0;
    const char* const* choices = nullptr;  // Choice: the words, the first being the start value's
    // Where the value is held, when config holds it; nullptr when the layer
    // that keeps it attaches it (protocol/setting_links).
    int32_t* value = nullptr;
    char* text = nullptr;
    size_t textSize = 0;
    // The file's line: how it is read, whether only after a line that
    // switched the bitbases on, the printf format of its echo line, and the
    // line printed for it when there is no file (nullptr: none).
    IniRule iniRule = IniRule::None;
    bool needsEgbb = false;
    const char* iniEcho = nullptr;
    const char* defaultLine = nullptr;
    // The comment line printed after XBoard's option has set it.
    const char* xboardEcho = nullptr;
};

// The largest UCI Hash: 64 GB where the address space allows it.
constexpr int32_t kUciHashHighMb = sizeof(void*) >= 8 ? 65536 : 1024;

inline int32_t uciHighOf(const Setting& s) { return s.uciHigh ? s.uciHigh : s.high; }

// Every setting: those of morvantix.ini in the file's order, then the options
// the file does not have (XBoard's option words in their matching order).
std::span<const Setting> allSettings();
