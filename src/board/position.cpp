#include "board/board.h"

#include "board/random.h"


uint64_t gPieceKey[2][6][64];
uint64_t gSideKey;
uint64_t gEpKey[64];
uint64_t gCastleKey[16];

namespace {

// A 64-bit key from five 15-bit draws; the last one adds only its low 4 bits.
uint64_t drawKey() {
    uint64_t r1 = uint64_t(randomDraw());
    uint64_t r2 = uint64_t(randomDraw());
    uint64_t r3 = uint64_t(randomDraw());
    uint64_t r4 = uint64_t(randomDraw());
    uint64_t r5 = uint64_t(randomDraw());
    return r1 ^ (r2 << 15) ^ (r3 << 30) ^ (r4 << 45) ^ (r5 << 60);
}

int32_t seventhRankPawn(int32_t colour, int32_t square) {
    return colour == WHITE ? (square >= 8 && square <= 15) : (square >= 48 && square <= 55);
}

}  // namespace

void generateKeys() {
    for (int32_t c = 0; c < 2; c++)
        for (int32_t p = 0; p < 6; p++)
            for (int32_t s = 0; s < 64; s++) gPieceKey[c][p][s] = drawKey();
    gSideKey = drawKey();
    for (int32_t s = 0; s < 64; s++) gEpKey[s] = drawKey();
    for (int32_t i = 0; i < 16; i++) gCastleKey[i] = drawKey();
}

void addPiece(Board& bd, int32_t piece, int32_t colour, int32_t square) {
    bd.pos.colour[square] = colour;
    bd.pos.piece[square] = piece;
    bd.pos.listIndex[square] = int8_t(bd.pos.pieceCount[colour][piece]);
    bd.pos.pieceList[colour][piece][bd.pos.pieceCount[colour][piece]++] = square;
    uint64_t bit = 1ULL << (square ^ 56);
    bd.pos.occupancy[colour] |= bit;
    bd.pos.occupied |= bit;
    bd.pos.pieceBits[colour][piece] |= bit;
    if (piece == PAWN) {
        bd.pos.pawnBits[colour] |= bit;
        bd.pos.pawnsOnSeventh[colour] += seventhRankPawn(colour, square);
    } else if (piece == KING) {
        bd.pos.kingSquare[colour] = square;
    }
}

void removePiece(Board& bd, int32_t piece, int32_t colour, int32_t square) {
    bd.pos.colour[square] = EMPTY;
    bd.pos.piece[square] = EMPTY;
    int8_t* list = bd.pos.pieceList[colour][piece];
    const int32_t last = --bd.pos.pieceCount[colour][piece];
    const int32_t i = bd.pos.listIndex[square];
    list[i] = list[last];
    bd.pos.listIndex[list[i]] = int8_t(i);
    uint64_t bit = 1ULL << (square ^ 56);
    bd.pos.occupancy[colour] &= ~bit;
    bd.pos.occupied &= ~bit;
    bd.pos.pieceBits[colour][piece] &= ~bit;
    if (piece == PAWN) {
        bd.pos.pawnBits[colour] &= ~bit;
        bd.pos.pawnsOnSeventh[colour] -= seventhRankPawn(colour, square);
    }
}

void addPieceKeyed(Board& bd, int32_t piece, int32_t colour, int32_t square) {
    addPiece(bd, piece, colour, square);
    bd.pos.hashKey ^= gPieceKey[colour][piece][square];
    if (piece == PAWN) bd.pos.pawnKey ^= gPieceKey[colour][piece][square];
}

void removePieceKeyed(Board& bd, int32_t piece, int32_t colour, int32_t square) {
    removePiece(bd, piece, colour, square);
    bd.pos.hashKey ^= gPieceKey[colour][piece][square];
    if (piece == PAWN) bd.pos.pawnKey ^= gPieceKey[colour][piece][square];
}

int32_t repetitionCount(Board& bd) {
    int32_t first = bd.pos.hply - bd.pos.fifty;
    if (first < 0) first = 0;
    int32_t count = 0;
    for (int32_t i = first; i < bd.pos.hply; i++)
        if (bd.history[i].key == bd.pos.hashKey) count++;
    return count;
}

uint64_t computeHashKey(Board& bd) {
    uint64_t key = 0;
    for (int32_t s = 0; s < 64; s++)
        if (bd.pos.piece[s] != EMPTY) key ^= gPieceKey[bd.pos.colour[s]][bd.pos.piece[s]][s];
    key ^= gCastleKey[bd.pos.castle];
    if (bd.pos.side == BLACK) key ^= gSideKey;
    if (bd.pos.epSquare != -1) key ^= gEpKey[bd.pos.epSquare];
    return key;
}

uint64_t computePawnKey(Board& bd, int32_t castleAtSetup) {
    uint64_t key = 0;
    for (int32_t s = 0; s < 64; s++)
        if (bd.pos.piece[s] == PAWN) key ^= gPieceKey[bd.pos.colour[s]][PAWN][s];
    key ^= gCastleKey[castleAtSetup];
    if (bd.pos.side == BLACK) key ^= gSideKey;
    if (bd.pos.epSquare != -1) key ^= gEpKey[bd.pos.epSquare];
    return key;
}
