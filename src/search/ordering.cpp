#include "search/ordering.h"

uint32_t gHistoryValue[2][6][64];
uint32_t gTriedCount[2][6][64];
uint32_t gCutCount[2][6][64];
Move gKiller1[kMaxPly];
Move gKiller2[kMaxPly];
Move gMateKiller[kMaxPly];
