// Material terms of the evaluation: redundancy of like pieces, the bare-king
// endings and the scaling of drawish material.
#pragma once
#include <cstdint>

#include "eval/evalboard.h"

#include "eval/evalstate.h"

void materialRedundancy(EvalState& e);
void bareKingEndings(EvalBoard& w, EvalState& e);

// The score after the draw rules of the material on the board.
int32_t scaleDrawish(EvalState& e, int32_t score);
