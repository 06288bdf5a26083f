// The rules of chess for positions of a few men, written for the bitbase tests
// independently of the library: legality, legal moves (promotions, double
// steps, captures) and a brute-force mate search.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>

namespace egbbtest {

enum Colour { kWhite = 0, kBlack = 1 };

// Piece codes as the library takes them. The library gets the kings by square
// alone; here they have the codes 1 and 7 so that every man is a Unit.
enum Code {
    kEmpty = 0,
    kWhiteKing = 1, kWhiteQueen, kWhiteRook, kWhiteBishop, kWhiteKnight, kWhitePawn,
    kBlackKing = 7, kBlackQueen, kBlackRook, kBlackBishop, kBlackKnight, kBlackPawn,
};

// The value the library gives for "no value".
constexpr int kNoValue = 99999;
constexpr int kMateScore = 29000;

struct Unit {
    int code;
    int square;
};

struct Position {
    int side = kWhite;  // to move
    std::array<Unit, 5> units{};  // [0] the white king, [1] the black king, then the other men
    int count = 2;
};

// Square number (a1 = 0, h8 = 63) of a name such as "e4".
int sq(const char* name);
std::string squareName(int square);

Position makePosition(int side, int whiteKing, int blackKing, std::initializer_list<Unit> men = {});
std::string describe(const Position& p);

int colourOf(int code);
// 1 king, 2 queen, 3 rook, 4 bishop, 5 knight, 6 pawn.
int typeOf(int code);

bool inCheck(const Position& p, int colour);
// Men on distinct squares, no pawn on the first or last rank, the side not to
// move not in check (which also keeps the kings apart).
bool isLegal(const Position& p);

// The positions after each legal move. Room for the most a side can have here:
// a queen's 27 moves and a king's 8, or a pawn's 3 moves times 4 promotions.
struct MoveList {
    std::array<Position, 40> items;
    int size = 0;
    const Position* begin() const { return items.data(); }
    const Position* end() const { return items.data() + size; }
    bool empty() const { return size == 0; }
};
MoveList legalMoves(const Position& p);

// The same position with the board turned top to bottom and the colours
// exchanged; and with the board turned left to right.
Position colourMirrored(const Position& p);
Position fileMirrored(const Position& p);

// The value of a parent position given the value of the position after one of
// its moves (both from their own side to move's point of view).
int valueThroughMove(int childValue);

// Brute-force mate search by iterative deepening: the score (kMateScore - n for
// mating in n plies, -(kMateScore - n) for being mated in n) of the shortest
// forced mate within maxPlies plies, or nothing if there is none.
std::optional<int> bruteForceMate(const Position& p, int maxPlies);

}  // namespace egbbtest
