// The tables the move generator scores quiet moves by: history values and
// the killers of each ply. The search's ordering module fills and resets
// them; the generator only reads them.
#pragma once
#include <cstdint>

#include "board/types.h"

// By mover's colour, piece code and destination square.
extern uint32_t gHistoryValue[2][6][64];

// By ply.
extern Move gKiller1[kMaxPly];
extern Move gKiller2[kMaxPly];
extern Move gMateKiller[kMaxPly];
