// Move generation into the board's move stack, shared by all plies. Every move is
// stored with the ordering score the searches pick by. Generation is
// pseudo-legal: makeMove rejects moves that leave the own king attacked.
#pragma once
#include <cstdint>

#include "board/board.h"
#include "board/types.h"

// Append one move with its ordering score (promotions become four moves).
void addMove(Board& bd, int32_t from, int32_t to, uint32_t flags);
// The same without exchange evaluation and without threat tests.
void addMoveQuick(Board& bd, int32_t from, int32_t to, uint32_t flags);

// The generators replace the list of the current ply.
void generateAllMoves(Board& bd);
void generateGoodCaptures(Board& bd);  // captures of a man of higher exchange rank
void generateOtherMoves(Board& bd);    // everything generateGoodCaptures leaves out
void generateCaptures(Board& bd);      // captures and promotion steps, for quiescence
void generateQuietChecks(Board& bd);   // non-captures giving a direct check
void generateEvasions(Board& bd);      // side to move in check by bd.checkerSquare[0]
void generateKingMoves(Board& bd);     // king moves only, for double check
void generateSingleMove(Board& bd, Move move);  // the move alone, if pseudo-legal

// True when the destination is unsafe for the man on `from`: attacked by an
// enemy pawn, or, for a rook, queen or king, by an enemy knight or bishop.
bool isThreatened(Board& bd, int32_t colour, int32_t from, int32_t to);
