// Move generation into one global move stack shared by all plies. Every move is
// stored with the ordering score the searches pick by. Generation is
// pseudo-legal: makeMove rejects moves that leave the own king attacked.
#pragma once
#include <cstdint>

#include "board/types.h"

struct ScoredMove {
    Move move;
    int32_t score;
};

constexpr int32_t kMoveStackSize = 100000;

extern ScoredMove gMoveStack[kMoveStackSize];
// The moves of ply p are gMoveStack[gFirstMove[p] .. gFirstMove[p + 1] - 1].
extern int32_t gFirstMove[kMaxPly + 1];

// Append one move with its ordering score (promotions become four moves).
void addMove(int32_t from, int32_t to, uint32_t flags);
// The same without exchange evaluation and without threat tests.
void addMoveQuick(int32_t from, int32_t to, uint32_t flags);

// The generators replace the list of the current ply.
void generateAllMoves();
void generateGoodCaptures();  // captures of a man of higher exchange rank
void generateOtherMoves();    // everything generateGoodCaptures leaves out
void generateCaptures();      // captures and promotion steps, for quiescence
void generateQuietChecks();   // non-captures giving a direct check
void generateEvasions();      // side to move in check by gCheckerSquare[0]
void generateKingMoves();     // king moves only, for double check
void generateSingleMove(Move move);  // the move alone, if pseudo-legal

// True when the destination is unsafe for the man on `from`: attacked by an
// enemy pawn, or, for a rook, queen or king, by an enemy knight or bishop.
bool isThreatened(int32_t colour, int32_t from, int32_t to);
