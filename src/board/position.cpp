#include "board/position.h"

#include "board/random.h"

Position gPos;
HistoryEntry gHistory[kHistorySize];
int32_t gSetupPly = 0;
int32_t gSetupCastle = 0;

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

void addPiece(int32_t piece, int32_t colour, int32_t square) {
    gPos.colour[square] = colour;
    gPos.piece[square] = piece;
    gPos.listIndex[square] = int8_t(gPos.pieceCount[colour][piece]);
    gPos.pieceList[colour][piece][gPos.pieceCount[colour][piece]++] = square;
    uint64_t bit = 1ULL << (square ^ 56);
    gPos.occupancy[colour] |= bit;
    gPos.occupied |= bit;
    gPos.pieceBits[colour][piece] |= bit;
    if (piece == PAWN) {
        gPos.pawnBits[colour] |= bit;
        gPos.pawnsOnSeventh[colour] += seventhRankPawn(colour, square);
    } else if (piece == KING) {
        gPos.kingSquare[colour] = square;
    }
}

void removePiece(int32_t piece, int32_t colour, int32_t square) {
    gPos.colour[square] = EMPTY;
    gPos.piece[square] = EMPTY;
    int8_t* list = gPos.pieceList[colour][piece];
    const int32_t last = --gPos.pieceCount[colour][piece];
    const int32_t i = gPos.listIndex[square];
    list[i] = list[last];
    gPos.listIndex[list[i]] = int8_t(i);
    uint64_t bit = 1ULL << (square ^ 56);
    gPos.occupancy[colour] &= ~bit;
    gPos.occupied &= ~bit;
    gPos.pieceBits[colour][piece] &= ~bit;
    if (piece == PAWN) {
        gPos.pawnBits[colour] &= ~bit;
        gPos.pawnsOnSeventh[colour] -= seventhRankPawn(colour, square);
    }
}

void addPieceKeyed(int32_t piece, int32_t colour, int32_t square) {
    addPiece(piece, colour, square);
    gPos.hashKey ^= gPieceKey[colour][piece][square];
    if (piece == PAWN) gPos.pawnKey ^= gPieceKey[colour][piece][square];
}

void removePieceKeyed(int32_t piece, int32_t colour, int32_t square) {
    removePiece(piece, colour, square);
    gPos.hashKey ^= gPieceKey[colour][piece][square];
    if (piece == PAWN) gPos.pawnKey ^= gPieceKey[colour][piece][square];
}

int32_t repetitionCount() {
    int32_t first = gPos.hply - gPos.fifty;
    if (first < 0) first = 0;
    int32_t count = 0;
    for (int32_t i = first; i < gPos.hply; i++)
        if (gHistory[i].key == gPos.hashKey) count++;
    return count;
}

uint64_t computeHashKey() {
    uint64_t key = 0;
    for (int32_t s = 0; s < 64; s++)
        if (gPos.piece[s] != EMPTY) key ^= gPieceKey[gPos.colour[s]][gPos.piece[s]][s];
    key ^= gCastleKey[gPos.castle];
    if (gPos.side == BLACK) key ^= gSideKey;
    if (gPos.epSquare != -1) key ^= gEpKey[gPos.epSquare];
    return key;
}

uint64_t computePawnKey(int32_t castleAtSetup) {
    uint64_t key = 0;
    for (int32_t s = 0; s < 64; s++)
        if (gPos.piece[s] == PAWN) key ^= gPieceKey[gPos.colour[s]][PAWN][s];
    key ^= gCastleKey[castleAtSetup];
    if (gPos.side == BLACK) key ^= gSideKey;
    if (gPos.epSquare != -1) key ^= gEpKey[gPos.epSquare];
    return key;
}
