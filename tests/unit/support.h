// Helpers shared by the unit tests.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/types.h"
#include "search/worker.h"

// Builds the engine's tables once and sets up the position (a FEN text) as a
// new game, with the main worker's board in the same position.
void setUp(const char* fen);

// Output of everything printed to stdout between construction and finish().
class CaptureStdout {
public:
    CaptureStdout();
    ~CaptureStdout();
    std::string finish();

private:
    int saved_ = -1;
    void* file_ = nullptr;
};

// The moves of the current ply's list, in list order.
std::vector<Move> listedMoves(const Board& board = mainWorker());
std::vector<int32_t> listedScores();

// The moves of the current ply's list that makeMove accepts.
std::set<Move> legalOf(const std::vector<Move>& moves);

// Every legal move of the current position (generateAllMoves + makeMove).
std::set<Move> legalMoves();

// Move word from coordinate text such as "e2e4" as the full generator lists it
// in the board's position (0 when absent).
Move findMove(const char* text, Board& board = mainWorker());

// Sets up the position and plays the moves (coordinate text) on the game
// board, as a game would, keeping the main worker's board in step.
void playMoves(const char* fen, std::initializer_list<const char*> moves);

// Lines of a text file, without line ends.
std::vector<std::string> readLines(const std::string& path);

// The colour mirror of a FEN (four fields): colours swapped, ranks flipped,
// the other side to move, castling rights and en-passant square mirrored.
std::string mirrorFen(const std::string& fen);

// Positions of random games from each start (FEN without counters): every
// `every`-th of the first `plies` positions of each game.
std::vector<std::string> randomPlayPositions(std::initializer_list<const char*> starts, int games, int plies,
                                             int every, unsigned seed);

// Positions reached by random play from a few varied openings (several
// thousand, FEN without counters); the same list on every call.
const std::vector<std::string>& randomPositions();

// Allocates small hash tables (once): 2048 table entries, a 1 MB evaluation cache.
void setUpTables();

// Runs in a fresh temporary working directory for its lifetime (files the
// engine reads and writes are relative to it), then returns.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    std::string previous_;
};

// Whole file as bytes ("" when missing).
std::string readFileText(const std::string& path);
