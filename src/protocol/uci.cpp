#include "protocol/uci.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "base/numbers.h"
#include "base/version.h"
#include "board/attacks.h"
#include "board/fen.h"
#include "board/notation.h"
#include "board/perft.h"
#include "board/position.h"
#include "book/book.h"
#include "config/config.h"
#include "game/game.h"
#include "platform/input.h"
#include "protocol/uci_options.h"
#include "protocol/ucipoll.h"
#include "protocol/words.h"
#include "search/ordering.h"
#include "search/rootmoves.h"
#include "search/stopcheck.h"
#include "search/think.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "setup/tables.h"
#include "game/gameboard.h"
#include "search/worker.h"
#include "session/session.h"

namespace {

constexpr int32_t kMaxTokens = kMaxGamePly + 64;

// One command line: room for a position with the longest game's moves.
using Tokens = Words<kUciLineSize, kMaxTokens>;

// The position the interface set: its FEN text and the moves played from it.
// The engine's position is always this one between commands.
struct UciGame {
    char fen[kUciLineSize];
    Move moves[kMaxGamePly];
    int32_t moveCount = 0;
};

UciGame gGame;

void infoString(const char* format, const char* text) {
    printf("info string ");
    printf(format, text);
    printf("\n");
    fflush(stdout);
}

// Plays the move of that coordinate text if it is legal here; false otherwise.
bool playMoveText(const char* text, Move* played) {
    const Move m = legalMoveOfText(text);
    if (!m) return false;
    playMove(m);
    *played = m;
    return true;
}

// Sets the position back to the one the interface set last.
void restoreGame() {
    setUpBoard(gGame.fen);
    for (int32_t i = 0; i < gGame.moveCount; i++) playMove(gGame.moves[i]);
}

// Moves already played that the new command repeats, from the start.
int32_t commonMoves(const Tokens& t, int32_t first, int32_t count) {
    int32_t n = 0;
    while (n < count && n < gGame.moveCount && strcasecmp(moveToText(gGame.moves[n]), t[first + n]) == 0) n++;
    return n;
}

// "position startpos|fen <text> [moves ...]". The same start and a longer move
// list only play the new moves, so the hash keys, and the table entries found
// with them, stay valid through a game. Returns the reason for a rejection,
// with the position left as it was; nullptr on success.
const char* setUpPosition(const Tokens& t, char* reason, size_t reasonSize) {
    char fen[kUciLineSize] = "";
    int32_t i = 2;
    if (strcmp(t[1], "startpos") == 0) {
        snprintf(fen, sizeof fen, "%s", kStartFen);
    } else if (strcmp(t[1], "fen") == 0) {
        for (; i < t.count && strcmp(t[i], "moves") != 0; i++) {
            strncat(fen, t[i], sizeof fen - strlen(fen) - 2);
            strcat(fen, " ");
        }
        if (!fen[0]) return "no FEN text after \"fen\"";
    } else {
        return "expected \"startpos\" or \"fen\"";
    }
    int32_t first = i, count = 0;
    if (strcmp(t[i], "moves") == 0) {
        first = i + 1;
        count = t.count - first;
    } else if (i < t.count) {
        snprintf(reason, reasonSize, "unexpected word \"%s\"", t[i]);
        return reason;
    }
    if (count >= kMaxGamePly) return "too many moves";

    // A change of UCI_Chess960 changes how the same text is read.
    const bool sameStart = strcmp(fen, gGame.fen) == 0 && gameBoard().castling.chess960 == (gChess960 != 0);
    int32_t kept = 0;
    if (sameStart) {
        kept = commonMoves(t, first, count);
        takeBackMoves(gGame.moveCount - kept);
    } else if (const char* error = setUpBoard(fen)) {
        restoreGame();
        snprintf(reason, reasonSize, "illegal position: %s", error);
        return reason;
    }
    Move played[kMaxGamePly];
    for (int32_t n = kept; n < count; n++) {
        if (!playMoveText(t[first + n], &played[n])) {
            restoreGame();
            snprintf(reason, reasonSize, "illegal move %.16s", t[first + n]);
            return reason;
        }
    }
    snprintf(gGame.fen, sizeof gGame.fen, "%s", fen);
    for (int32_t n = kept; n < count; n++) gGame.moves[n] = played[n];
    gGame.moveCount = count;
    return nullptr;
}

void newGame() {
    startGame(kStartFen);
    snprintf(gGame.fen, sizeof gGame.fen, "%s", kStartFen);
    gGame.moveCount = 0;
}

// What one "go" asks for (a clock may be negative: some interfaces send the
// time past a fall).
struct GoLimits {
    int32_t time[2] = {0, 0};
    bool clockGiven[2] = {false, false};
    int32_t increment[2] = {0, 0};
    int32_t movesToGo = 0, moveTime = -1, depth = -1, mate = 0;
    int64_t nodes = -1;
    bool infinite = false, ponder = false;
};

// A number after a keyword; false when it is missing or not a number.
bool numberAfter(const Tokens& t, int32_t* i, int32_t* value) {
    if (!readDecimal(t[*i + 1], value)) return false;
    (*i)++;
    return true;
}

bool isGoKeyword(const char* w) {
    static const char* const kWords[] = {"wtime", "btime",    "winc",  "binc",   "movestogo",  "movetime",
                                         "depth", "nodes",    "mate",  "infinite", "ponder", "searchmoves"};
    for (const char* k : kWords)
        if (strcmp(w, k) == 0) return true;
    return false;
}

// The moves after "searchmoves", up to the next keyword, become the root's
// moves; one that is not legal here is reported and left out. Returns the
// index of the last word read.
int32_t readSearchMoves(const Tokens& t, int32_t i) {
    for (; i + 1 < t.count && !isGoKeyword(t[i + 1]); i++) {
        const Move m = legalMoveOfText(t[i + 1]);
        if (!m) {
            infoString("searchmoves: %.16s is not a legal move here and is ignored", t[i + 1]);
        } else {
            addSearchMove(m);
        }
    }
    return i;
}

// Reads the words of a "go". A keyword without a number after it is left
// out, with a word to the interface, and the search runs on what was read:
// every "go" gets its "bestmove".
void readGo(const Tokens& t, GoLimits& g) {
    struct Field {
        const char* word;
        int32_t* value;
    };
    int32_t nodes = -1;
    const Field fields[] = {
        {"wtime", &g.time[WHITE]},   {"btime", &g.time[BLACK]},   {"winc", &g.increment[WHITE]},
        {"binc", &g.increment[BLACK]}, {"movestogo", &g.movesToGo}, {"movetime", &g.moveTime},
        {"depth", &g.depth},         {"nodes", &nodes},           {"mate", &g.mate},
    };
    for (int32_t i = 1; i < t.count; i++) {
        const char* w = t[i];
        const Field* field = nullptr;
        for (const Field& f : fields)
            if (strcmp(w, f.word) == 0) field = &f;
        if (field) {
            if (!numberAfter(t, &i, field->value)) {
                infoString("missing or invalid number after %s; the word is ignored", w);
                continue;
            }
            if (field->value == &nodes) g.nodes = nodes;
            for (int32_t c : {WHITE, BLACK})
                if (field->value == &g.time[c]) g.clockGiven[c] = true;
        } else if (strcmp(w, "infinite") == 0) {
            g.infinite = true;
        } else if (strcmp(w, "ponder") == 0) {
            g.ponder = true;
        } else if (strcmp(w, "searchmoves") == 0) {
            i = readSearchMoves(t, i);
        }
    }
}

// Clock, depth and node limits, and the engine state, for the search to come.
// Times beyond two days are taken as two days, which keeps every deadline
// within the millisecond clock's range.
void applyGo(const GoLimits& g) {
    const int32_t us = gameBoard().pos.side;
    setNodeRate(0);
    setNodeLimit(g.nodes >= 0 ? uint32_t(std::clamp<int64_t>(g.nodes, 1, 4000000000LL)) : 0);
    setFixedSearch(gAllottedTime, g.depth >= 0 ? std::clamp(g.depth, 1, kDefaultSearchDepth) : kDefaultSearchDepth);
    if (g.moveTime >= 0)
        allotOnMoveTime(std::clamp(g.moveTime, 1, kLongestSearchMs));
    else if (g.clockGiven[us] && !g.infinite)
        allotOnUciClock(gameBoard(), std::min(g.time[us], kLongestSearchMs), std::clamp(g.increment[us], 0, kLongestSearchMs),
                        std::max(0, g.movesToGo), gUciMoveOverhead);
    else
        allotUnlimited();
    setEngineState(g.infinite ? ENGINE_ANALYZING : g.ponder ? ENGINE_PONDERING : ENGINE_NORMAL);
    setMateInMoves(std::clamp(g.mate, 0, kMaxPly / 2));
}

// The reply the engine expects to `move`, when it is legal after it; else 0.
Move expectedReply(Move move) {
    if (mainWorker().pvLength[0] < 2 || mainWorker().pvTable[0][0] != move) return 0;
    return legalReplyAfter(move, mainWorker().pvTable[0][1]);
}

void reportBestMove() {
    Move best = mainWorker().bestMove;
    if (best == 0) best = firstLegalMove(mainWorker());
    const Move reply = expectedReply(best);
    printf("bestmove %s", moveToText(best));
    if (reply) printf(" ponder %s", moveToText(reply));
    printf("\n");
    fflush(stdout);
}

// Mate or stalemate on the board: no move to search, and the score says which.
bool reportGameOver() {
    if (firstLegalMove(workerOnGame()) != 0) return false;
    printf("info depth 0 score %s\n", inCheck(gameBoard(), gameBoard().pos.side) ? "mate 0" : "cp 0");
    fflush(stdout);
    return true;
}

// What one go set for its search alone.
void forgetGoLimits() {
    setEngineState(ENGINE_NORMAL);
    setNodeLimit(0);
    setMateInMoves(0);
    clearSearchMoves();
    setFixedSearch(gAllottedTime, kDefaultSearchDepth);
}

// "go perft <depth>": the move-path count of the position, by root move.
void commandGoPerft(const Tokens& t) {
    int32_t depth;
    if (!readDecimal(t[2], &depth)) {
        infoString("missing or invalid number after %s", "perft");
        return;
    }
    perftDivide(gameBoard(), std::clamp(depth, 1, kMaxPerftDepth));
}

void commandGo(const Tokens& t) {
    if (strcmp(t[1], "perft") == 0) return commandGoPerft(t);
    GoLimits g;
    clearSearchMoves();
    const bool gameOver = reportGameOver();
    readGo(t, g);
    applyGo(g);
    clearStopRequest();
    if (!gameOver) think(workerOnGame(), OutputMode::Uci, SearchPurpose::GameMove);
    // An analysis or a ponder search that ended by itself waits for the
    // interface: the move is reported only after "stop" or "ponderhit".
    while (!gStopSearch && gEngineState != ENGINE_NORMAL) waitForUciCommand();
    // The move is found while the search moves still stand.
    if (gameOver)
        printf("bestmove 0000\n");
    else
        reportBestMove();
    fflush(stdout);
    forgetGoLimits();
}

void commandPosition(const Tokens& t) {
    char reason[128];
    if (const char* error = setUpPosition(t, reason, sizeof reason)) infoString("error: %s; position unchanged", error);
}

void commandUci(const Tokens&) {
    printf("id name %s\n", kEngineName);
    printf("id author the Morvantix developers\n");
    printUciOptions();
    printf("uciok\n");
    fflush(stdout);
}

void commandIsReady(const Tokens&) { printf("readyok\n"); }
void commandSetOption(const Tokens& t) { setUciOption(t.count, t.word); }
void commandNewGame(const Tokens&) { newGame(); }
void commandDisplay(const Tokens&) { displayBoard(gameBoard()); }
// Commands with nothing to do here: "stop" and "ponderhit" only matter while
// a search runs, where the input poll takes them.
void commandIgnored(const Tokens&) {}

struct Command {
    const char* word;
    void (*run)(const Tokens&);
};

const Command kCommands[] = {
    {"uci", commandUci},           {"isready", commandIsReady}, {"setoption", commandSetOption},
    {"ucinewgame", commandNewGame}, {"position", commandPosition}, {"go", commandGo},
    {"d", commandDisplay},         {"stop", commandIgnored},    {"ponderhit", commandIgnored},
    {"debug", commandIgnored},     {"register", commandIgnored},
};

// Runs one command line; false for "quit".
bool runCommand(const char* line, Tokens& t) {
    if (strlen(line) >= kUciLineSize - 1) {
        printf("info string error: a line of %zu characters or more is ignored\n", kUciLineSize - 1);
        fflush(stdout);
        return true;
    }
    t.split(line);
    if (t.overflow) {
        printf("info string error: a line of more than %d words is ignored\n", Tokens::kMaxWords);
        fflush(stdout);
        return true;
    }
    if (t.count == 0) return true;
    if (strcmp(t[0], "quit") == 0) return false;
    const Command* command = nullptr;
    for (const Command& c : kCommands)
        if (strcmp(t[0], c.word) == 0) command = &c;
    if (command)
        command->run(t);
    else
        infoString("unknown command %.64s", t[0]);
    fflush(stdout);
    return !gUciQuit;
}

}  // namespace

void uciLoop() {
    setvbuf(stdout, nullptr, _IONBF, 0);
    setInputPoll(pollUciInput);
    setMateStop(MATE_STOP_EXACT);
    resetUciInput();
    newGame();
    loadBitbasesIfOn();
    static Tokens tokens;
    commandUci(tokens);
    static char line[kUciLineSize];
    for (;;) {
        if (!takeQueuedCommand(line, sizeof line) && !inputReadLine(line, sizeof line)) break;
        if (!runCommand(line, tokens)) break;
    }
    setInputPoll(nullptr);
    setMateStop(MATE_STOP_SHORT);
    freeTables();
}
