#include "support.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "board/fen.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/tables.h"

void setUp(const char* fen) {
    static bool tablesBuilt = false;
    if (!tablesBuilt) {
        initBoardTables();
        tablesBuilt = true;
    }
    setPosition(fen);
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

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}
