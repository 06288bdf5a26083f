// Passed pawns: their value by rank and phase, king proximity, protection and
// connection, unstoppable and blocked passers, king and pawn against king, and
// the passer majority terms applied after the king evaluation.
#pragma once
#include <cstdint>

#include "eval/evalstate.h"

// The passer terms of one pawn, run in the per-pawn loop (White's pawns, then
// Black's, in piece-list order): the unstoppable-passer bonus found so far is
// added again after every pawn, so the order matters.
void evaluatePasser(EvalState& e, int32_t colour, int32_t sq);

// Passers on both wings and passer majorities when the defender has at most
// a minor piece.
void passerMajority(EvalState& e);
