#include "main/console.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "board/fen.h"
#include "board/notation.h"
#include "board/perft.h"
#include "board/position.h"
#include "config/config.h"
#include "eval/evaluate.h"
#include "eval/params.h"
#include "game/game.h"
#include "platform/input.h"
#include "protocol/gameresult.h"
#include "protocol/uci.h"
#include "protocol/xboard.h"
#include "search/stopcheck.h"
#include "search/think.h"
#include "search/threads.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "setup/tables.h"
#include "tools/bench.h"
#include "tools/filebench.h"
#include "tools/fine70.h"
#include "tools/profile.h"
#include "tools/symmetry.h"
#include "tools/testpos.h"
#include "game/gameboard.h"
#include "search/worker.h"
#include "session/session.h"

namespace {

constexpr int32_t kNoSide = -1;
constexpr size_t kWordSize = 256;

// The loop's own state: which colour the engine plays, if any.
struct Console {
    int32_t computerSide = kNoSide;
    bool done = false;
    int exitStatus = 0;
};

// Reads the numeric argument of a command; reports a missing one. The word
// that failed to read stays in the input and is read as the next command.
bool readNumber(const char* command, int32_t* value) {
    if (inputReadInt(value)) return true;
    printf("# %s: missing or invalid number\n", command);
    return false;
}

void commandPlay(Console& c) {
    c.computerSide = gameBoard().pos.side;
}

void commandEval(Console&) {
    printf("posEval = %d, sideToMove = %d\n", evaluate(workerOnGame(), -MATE_VALUE, MATE_VALUE), gameBoard().pos.side);
}

void commandSetvalue(Console&) {
    char name[kWordSize];
    int32_t value;
    if (!inputReadWord(name, sizeof name) || !inputReadInt(&value)) {
        printf("Error reading initstr\n");
        return;
    }
    setTunable(name, value);
}

void commandFen(Console&) {
    char fen[kFenTextSize];
    writeFenText(gameBoard(), fen);
    printf("%s\n", fen);
}

void commandSetboard(Console&) {
    char rest[kWordSize];
    if (!inputReadLine(rest, sizeof rest)) rest[0] = '\0';
    const char* fen = rest[0] ? rest + 1 : rest;
    printf("%s\n", fen);
    startGame(fen);
}

void commandTes(Console&) {
    char file[kWordSize];
    int32_t lines;
    if (!inputReadWord(file, sizeof file) || !readNumber("tes", &lines)) return;
    runSymmetryFile(file, lines);
}

void commandFileBench(Console&) {
    char file[kWordSize];
    int32_t n, depth;
    if (!inputReadWord(file, sizeof file) || !inputReadInt(&n) || !inputReadInt(&depth)) {
        printf("Usage: file-bench [file_name] [pos_num] [search_depth]\n");
        return;
    }
    runFileBench(file, n, depth);
}

void commandStop(Console& c) {
    c.computerSide = kNoSide;
}

void commandSt(Console&) {
    int32_t n;
    if (!readNumber("st", &n)) return;
    n = std::clamp(n, 1, kLongestSearchMs / 1000);
    printf("# search time is %d sec\n", n);
    setFixedSearch(n * 1000, gMaxSearchDepth);
}

void commandSd(Console&) {
    int32_t n;
    if (!readNumber("sd", &n)) return;
    n = std::clamp(n, 1, 100);
    setFixedSearch(gAllottedTime, n);
    printf("# search depth is %d %s\n", n, n == 1 ? "ply" : "plies");
}

void commandPerft(Console& c) {
    int32_t n;
    if (!readNumber("perft", &n)) return;
    n = std::clamp(n, 1, kMaxPerftDepth);
    setFixedSearch(gAllottedTime, n);
    displayBoard(gameBoard());
    perft(gameBoard(), n);
    c.computerSide = kNoSide;
}

void commandUndo(Console& c) {
    if (gameBoard().pos.hply <= gameBoard().setupPly) return;
    takeBackMoves(1);
    c.computerSide = kNoSide;
}

void commandNew(Console& c) {
    startGame(kStartFen);
    c.computerSide = kNoSide;
}

void commandDisplay(Console&) {
    displayBoard(gameBoard());
}

void commandBye(Console& c) {
    printf("Bye bye!\n");
    freeTables();
    c.done = true;
    c.exitStatus = 0;
}

void commandFine70(Console& c) {
    int32_t n;
    if (!readNumber("fine70", &n)) return;
    n = std::clamp(n, 1, 100);
    setFixedSearch(gAllottedTime, n);
    runFine70(n);
    c.computerSide = kNoSide;
}

void commandTestpos(Console& c) {
    runTestPositions();
    c.computerSide = kNoSide;
}

void commandBench(Console& c) {
    int32_t n;
    if (!readNumber("bench", &n)) return;
    runBench(std::clamp(n, -1, 10));
    c.computerSide = kNoSide;
}

void commandSymtestpos(Console& c) {
    runSymmetryPositions();
    c.computerSide = kNoSide;
}

void commandProfile(Console& c) {
    runProfile();
    c.computerSide = kNoSide;
}

void commandXboard(Console& c) {
    xboardLoop();
    c.done = true;
    c.exitStatus = 0;
}

void commandUci(Console& c) {
    uciLoop();
    c.done = true;
    c.exitStatus = 0;
}

void commandHelp(Console&) {
    static const char* const lines[] = {
        "[COMMANDS]\n",
        "play       : computer plays for the side to move\n",
        "stop       : computer stops playing\n",
        "st n       : search for n seconds per move\n",
        "sd n       : search n ply per move\n",
        "level x y z: x = no. of moves to time control\n",
        "             y = time in minutes\n",
        "             z = increment in seconds\n",
        "             level command will work only in xboard mode\n",
        "undo       : takes back a move\n",
        "new        : starts a new game\n",
        "d          : display the board\n",
        "tes f n    : tes=test eval symmetry\n             usage: \"tes filename.ext numPos\"\n",
        "bye        : exit the program\n",
        "xboard     : switch to XBoard mode\n",
        "Enter moves like, e2e4, promotion: e7e8Q\n",
    };
    for (const char* line : lines) printf("%s", line);
}

// A word that is no command: a move in coordinate form.
void moveInput(const char* word) {
    if (gameBoard().pos.hply >= kMaxGamePly) {
        printf("# The move history is full; start a new game.\n");
        return;
    }
    const Move move = typedMove(word);
    if (!move || !playMove(move)) {
        printf("Illegal move.\n");
        return;
    }
    recordGameMove(move, 0);
    checkGameResult();
}

struct Command {
    const char* word;
    void (*run)(Console&);
};

// In matching order; the first word that matches runs.
const Command kCommands[] = {
    {"play", commandPlay},
    {"eval", commandEval},
    {"setvalue", commandSetvalue},
    {"fen", commandFen},
    {"setboard", commandSetboard},
    {"tes", commandTes},
    {"file-bench", commandFileBench},
    {"stop", commandStop},
    {"st", commandSt},
    {"sd", commandSd},
    {"perft", commandPerft},
    {"undo", commandUndo},
    {"new", commandNew},
    {"d", commandDisplay},
    {"fine70", commandFine70},
    {"testpos", commandTestpos},
    {"bench", commandBench},
    {"profile", commandProfile},
    {"symtestpos", commandSymtestpos},
    {"bye", commandBye},
    {"xboard", commandXboard},
    {"uci", commandUci},
    {"help", commandHelp},
};

// The engine's own move: search, make, report, record.
void engineMove(Console& c) {
    think(workerOnGame(), OutputMode::Console, SearchPurpose::GameMove);
    if (mainWorker().bestMove == 0) {
        printf("(no legal moves)\n");
        c.computerSide = kNoSide;
        return;
    }
    if (gameBoard().pos.hply >= kMaxGamePly) {
        printf("# The move history is full; start a new game.\n");
        c.computerSide = kNoSide;
        return;
    }
    const Move move = mainWorker().bestMove;
    playMove(move);
    if (!mainWorker().bookMoveFlag) {
        // The rate is thousands of nodes per second; a search that took less
        // than a millisecond is counted as one millisecond.
        const int32_t elapsed = elapsedMs();
        const double rate = double(nodesOfAllWorkers(mainWorker())) / double(elapsed > 0 ? elapsed : 1);
        printf("# Tm=%d ms, NPS=%0.0fK, Mv=%s, Val=%d, Hply=%d, Fifty=%d\n", elapsed, rate, moveToText(move),
               mainWorker().lastScore, gameBoard().pos.hply, gameBoard().pos.fifty);
        printf("\n");
    }
    if (gameBoard().pos.hply & 1)
        printf("%d. %s\n", gameBoard().pos.hply, moveToText(move));
    else
        printf("%d. ... %s\n", gameBoard().pos.hply, moveToText(move));
    recordGameMove(move, mainWorker().lastScore);
    checkGameResult();
    fflush(stdout);
}

}  // namespace

int consoleLoop() {
    Console console;
    char word[kWordSize];
    while (!console.done) {
        fflush(stdout);
        if (console.computerSide == gameBoard().pos.side) {
            engineMove(console);
            if (console.computerSide == gameBoard().pos.side) continue;
        }
        if (!inputReadWord(word, sizeof word)) return 0;
        bool matched = false;
        for (const Command& command : kCommands) {
            if (strcmp(word, command.word) != 0) continue;
            command.run(console);
            matched = true;
            break;
        }
        if (!matched) moveInput(word);
    }
    fflush(stdout);
    return console.exitStatus;
}
