// King safety: the king's piece-square values scaled by the king parameters,
// pawn shelter and storm, castling, and the attacks on the king zones.
#pragma once
#include <cstdint>

#include "eval/evalstate.h"

// Per colour, set at the start of every search: it had castling rights then.
extern int32_t gCastleRightsAtRoot[2];
// Per colour: it is castling on the line the search is looking at.
extern int32_t gCastledInSearch[2];

// The start of a search from a position with these castling rights (the
// position's castle bits): no side has castled on the line yet.
void setCastlingAtRoot(int32_t castleRights);

// Piece-square values, shelter and storm of one king. Reads the behindPawn
// flags, so the pieces come first.
void evaluateKing(EvalState& e, int32_t colour);

// The storm and piece-behind-pawn sums weighed by PawnAttacksKing and
// PieceBehindPawnAttacksKing.
void weighKingAttacks(EvalState& e);

// Castling rights lost without castling, and castling in the search.
void castlingTerms(EvalState& e);

// The light attack on a king at the edge and the combinations of attackers in
// each king zone. Needs every attack map complete.
void kingZoneAttacks(EvalState& e);
