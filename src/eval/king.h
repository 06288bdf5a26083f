// King terms of the evaluation: piece-square values scaled by the king table
// parameters.
#pragma once
#include <cstdint>

#include "eval/evalstate.h"

void evaluateKing(EvalState& e, int32_t colour);
