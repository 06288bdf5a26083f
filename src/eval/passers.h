// Passed pawns: their value by rank and phase, king proximity, protection and
// connection, unstoppable and blocked passers, king and pawn against king, and
// the passer majority terms applied after the king evaluation.
#pragma once
#include <cstdint>

#include "eval/evalboard.h"

#include "eval/evalstate.h"

// The passed pawns of both colours (bit numbers), from the pawn rows.
uint64_t passedPawns(EvalBoard& w, const EvalState& e);

// The passer terms of one colour's passed pawns (White's, then Black's): the
// unstoppable-passer bonus found so far is added again after every pawn of the
// colour in piece-list order.
void evaluatePassers(EvalBoard& w, EvalState& e, int32_t colour, uint64_t passers);

// Passers on both wings and passer majorities when the defender has at most
// a minor piece.
void passerMajority(EvalBoard& w, EvalState& e);
