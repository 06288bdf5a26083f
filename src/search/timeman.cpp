#include "search/timeman.h"

int32_t gAllottedTime = 10000;
int32_t gMaxSearchDepth = 100;
