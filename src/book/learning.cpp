#include "book/learning.h"

int32_t gBookExitIndex = 0;
int32_t gLearnCheckPly = 0;

void writeOutOfBookPosition(int32_t) {}

void checkBadLine() {}

void writeLearnedLine(int32_t) {}
