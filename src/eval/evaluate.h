// The static evaluation.
#pragma once
#include <cstdint>

#include "eval/evalboard.h"

// Score of the worker's position in centipawns from the side to move's point of
// view. alpha and beta serve only the lazy exit: a zero-window or full-window
// call far outside the window may return the bare material balance.
int32_t evaluate(EvalBoard& w, int32_t alpha, int32_t beta);
