// A chess position, the records of its move history and the hash-key tables.
// The 8x8 arrays are the master copy; piece lists, bitboards, counters and the
// two keys are kept in step with them incrementally by make and unmake.
#pragma once
#include <cstdint>

#include "board/types.h"

struct Position {
    uint64_t occupancy[2];  // bitboards (bit of square s is s ^ 56)
    uint64_t occupied;
    uint64_t pawnBits[2];
    uint64_t pieceBits[2][6];  // per colour and kind (pawnBits repeats the pawn boards)
    uint64_t hashKey;
    uint64_t pawnKey;
    int32_t colour[64];  // colour code per square, EMPTY if empty
    int32_t piece[64];   // piece code per square, EMPTY if empty
    int8_t pieceList[2][6][16];  // squares of each colour's men of each kind (bytes: fewer cache lines)
    int32_t pieceCount[2][6];     // valid entries of each list
    int32_t kingSquare[2];
    int32_t side;
    int32_t xside;
    int32_t castle;    // CASTLE_* bits
    int32_t epSquare;  // square passed over by the last double step, or -1
    int32_t fifty;     // half-moves since the last capture or pawn move
    int32_t ply;       // distance of the current node from the search root
    int32_t hply;      // next free entry of the history stack
    int32_t pawnNumber[2];
    int32_t knightNumber[2];
    int32_t bishopNumber[2];
    int32_t rookNumber[2];
    int32_t queenNumber[2];
    int32_t pieceNumber[2];     // knights + bishops + rooks + queens
    int32_t pawnMaterial[2];    // 100 per pawn
    int32_t pieceMaterial[2];   // values of knights, bishops, rooks, queens
    int32_t pawnsOnSeventh[2];  // white pawns on rank 7, black pawns on rank 2
    int32_t padding;            // keeps the size a multiple of 8 with no hidden bytes
    // Per occupied square: where its man stands in its piece list, so that a
    // list edit needs no search (stale on empty squares).
    int8_t listIndex[64];
};
static_assert(sizeof(Position) == 19 * 8 + 168 * 4 + 192 + 64, "Position must have no hidden padding");

// One record per half-move made.
struct HistoryEntry {
    uint64_t key;        // hashKey before the move
    uint64_t pawnKey;    // pawnKey before the move
    Move move;           // the move made (a null move leaves it as it was)
    int32_t captured;    // piece code that stood on the destination, EMPTY if none
    int32_t castle;      // castle before the move
    int32_t epSquare;    // epSquare before the move
    int32_t fifty;       // fifty before the move
};

// Game moves stop at hply 999; a search or perft started there may go up to
// kMaxPly half-moves deeper, and each of those makes its own entry.
constexpr int32_t kHistorySize = 1000 + kMaxPly + 1;

// Hash-key tables, refilled from the random generator at every set-up.
extern uint64_t gPieceKey[2][6][64];
extern uint64_t gSideKey;
extern uint64_t gEpKey[64];
extern uint64_t gCastleKey[16];
