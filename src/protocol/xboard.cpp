#include "protocol/xboard.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/numbers.h"
#include "base/version.h"
#include "board/attacks.h"
#include "board/fen.h"
#include "board/notation.h"
#include "board/position.h"
#include "book/learning.h"
#include "book/pgn.h"
#include "config/config.h"
#include "config/settings.h"
#include "eval/bitbase.h"
#include "eval/params.h"
#include "game/contempt.h"
#include "game/game.h"
#include "platform/input.h"
#include "platform/signals.h"
#include "protocol/gameresult.h"
#include "protocol/setting_links.h"
#include "protocol/words.h"
#include "search/stopcheck.h"
#include "search/strength.h"
#include "search/think.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "setup/tables.h"
#include "tools/profile.h"
#include "game/gameboard.h"
#include "search/worker.h"
#include "session/session.h"

bool gPonderEnabled = false;

namespace {

constexpr int32_t kNoSide = -1;
constexpr size_t kLineSize = 256;
constexpr int32_t kMaxWords = 8;

// The driver's own state: the colour the engine plays, if any.
struct Driver {
    int32_t computerSide = kNoSide;
    bool quit = false;
};

// One received line: the command, then its arguments (words past the eighth
// are not read).
using XboardWords = Words<kLineSize, kMaxWords>;

// A decimal number as %d reads it (sign, digits, anything after ignored);
// values beyond 32 bits saturate.
bool readNumber(const char* text, int32_t* value) { return readDecimal(text, value) != nullptr; }

// Copies text into a fixed field, cutting it to the field's size.
void copyToField(char* field, size_t size, const char* text) {
    size_t n = strlen(text);
    if (n >= size) n = size - 1;
    memcpy(field, text, n);
    field[n] = '\0';
}

// The command's arguments as sent: the line after its first word, without
// the blanks around it.
const char* argumentText(const XboardWords& w) {
    static char text[kLineSize];
    const char* p = w.line;
    while (*p == ' ' || *p == '\t') p++;
    while (*p && *p != ' ' && *p != '\t') p++;
    while (*p == ' ' || *p == '\t') p++;
    copyToField(text, sizeof text, p);
    size_t n = strlen(text);
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t' || text[n - 1] == '\r')) text[--n] = '\0';
    return text;
}

void replyError(const char* kind, const char* text) {
    printf("Error (%s): %s\n", kind, text);
    fflush(stdout);
}

// The numeric arguments a command needs; replies with an error when missing.
bool numbers(const XboardWords& w, int32_t count, int32_t* values) {
    for (int32_t i = 0; i < count; i++)
        if (!readNumber(w[1 + i], &values[i])) {
            replyError("missing or invalid argument", w.line);
            return false;
        }
    return true;
}

// "minutes" or "minutes:seconds" as seconds.
int32_t parseClockText(const char* text) {
    int32_t minutes = 0, seconds = 0;
    readNumber(text, &minutes);
    if (const char* colon = strchr(text, ':')) readNumber(colon + 1, &seconds);
    const int64_t total = int64_t(minutes) * 60 + seconds;
    return total > 2000000 ? 2000000 : total < 0 ? 0 : int32_t(total);
}

void newGame(Driver& d) {
    const bool analyzing = gEngineState == ENGINE_ANALYZING;
    // A new game has no node rate and no depth limit (analysis keeps both).
    if (!analyzing) {
        setNodeRate(0);
        setFixedSearch(gAllottedTime, kDefaultSearchDepth);
    }
    startGame(kStartFen);
    if (analyzing) {
        setEngineState(ENGINE_ANALYZING);
        d.computerSide = gameBoard().pos.side;
        return;
    }
    setOpponentName("");
    setContempt(0);
    d.computerSide = BLACK;
}

void commandNew(Driver& d, const XboardWords&) { newGame(d); }

void commandQuit(Driver& d, const XboardWords&) {
    freeTables();
    d.quit = true;
}

void commandNps(Driver&, const XboardWords& w) {
    int32_t n;
    if (!numbers(w, 1, &n)) return;
    setNodeRate(n);
    printf("# nps is set to %d\n", n);
}

void commandSetboard(Driver& d, const XboardWords& w) {
    if (w.count < 5) {
        replyError("incomplete position", w.line);
        return;
    }
    char fen[4 * kLineSize + 4];
    snprintf(fen, sizeof fen, "%s %s %s %s", w[1], w[2], w[3], w[4]);
    const bool analyzing = gEngineState == ENGINE_ANALYZING;
    // A rejected position falls back to the initial one; the interface is
    // told, with the text it sent, so that it does not go on showing a
    // position the engine is not in (and knows which one was refused).
    if (const char* reason = startGame(fen)) printf("tellusererror Illegal position: %s (%s)\n", argumentText(w), reason);
    markStartedFromSetUp();
    if (analyzing) {
        setEngineState(ENGINE_ANALYZING);
        d.computerSide = gameBoard().pos.side;
    } else {
        d.computerSide = kNoSide;
    }
}

void commandForce(Driver& d, const XboardWords&) { d.computerSide = kNoSide; }

void commandProfile(Driver& d, const XboardWords&) {
    runProfile();
    d.computerSide = kNoSide;
}

void commandExit(Driver& d, const XboardWords&) {
    setEngineState(ENGINE_NORMAL);
    d.computerSide = kNoSide;
}

void commandDisplay(Driver&, const XboardWords&) { displayBoard(gameBoard()); }

void commandIgnored(Driver&, const XboardWords&) {}

// "option <word>=<value>": the first setting, in the table's order, whose
// word followed by "=" stands anywhere in the argument takes the text after
// it. A number is taken as sent (0 when there is none), without the range
// the file and UCI clamp it to.
void commandOption(Driver&, const XboardWords& w) {
    const char* option = w[1];
    printf("# option_name %s\n", option);
    for (const Setting& s : allSettings()) {
        if (!s.xboardWord) continue;
        char pattern[64];
        snprintf(pattern, sizeof pattern, "%s=", s.xboardWord);
        const char* at = strstr(option, pattern);
        if (!at) continue;
        const char* value = at + strlen(pattern);
        const SettingLink link = linkOf(s);
        if (s.kind == SettingKind::Text) {
            copyToField(link.text, link.textSize, value);
            if (link.changed) link.changed(0);
            printf(s.xboardEcho, link.text);
        } else {
            int32_t n = 0;
            readNumber(value, &n);
            const int32_t previous = *link.number;
            *link.number = n;
            if (link.changed) link.changed(previous);
            printf(s.xboardEcho, n);
        }
        return;
    }
}

void commandAnalyze(Driver& d, const XboardWords&) {
    d.computerSide = gameBoard().pos.side;
    setEngineState(ENGINE_ANALYZING);
}

void commandSt(Driver&, const XboardWords& w) {
    int32_t seconds;
    if (!numbers(w, 1, &seconds)) return;
    seconds = std::clamp(seconds, 1, kLongestSearchMs / 1000);
    printf("# search time %d sec\n", seconds);
    allotOnSt(seconds);
    printf("# Fixed Time Control.\n");
}

void commandResult(Driver&, const XboardWords& w) {
    if (w.count > 1) setResultToken(w[1]);
    if (gAutoSaveGame) saveGame(mainWorker().engineSide);
    if (gWriteLearnedOpening) writeLearnedLine(mainWorker().engineSide);
}

void commandSd(Driver&, const XboardWords& w) {
    int32_t n;
    if (!numbers(w, 1, &n)) return;
    n = std::clamp(n, 1, 100);
    setFixedSearch(gAllottedTime, n);
    printf("# search depth is %d %s\n", n, n == 1 ? "ply" : "plies");
}

void commandRating(Driver&, const XboardWords& w) {
    int32_t ratings[2];
    if (!numbers(w, 2, ratings)) return;
    setOpponentRating(ratings[1]);
}

void commandLevel(Driver&, const XboardWords& w) {
    int32_t moves, increment;
    if (w.count < 4 || !readNumber(w[1], &moves) || !readNumber(w[3], &increment)) {
        replyError("missing or invalid argument", w.line);
        return;
    }
    if (moves < 0) {
        replyError("negative moves per time control", w.line);
        return;
    }
    increment = std::clamp(increment, 0, 100000);
    const int32_t seconds = parseClockText(w[2]);
    printf("# Total Initial Time = %d sec.\n", seconds);
    setLevelTag(moves, seconds, increment);
    allotOnLevel(moves, seconds * 1000, increment * 1000);
    printf(moves ? "# Conventional Time Control.\n" : "# Blitz Time Control.\n");
    printf("# Moves per session = %d moves.\n", moves);
    printf("# Minutes per game = %0.2f min.\n", seconds * 1000.0 / 60000.0);
    printf("# Increment = %d ms.\n", increment * 1000);
    fflush(stdout);
    // An increment counts two thirds of its milliseconds as minutes of game.
    const int32_t minutes = seconds / 60;
    setLearnMinutes(increment ? minutes + (2 * (increment * 1000)) / 3 : minutes);
}

void commandTime(Driver&, const XboardWords& w) {
    int32_t centiseconds;
    if (!numbers(w, 1, &centiseconds)) return;
    allotOnTime(gameBoard(), std::clamp(centiseconds, 0, 200000000));
}

void commandOtim(Driver&, const XboardWords& w) {
    int32_t centiseconds;
    if (!numbers(w, 1, &centiseconds)) return;
    recordOpponentClock(std::clamp(centiseconds, 0, 200000000) * 10);
}

void commandGo(Driver& d, const XboardWords&) { d.computerSide = gameBoard().pos.side; }

void commandPing(Driver&, const XboardWords& w) {
    int32_t n;
    if (!numbers(w, 1, &n)) return;
    printf("pong %d\n", n);
    fflush(stdout);
    setPingNumber(n);
}

void commandName(Driver&, const XboardWords& w) {
    if (w.count >= 2) {
        // Up to four words, joined with single blanks; cut to the field's size.
        char name[kOpponentNameSize] = "";
        for (int32_t i = 1; i < w.count && i <= 4; i++) {
            if (i > 1) strncat(name, " ", sizeof name - strlen(name) - 1);
            strncat(name, w[i], sizeof name - strlen(name) - 1);
        }
        setOpponentName(name);
    }
    setOpponentContempt();
}

void commandIcs(Driver&, const XboardWords& w) {
    setIcsMode(w.count < 2 || strcmp(w[1], "-") != 0);
}

void commandHint(Driver&, const XboardWords&) {
    think(workerOnGame(), OutputMode::Silent, SearchPurpose::Analysis);
    if (mainWorker().bestMove) printf("Hint: %s\n", moveToText(mainWorker().bestMove));
    fflush(stdout);
}

void commandUndo(Driver& d, const XboardWords&) {
    if (gameBoard().pos.hply > gameBoard().setupPly) takeBackMoves(1);
    if (gEngineState == ENGINE_ANALYZING) d.computerSide = gameBoard().pos.side;
}

void commandRemove(Driver&, const XboardWords&) {
    if (gameBoard().pos.hply - 2 < gameBoard().setupPly) return;
    takeBackMoves(2);
}

void commandPost(Driver&, const XboardWords&) { setPostMode(OutputMode::Xboard); }
void commandNopost(Driver&, const XboardWords&) { setPostMode(OutputMode::Silent); }

void commandProtover(Driver&, const XboardWords&) {
    printf("feature ping=1 time=1 setboard=1 name=1 colors=0 debug=1, nps=1\n");
    printf("feature draw=0 sigint=0 sigterm=0 reuse=0 analyze=1 ics=1\n");
    printf("feature variants=\"normal\"\n");
    printMyName();
    if (gUseEgbb) loadBitbases(gEgbbPath);
    printf("feature done=1\n");
    fflush(stdout);
}

void commandHard(Driver&, const XboardWords&) { gPonderEnabled = true; }
void commandEasy(Driver&, const XboardWords&) { gPonderEnabled = false; }

// A word that is no command: the opponent's move (or a move while analysing).
void moveInput(Driver& d, const XboardWords& w) {
    const bool analyzing = gEngineState == ENGINE_ANALYZING;
    if (gameBoard().pos.hply >= kMaxGamePly) {
        replyError("the move history is full", w[0]);
        return;
    }
    const Move move = typedMove(w[0]);
    if (!move || !playMove(move)) {
        replyError("unknown command", w[0]);
        return;
    }
    setPonderHit(gPonderEnabled && move == gPonderMove);
    if (gPonderEnabled) {
        printf(gPonderHit ? "# Ponder hit\n" : "# Ponder miss\n");
        fflush(stdout);
    }
    recordGameMove(move, 0);
    if (analyzing)
        d.computerSide = gameBoard().pos.side;
    else
        checkGameResult();
}

struct Command {
    const char* word;
    void (*run)(Driver&, const XboardWords&);
};

// In matching order; the first word that matches runs.
const Command kCommands[] = {
    {"xboard", commandIgnored},   {"new", commandNew},         {"quit", commandQuit},
    {"nps", commandNps},          {"setboard", commandSetboard}, {"force", commandForce},
    {"profile", commandProfile},  {"exit", commandExit},       {"d", commandDisplay},
    {"variant", commandIgnored},  {"option", commandOption},   {"analyze", commandAnalyze},
    {"stop", commandIgnored},     {"st", commandSt},           {"result", commandResult},
    {"sd", commandSd},            {"rating", commandRating},   {"level", commandLevel},
    {"time", commandTime},        {"otim", commandOtim},       {"go", commandGo},
    {"ping", commandPing},        {"name", commandName},       {"ics", commandIcs},
    {"hint", commandHint},        {"undo", commandUndo},       {"remove", commandRemove},
    {"post", commandPost},        {"nopost", commandNopost},   {"protover", commandProtover},
    {"accepted", commandIgnored}, {"rejected", commandIgnored}, {"random", commandIgnored},  {"hard", commandHard},
    {"easy", commandEasy},        {"computer", commandIgnored},
};

void dispatch(Driver& d, const char* line) {
    XboardWords w;
    w.split(line);
    if (w.count == 0) return;
    for (const Command& c : kCommands)
        if (strcmp(w[0], c.word) == 0) {
            c.run(d, w);
            return;
        }
    moveInput(d, w);
}

// The engine's move in a game: search, play, record, claim a result, and
// arm pondering.
void engineMove(Driver& d) {
    setEngineState(ENGINE_NORMAL);
    think(workerOnGame(), gPostMode, SearchPurpose::GameMove);
    if (mainWorker().bestMove && gameBoard().pos.hply >= kMaxGamePly) printf("# The move history is full; no more moves.\n");
    if (mainWorker().bestMove == 0 || gameBoard().pos.hply >= kMaxGamePly) {
        d.computerSide = kNoSide;
        return;
    }
    const Move move = mainWorker().bestMove;
    playMove(move);
    printf("move %s\n", moveToText(move));
    fflush(stdout);
    recordEngineMove(move, mainWorker().lastScore, mainWorker().depthReached, gTimeUsed);
    checkGameResult();
    // Below full strength the engine does not ponder: a search on the
    // opponent's time would make its next move stronger than its level.
    if (gPonderEnabled && gAllottedTime > 2000 && gPonderAllowed && strengthLevel() == kFullLevel) armPonder();
}

// Mate or stalemate on the board: a thinking line with the score (mated or
// drawn) and no move, at once, instead of a search. True when the game is over.
bool showGameOver() {
    if (firstLegalMove(workerOnGame()) != 0) return false;
    if (gPostMode != OutputMode::Silent) {
        printf("%3d %5d %6d %10u\n", 0, inCheck(gameBoard(), gameBoard().pos.side) ? -MATE_VALUE : 0, 0, 0u);
        fflush(stdout);
    }
    return true;
}

// An analysis, until a command arrives or the depth limit: a mate found does
// not end it, and the interface sees the line to the mate as it deepens.
void analyse() {
    if (showGameOver()) return;
    setMateStop(MATE_STOP_EXACT);
    think(workerOnGame(), gPostMode, SearchPurpose::Analysis);
    setMateStop(MATE_STOP_SHORT);
}

// A search on the opponent's time, until a command arrives.
void ponderOnOpponentsTime() {
    printf("# Morvantix is Pondering on position\n");
    setEngineState(ENGINE_PONDERING);
    ponder(workerOnGame(), gPostMode);
    endPonder(mainWorker().bestMove);
    setEngineState(ENGINE_NORMAL);
}

}  // namespace

void printMyName() {
    if (gExtVerName[0])
        printf("feature myname=\"%s %s\"\n", kEngineName, gExtVerName);
    else
        printf("feature myname=\"%s\"\n", kEngineName);
}

void xboardLoop() {
    setvbuf(stdout, nullptr, _IONBF, 0);
    startRecordHere();
    forgetClock();
    ignoreInterruptSignal();
    printf("\n");
    startGame(kStartFen);
    Driver d;
    if (gUseEgbb) printf("feature done=0\n");
    char line[kLineSize];
    while (!d.quit) {
        fflush(stdout);
        if (d.computerSide == gameBoard().pos.side) {
            if (gEngineState != ENGINE_ANALYZING) {
                engineMove(d);
                continue;
            }
            allotForAnalysis();
            analyse();
        } else if (gPonderEnabled && gPonderPending) {
            ponderOnOpponentsTime();
        }
        if (!inputReadLine(line, sizeof line)) return;
        dispatch(d, line);
    }
}
