#include "board/tables.h"

#include "board/bitops.h"
#include "board/types.h"

int32_t gMailbox64[64];
int32_t gMailbox120[120];
int32_t gBitIndex[64];
uint64_t gKnightAttacks[64];
uint64_t gKingAttacks[64];
uint64_t gPawnAttacks[2][64];
uint64_t gRayEast[64];
uint64_t gRayWest[64];
uint64_t gFileMask[64];
uint64_t gDiagonalMask[64];
uint64_t gAntiDiagonalMask[64];
int32_t gDistance[64][64];

uint8_t gRankAttacks[8][64];

// Steps in the 10x12 mailbox, by piece code: pawn, knight, bishop, rook, queen, king.
const int32_t gMoveOffsets[6][8] = {
    {9, 11, 0, 0, 0, 0, 0, 0},
    {-21, -19, -12, -8, 8, 12, 19, 21},
    {-11, -9, 9, 11, 0, 0, 0, 0},
    {-10, -1, 1, 10, 0, 0, 0, 0},
    {-11, -10, -9, -1, 1, 9, 10, 11},
    {-11, -10, -9, -1, 1, 9, 10, 11},
};
const int32_t gOffsetCount[6] = {2, 8, 4, 4, 8, 8};

// pawn, knight, bishop, rook, queen, king, empty
const int32_t gExchangeValue[7] = {1, 3, 3, 5, 10, 100, 0};
const int32_t gPieceValue[6] = {100, 315, 325, 500, 1000, 0};

namespace {

// Bitboard of the squares reached from sq by repeating one mailbox step (or by
// one step only), up to the board edge.
uint64_t walk(int32_t sq, int32_t step, bool slide) {
    uint64_t b = 0;
    int32_t cell = gMailbox64[sq] + step;
    while (gMailbox120[cell] != -1) {
        b |= 1ULL << gBitIndex[gMailbox120[cell]];
        if (!slide) break;
        cell += step;
    }
    return b;
}

int32_t absolute(int32_t x) { return x < 0 ? -x : x; }

// Files a..h are bits 0..7 of a rank's byte.
void fillRankAttacks() {
    for (int32_t file = 0; file < 8; file++)
        for (int32_t inner = 0; inner < 64; inner++) {
            const int32_t occupied = inner << 1;
            int32_t attacks = 0;
            for (int32_t f = file + 1; f < 8; f++) {
                attacks |= 1 << f;
                if (occupied & (1 << f)) break;
            }
            for (int32_t f = file - 1; f >= 0; f--) {
                attacks |= 1 << f;
                if (occupied & (1 << f)) break;
            }
            gRankAttacks[file][inner] = uint8_t(attacks);
        }
}

}  // namespace

void initBoardTables() {
    for (int32_t i = 0; i < 120; i++) gMailbox120[i] = -1;
    for (int32_t sq = 0; sq < 64; sq++) {
        gMailbox64[sq] = 21 + 10 * (sq >> 3) + (sq & 7);
        gMailbox120[gMailbox64[sq]] = sq;
        gBitIndex[sq] = sq ^ 56;
    }
    for (int32_t sq = 0; sq < 64; sq++) {
        int32_t b = gBitIndex[sq];
        gKnightAttacks[b] = 0;
        gKingAttacks[b] = 0;
        for (int32_t i = 0; i < 8; i++) {
            gKnightAttacks[b] |= walk(sq, gMoveOffsets[KNIGHT][i], false);
            gKingAttacks[b] |= walk(sq, gMoveOffsets[KING][i], false);
        }
        // A white pawn captures towards rank 8 (mailbox -11 and -9), black towards rank 1.
        gPawnAttacks[WHITE][b] = walk(sq, -11, false) | walk(sq, -9, false);
        gPawnAttacks[BLACK][b] = walk(sq, 9, false) | walk(sq, 11, false);
        gRayEast[b] = walk(sq, 1, true);
        gRayWest[b] = walk(sq, -1, true);
        gFileMask[b] = walk(sq, -10, true) | walk(sq, 10, true);
        gDiagonalMask[b] = walk(sq, -9, true) | walk(sq, 9, true);
        gAntiDiagonalMask[b] = walk(sq, -11, true) | walk(sq, 11, true);
        for (int32_t to = 0; to < 64; to++) {
            const int32_t df = absolute(fileOf(sq) - fileOf(to));
            const int32_t dr = absolute(rowOf(sq) - rowOf(to));
            gDistance[sq][to] = df > dr ? df : dr;
        }
    }
    fillRankAttacks();
}
