// Pawn terms: the per-file pawn rows, the pawn-structure score (doubled,
// isolated, backward and side-by-side pawns) and the other pawn-only facts
// cached in the pawn hash, and the work done for the pawns at every call.
#pragma once
#include <cstdint>

#include "eval/evalboard.h"

#include "eval/evalstate.h"
#include "eval/pawnhash.h"

// Fills pawnRear and pawnFront from the pawn lists.
void fillPawnRows(EvalBoard& w, EvalState& e);

// What the pawns alone decide (structure score, square-value sums, light-square
// counts, passed pawns), from the pawn hash or computed and stored. Only
// called when there are pawns on the board, after fillPawnRows.
PawnHashEntry pawnFacts(EvalBoard& w, const EvalState& e);

// The structure score from White's point of view.
int32_t pawnStructure(EvalBoard& w, const PawnHashEntry& facts);

// Material, blocked centre pawns, piece-square values, square-colour counts,
// the attack map and the passed-pawn terms of one colour's pawns.
void evaluatePawns(EvalBoard& w, EvalState& e, int32_t colour, const PawnHashEntry& facts);
