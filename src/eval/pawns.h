// Pawn terms: the per-file pawn rows, the pawn-structure score (doubled,
// isolated, backward and side-by-side pawns, cached in the pawn hash) and the
// work done for every pawn at every call.
#pragma once
#include <cstdint>

#include "eval/evalstate.h"

// Fills pawnRear and pawnFront from the pawn lists.
void fillPawnRows(EvalState& e);

// The structure score from White's point of view, from the pawn hash or
// computed and stored. Only called when there are pawns on the board.
int32_t pawnStructure(const EvalState& e);

// Material, blocked centre pawns, piece-square values, square-colour counts,
// the attack map and the passed-pawn terms of one colour's pawns.
void evaluatePawns(EvalState& e, int32_t colour);
