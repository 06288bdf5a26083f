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
#include "game/gameboard.h"
#include "search/worker.h"

void setUp(const char* fen) {
    static bool tablesBuilt = false;
    if (!tablesBuilt) {
        initBoardTables();
        tablesBuilt = true;
    }
    setUpTables();
    startGame(fen);
    workerOnGame();
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

std::vector<Move> listedMoves(const Board& board) {
    std::vector<Move> moves;
    const int32_t ply = board.pos.ply;
    for (int32_t i = board.firstMove[ply]; i < board.firstMove[ply + 1]; i++) moves.push_back(board.moveStack[i].move);
    return moves;
}

std::vector<int32_t> listedScores() {
    std::vector<int32_t> scores;
    for (int32_t i = mainWorker().firstMove[mainWorker().pos.ply]; i < mainWorker().firstMove[mainWorker().pos.ply + 1]; i++) scores.push_back(mainWorker().moveStack[i].score);
    return scores;
}

std::set<Move> legalOf(const std::vector<Move>& moves) {
    std::set<Move> legal;
    for (Move m : moves) {
        if (!makeMove(mainWorker(), m)) continue;
        unmakeMove(mainWorker());
        legal.insert(m);
    }
    return legal;
}

std::set<Move> legalMoves() {
    generateAllMoves(mainWorker());
    return legalOf(listedMoves());
}

Move findMove(const char* text, Board& board) {
    generateAllMoves(board);
    for (Move m : listedMoves(board))
        if (std::string(moveToText(m)) == text) return m;
    return 0;
}

void playMoves(const char* fen, std::initializer_list<const char*> moves) {
    setUp(fen);
    for (const char* m : moves) {
        const Move move = findMove(m);
        EXPECT_NE(move, 0u) << m;
        makeMove(gameBoard(), move);
        gameBoard().pos.ply = 0;
        workerOnGame();
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
                    writeFenText(mainWorker(), text);
                    positions.push_back(text);
                }
                std::set<Move> legal = legalMoves();
                if (legal.empty()) break;
                auto it = legal.begin();
                std::advance(it, random() % legal.size());
                makeMove(mainWorker(), *it);
                mainWorker().pos.ply = 0;
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
