// Move-ordering tables of the search: history values, tried and cut counts,
// killers and mate killers per ply, and the principal-variation table. The move
// generators read the killers and the history when they score quiet moves.
#pragma once
#include <cstdint>

#include "board/types.h"

// By mover's colour, piece code and destination square.
extern uint32_t gHistoryValue[2][6][64];
extern uint32_t gTriedCount[2][6][64];
extern uint32_t gCutCount[2][6][64];

// By ply.
extern Move gKiller1[kMaxPly];
extern Move gKiller2[kMaxPly];
extern Move gMateKiller[kMaxPly];
