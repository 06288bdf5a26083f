// King safety: the king's piece-square values scaled by the king parameters,
// pawn shelter and storm, castling, and the attacks on the king zones.
#pragma once
#include <cstdint>

#include "eval/evalboard.h"
#include "eval/evalstate.h"

// The start of a search from a position with these castling rights (the
// position's castle bits): no side has castled on the line yet.
void setCastlingAtRoot(EvalBoard& w, int32_t castleRights);

// The colour castles on the line searched (or the castling is taken back).
inline void setCastledInSearch(EvalBoard& w, int32_t colour, bool castled) { w.castledInSearch[colour] = castled; }

// Piece-square values, shelter and storm of one king. Reads the behindPawn
// flags, so the pieces come first.
void evaluateKing(EvalBoard& w, EvalState& e, int32_t colour);

// The storm and piece-behind-pawn sums weighed by PawnAttacksKing and
// PieceBehindPawnAttacksKing.
void weighKingAttacks(EvalState& e);

// Castling rights lost without castling, and castling in the search.
void castlingTerms(EvalBoard& w, EvalState& e);

// The light attack on a king at the edge and the combinations of attackers in
// each king zone. Needs every attack map complete.
void kingZoneAttacks(EvalBoard& w, EvalState& e);
