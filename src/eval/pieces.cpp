#include "eval/pieces.h"

#include "board/position.h"
#include "board/tables.h"
#include "eval/psqt.h"

namespace {

// Material into the blended sum and the piece-square values of every man of
// one kind and colour.
void materialAndSquares(EvalState& e, int32_t colour, int32_t kind, const int32_t* opening,
                        const int32_t* endgame) {
    const int32_t mirror = colour == WHITE ? 0 : 56;
    const int32_t value = colour == WHITE ? gPieceValue[kind] : -gPieceValue[kind];
    for (int32_t i = 0; i < gPos.pieceCount[colour][kind]; i++) {
        const int32_t s = gPos.pieceList[colour][kind][i] ^ mirror;
        e.blended += value;
        e.pstOpening[colour] += opening[s];
        e.pstEndgame[colour] += endgame[s];
    }
}

}  // namespace

void evaluateKnights(EvalState& e, int32_t colour) {
    materialAndSquares(e, colour, KNIGHT, kKnightOpening, kKnightEndgame);
}

void evaluateBishops(EvalState& e, int32_t colour) {
    materialAndSquares(e, colour, BISHOP, kBishopOpening, kBishopEndgame);
}

void evaluateRooks(EvalState& e, int32_t colour) {
    materialAndSquares(e, colour, ROOK, kRookOpening, kRookEndgame);
}

void evaluateQueens(EvalState& e, int32_t colour) {
    materialAndSquares(e, colour, QUEEN, kQueenOpening, kQueenEndgame);
}
