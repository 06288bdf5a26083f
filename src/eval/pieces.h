// Knights, bishops, rooks and queens: material and piece-square values.
#pragma once
#include <cstdint>

#include "eval/evalstate.h"

void evaluateKnights(EvalState& e, int32_t colour);
void evaluateBishops(EvalState& e, int32_t colour);
void evaluateRooks(EvalState& e, int32_t colour);
void evaluateQueens(EvalState& e, int32_t colour);
