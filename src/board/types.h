// Basic codes shared by the whole engine: colours, pieces, squares and the
// 32-bit move word.
#pragma once
#include <cstdint>

// Colours; EMPTY marks an empty square in both the colour and the piece array.
constexpr int32_t WHITE = 0;
constexpr int32_t BLACK = 1;
constexpr int32_t EMPTY = 6;

// Piece codes, in the order of their letters "PNBRQK".
constexpr int32_t PAWN = 0;
constexpr int32_t KNIGHT = 1;
constexpr int32_t BISHOP = 2;
constexpr int32_t ROOK = 3;
constexpr int32_t QUEEN = 4;
constexpr int32_t KING = 5;

// Squares are numbered from the black side: 0 = a8, 7 = h8, 56 = a1, 63 = h1.
constexpr int32_t fileOf(int32_t sq) { return sq & 7; }
constexpr int32_t rowOf(int32_t sq) { return sq >> 3; }  // row 0 is rank 8
constexpr int32_t mirrorSquare(int32_t sq) { return sq ^ 56; }

constexpr int32_t A8 = 0, B8 = 1, C8 = 2, D8 = 3, E8 = 4, F8 = 5, G8 = 6, H8 = 7;
constexpr int32_t A1 = 56, B1 = 57, C1 = 58, D1 = 59, E1 = 60, F1 = 61, G1 = 62, H1 = 63;

// Castling-right bits.
constexpr int32_t CASTLE_WK = 1;
constexpr int32_t CASTLE_WQ = 2;
constexpr int32_t CASTLE_BK = 4;
constexpr int32_t CASTLE_BQ = 8;
constexpr int32_t CASTLE_WHITE = CASTLE_WK | CASTLE_WQ;  // either of White's rights
constexpr int32_t CASTLE_BLACK = CASTLE_BK | CASTLE_BQ;

// A move is four bytes, lowest first: from square, to square, promotion piece
// code (6 when the move is not a promotion), flags. Word 0 means "no move".
using Move = uint32_t;

constexpr uint32_t MOVE_CAPTURE = 1;
constexpr uint32_t MOVE_CASTLE = 2;
constexpr uint32_t MOVE_EN_PASSANT = 4;
constexpr uint32_t MOVE_DOUBLE_STEP = 8;
constexpr uint32_t MOVE_PAWN = 16;
constexpr uint32_t MOVE_PROMOTION = 32;

constexpr Move makeMoveWord(int32_t from, int32_t to, int32_t promotion, uint32_t flags) {
    return uint32_t(from) | (uint32_t(to) << 8) | (uint32_t(promotion) << 16) | (flags << 24);
}
constexpr int32_t moveFrom(Move m) { return int32_t(m & 0xff); }
constexpr int32_t moveTo(Move m) { return int32_t((m >> 8) & 0xff); }
constexpr int32_t movePromotion(Move m) { return int32_t((m >> 16) & 0xff); }
constexpr uint32_t moveFlags(Move m) { return m >> 24; }

// Plies of a search line: the searches stop deepening at ply kMaxPly - 1.
constexpr int32_t kMaxPly = 200;

// Scores.
constexpr int32_t MATE_VALUE = 30000;
constexpr int32_t MATE_BOUND = 29800;  // beyond it a score is a mate in some plies
