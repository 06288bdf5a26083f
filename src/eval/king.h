// King terms of the evaluation: piece-square values scaled by the king table
// parameters.
#pragma once
#include <cstdint>

#include "eval/evalstate.h"

// Per colour, set at the start of every search: it had castling rights then.
extern int32_t gCastleRightsAtRoot[2];
// Per colour: it is castling on the line the search is looking at.
extern int32_t gCastledInSearch[2];

void evaluateKing(EvalState& e, int32_t colour);
