#include "board/quietorder.h"

uint32_t gHistoryValue[2][6][64];
Move gKiller1[kMaxPly];
Move gKiller2[kMaxPly];
Move gMateKiller[kMaxPly];
