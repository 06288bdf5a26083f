#include "board/notation.h"

#include <cstdio>

#include "board/movegen.h"

const char* moveToText(Move move) {
    static char text[8];
    const int32_t from = moveFrom(move);
    const int32_t to = moveTo(move);
    text[0] = char('a' + (from & 7));
    text[1] = char('0' + 8 - (from >> 3));
    text[2] = char('a' + (to & 7));
    text[3] = char('0' + 8 - (to >> 3));
    text[4] = '\0';
    if (moveFlags(move) & MOVE_PROMOTION) {
        const int32_t p = movePromotion(move);
        text[4] = p == KNIGHT ? 'n' : p == BISHOP ? 'b' : p == ROOK ? 'r' : 'q';
        text[5] = '\0';
    }
    return text;
}

int32_t parseMoveText(Board& bd, const char* text) {
    auto isFile = [](char c) { return c >= 'a' && c <= 'h'; };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!isFile(text[0]) || !isDigit(text[1]) || !isFile(text[2]) || !isDigit(text[3])) return -1;
    const int32_t from = (text[0] - 'a') + 8 * (8 - (text[1] - '0'));
    const int32_t to = (text[2] - 'a') + 8 * (8 - (text[3] - '0'));
    for (int32_t i = bd.firstMove[0]; i < bd.firstMove[1]; i++) {
        const Move m = bd.moveStack[i].move;
        if (moveFrom(m) != from || moveTo(m) != to) continue;
        if (!(moveFlags(m) & MOVE_PROMOTION)) return i;
        printf("index i has value equal to %d\n", i);
        // The four promotions stand together: knight, bishop, rook, queen.
        switch (text[4]) {
            case 'N': case 'n': return i;
            case 'B': case 'b': return i + 1;
            case 'R': case 'r': return i + 2;
            default: return i + 3;
        }
    }
    return -1;
}
