// Comparing positions as make and unmake must leave them: every field bit for
// bit, except the order within a piece list (unmake restores the squares of a
// list, not their order) and so the list positions in listIndex, which the
// consistency checks compare with the lists themselves.
#pragma once
#include <algorithm>
#include <cstring>

#include "board/position.h"

// The position with each piece list sorted and its unused tail zeroed.
inline Position canonicalPosition(const Position& p) {
    Position c = p;
    for (int32_t colour = 0; colour < 2; colour++)
        for (int32_t kind = 0; kind < 6; kind++) {
            int8_t* list = c.pieceList[colour][kind];
            std::sort(list, list + c.pieceCount[colour][kind]);
            std::fill(list + c.pieceCount[colour][kind], list + 16, int8_t(0));
        }
    std::fill(c.listIndex, c.listIndex + 64, int8_t(0));
    return c;
}

inline bool samePosition(const Position& a, const Position& b) {
    const Position x = canonicalPosition(a), y = canonicalPosition(b);
    return memcmp(&x, &y, sizeof x) == 0;
}
