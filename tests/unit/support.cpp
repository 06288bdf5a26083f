#include "support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

#include "board/fen.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/tables.h"
#include "config/config.h"
#include "setup/gamestart.h"
#include "setup/tables.h"

void setUp(const char* fen) {
    static bool tablesBuilt = false;
    if (!tablesBuilt) {
        initBoardTables();
        tablesBuilt = true;
    }
    setUpTables();
    startGame(fen);
}

CaptureStdout::CaptureStdout() {
    fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    FILE* f = tmpfile();
    file_ = f;
    dup2(fileno(f), STDOUT_FILENO);
}

CaptureStdout::~CaptureStdout() {
    if (file_) finish();
}

std::string CaptureStdout::finish() {
    fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
    FILE* f = static_cast<FILE*>(file_);
    file_ = nullptr;
    rewind(f);
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    fclose(f);
    return text;
}

std::vector<Move> listedMoves() {
    std::vector<Move> moves;
    for (int32_t i = gFirstMove[gPos.ply]; i < gFirstMove[gPos.ply + 1]; i++) moves.push_back(gMoveStack[i].move);
    return moves;
}

std::vector<int32_t> listedScores() {
    std::vector<int32_t> scores;
    for (int32_t i = gFirstMove[gPos.ply]; i < gFirstMove[gPos.ply + 1]; i++) scores.push_back(gMoveStack[i].score);
    return scores;
}

std::set<Move> legalOf(const std::vector<Move>& moves) {
    std::set<Move> legal;
    for (Move m : moves) {
        if (!makeMove(m)) continue;
        unmakeMove();
        legal.insert(m);
    }
    return legal;
}

std::set<Move> legalMoves() {
    generateAllMoves();
    return legalOf(listedMoves());
}

Move findMove(const char* text) {
    generateAllMoves();
    for (Move m : listedMoves())
        if (std::string(moveToText(m)) == text) return m;
    return 0;
}

void playMoves(const char* fen, std::initializer_list<const char*> moves) {
    setUp(fen);
    for (const char* m : moves) {
        const Move move = findMove(m);
        EXPECT_NE(move, 0u) << m;
        makeMove(move);
        gPos.ply = 0;
    }
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::string mirrorFen(const std::string& fen) {
    std::stringstream in(fen);
    std::string board, side, castle, ep;
    in >> board >> side >> castle >> ep;
    std::vector<std::string> ranks;
    std::stringstream rs(board);
    for (std::string r; std::getline(rs, r, '/');) ranks.push_back(r);
    std::string out;
    for (size_t i = ranks.size(); i-- > 0;) {
        for (char c : ranks[i]) out += char(isupper(static_cast<unsigned char>(c)) ? tolower(c) : toupper(c));
        if (i) out += '/';
    }
    out += side == "w" ? " b " : " w ";
    std::string rights;
    for (char c : std::string("KQkq")) {
        char mirrored = char(isupper(static_cast<unsigned char>(c)) ? tolower(c) : toupper(c));
        if (castle.find(mirrored) != std::string::npos) rights += c;
    }
    out += rights.empty() ? "-" : rights;
    out += ' ';
    if (ep == "-") out += "-";
    else out += std::string(1, ep[0]) + char('9' - (ep[1] - '0'));
    return out;
}

std::vector<std::string> randomPlayPositions(std::initializer_list<const char*> starts, int games, int plies,
                                             int every, unsigned seed) {
    std::vector<std::string> positions;
    std::mt19937 random(seed);
    for (const char* fen : starts)
        for (int game = 0; game < games; game++) {
            setUp(fen);
            for (int ply = 0; ply < plies; ply++) {
                if (ply % every == 0) {
                    char text[kFenTextSize];
                    writeFenText(text);
                    positions.push_back(text);
                }
                std::set<Move> legal = legalMoves();
                if (legal.empty()) break;
                auto it = legal.begin();
                std::advance(it, random() % legal.size());
                makeMove(*it);
                gPos.ply = 0;
            }
        }
    return positions;
}

const std::vector<std::string>& randomPositions() {
    static const std::vector<std::string> positions = randomPlayPositions(
        {
            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
            "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
            "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -",
            "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - -",
        },
        30, 60, 1, 7);
    return positions;
}

void setUpTables() {
    static bool allocated = false;
    if (allocated) return;
    // Small tables: every set-up zero-fills them.
    CaptureStdout quiet;
    allocateTables(0, 1);
    allocated = true;
}

TempWorkDir::TempWorkDir() {
    char templ[] = "/tmp/morvantix-unit-XXXXXX";
    path_ = mkdtemp(templ);
    char cwd[4096];
    previous_ = getcwd(cwd, sizeof cwd) ? cwd : "/tmp";
    if (chdir(path_.c_str()) != 0) path_ = previous_;
}

TempWorkDir::~TempWorkDir() {
    if (chdir(previous_.c_str()) != 0) return;
    std::string command = "rm -rf '" + path_ + "'";
    if (system(command.c_str()) != 0) return;
}

std::string readFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
