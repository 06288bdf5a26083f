// Fuzz target: the console and XBoard command interpreters. Each input is a
// script read as standard input from a fresh start (initial position, default
// parameters, small tables) in a working directory holding a position file
// and a file of mirrored pairs.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include <strings.h>
#include <unistd.h>

#include "board/fen.h"
#include "board/movegen.h"
#include "board/tables.h"
#include "config/config.h"
#include "eval/king.h"
#include "eval/params.h"
#include "game/game.h"
#include "main/console.h"
#include "memory_input.h"
#include "platform/input.h"
#include "search/stopcheck.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "setup/tables.h"
#include "search/worker.h"

namespace {

constexpr size_t kMaxScript = 4096;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// The words of the script as the engine reads them: separated by blanks, and
// compared with command words only up to a NUL byte.
std::vector<std::string> wordsOf(const uint8_t* data, size_t size) {
    std::vector<std::string> words;
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (size_t i = 0; i < text.size();) {
        while (i < text.size() && isBlank(text[i])) i++;
        const size_t start = i;
        while (i < text.size() && !isBlank(text[i])) i++;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

// The number a word starts with (sign and up to 12 digits), 0 when none.
long numberIn(const std::string& word) {
    size_t i = word[0] == '+' || word[0] == '-' ? 1 : 0;
    long value = 0;
    for (size_t digits = 0; i < word.size() && word[i] >= '0' && word[i] <= '9' && digits < 12; digits++)
        value = value * 10 + (word[i++] - '0');
    return value;
}

// The words of one UCI command line as the UCI driver reads them: separated
// by blanks and tabs, each compared only up to a NUL byte.
std::vector<std::string> uciWordsOf(const std::string& line) {
    std::vector<std::string> words;
    for (size_t i = 0; i < line.size();) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) i++;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') i++;
        if (i > start) {
            const std::string word = line.substr(start, i - start);
            words.push_back(word.substr(0, word.find('\0')));
        }
    }
    return words;
}

// A UCI "go" that ends soon: an analysis or a ponder search (the end of the
// script stops them), or a small depth, node, time or clock limit. A plain
// "go" or "go mate N" would search for two days.
bool goEndsSoon(const std::vector<std::string>& w) {
    bool clock[2] = {false, false};
    for (size_t i = 1; i < w.size(); i++) {
        if (w[i] == "infinite" || w[i] == "ponder") return true;
        const long n = i + 1 < w.size() && !w[i + 1].empty() ? numberIn(w[i + 1]) : 1L << 40;
        if ((w[i] == "depth" && n <= 6) || (w[i] == "nodes" && n <= 100000) || (w[i] == "movetime" && n <= 200))
            return true;
        if (w[i] == "wtime" || w[i] == "btime") clock[w[i] == "btime"] = n <= 5000;
    }
    return clock[0] && clock[1];
}

// Scripts that ask for work no fuzzing run can wait for are skipped (slow as
// asked, not wrong): perft has no stop check, so more than 3 plies of it; a
// node rate, which replaces the clock by a node budget of rate x time; a
// table of more than 64 MB; and, once the script has said "uci", a search
// without a small limit.
bool asksForTooMuch(const uint8_t* data, size_t size) {
    const std::vector<std::string> words = wordsOf(data, size);
    for (size_t i = 0; i + 1 < words.size(); i++) {
        const std::string command = words[i].substr(0, words[i].find('\0'));
        if (command == "perft" && numberIn(words[i + 1]) > 3) return true;
        if (command == "nps" && numberIn(words[i + 1]) > 10) return true;
        if (i > 0 && command == "value" && numberIn(words[i + 1]) > 64 && strcasecmp(words[i - 1].c_str(), "hash") == 0)
            return true;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    bool uci = false;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> w = uciWordsOf(line);
        for (const std::string& word : wordsOf(reinterpret_cast<const uint8_t*>(line.data()), line.size()))
            if (word.substr(0, word.find('\0')) == "uci") uci = true;
        if (uci && !w.empty() && w[0] == "go" && !goEndsSoon(w)) return true;
        start = end + 1;
    }
    return false;
}

void writeFile(const char* name, const char* text) {
    if (FILE* f = fopen(name, "w")) {
        fputs(text, f);
        fclose(f);
    }
}

// A fresh start, as start-up makes it, without reading files.
void startAfresh() {
    allocateTables(0, 1);
    setTunableDefaults();
    startGame(kStartFen);
    generateAllMoves(mainWorker());
    setFixedSearch(10000, kDefaultSearchDepth);
    gTimeControlType = TIME_CONTROL_NONE;
    setEngineState(ENGINE_NORMAL);
    setNodeRate(0);
    clearStopRequest();
    mainWorker().castleRightsAtRoot[0] = mainWorker().castleRightsAtRoot[1] = 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The files the console writes go to a folder of this run, removed at exit.
    static char dir[] = "/tmp/morvantix-fuzz-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) abort();
    atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    });
    writeFile("positions.epd",
              "rnbqkb1r/pppp1ppp/5n2/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 3\n"
              "8/5p1k/6pp/R7/8/Pr3PP1/5K1P/8 w - - 0 39\nshort\n8/k7/3p4/p2P1p2/P2P1P2/8/8/K7 w - - 0 1\n");
    writeFile("pairs.fen",
              "8/5p1k/6pp/R7/8/Pr3PP1/5K1P/8 w - - 0 39\n8/5k1p/pR3pp1/8/r7/6PP/5P1K/8 b - - 0 39\n");
    if (!freopen("/dev/null", "w", stdout)) abort();
    initBoardTables();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxScript || asksForTooMuch(data, size)) return 0;
    setMemoryInput(data, size);
    inputRestart();
    startAfresh();
    consoleLoop();
    freeTables();
    return 0;
}
