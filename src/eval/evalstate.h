// Everything one call of evaluate builds up. Sums without a colour index are
// White minus Black; per-colour sums are blended separately at the end.
#pragma once
#include <cstdint>
#include <type_traits>

#include "eval/evalboard.h"

#include "board/types.h"

// Integers only, so that zero bytes clear it.
struct EvalState {
    // Material counts and game phase, taken at the start of the call.
    int32_t queens[2], rooks[2], knights[2], bishops[2], minors[2], pawns[2];
    int32_t totalPawns;
    int32_t phase;      // 64 with all pieces, 0 with kings and pawns only
    int32_t pawnPhase;  // min(16, pawns on the board)

    int32_t blended;   // phase-independent terms
    int32_t opening;   // weighted by phase
    int32_t endgame;   // weighted by 64 - phase
    int32_t pstOpening[2], pstEndgame[2];
    int32_t mobOpening[2], mobEndgame[2];
    int32_t outpostOpening[2], outpostEndgame[2];

    // Per file (index file + 1; entries 0 and 9 are empty sentinels): the row of
    // the least advanced (rear) and most advanced (front) pawn of each colour.
    // No white pawn reads rear 0 / front 7; no black pawn rear 7 / front 0.
    int32_t pawnRear[2][10];
    int32_t pawnFront[2][10];

    // Squares attacked by each colour's pawns, knights, bishops, rooks, queens
    // (pawns: every square; pieces: squares not holding a man of their colour).
    uint64_t attackMap[2][5];
    // The squares next to each king.
    uint64_t kingZone[2];
    int32_t pawnsOnLight[2], pawnsOnDark[2];

    // Passed pawns per file (index file + 1) and in all; the most advanced
    // unstoppable passer's row and value (row 6 / 1 and 0 until one is seen).
    int32_t passerCount[2][10];
    int32_t passers[2];
    int32_t bestRow[2], bestValue[2];

    // Per colour, for knight, rook, queen, per file + 1: such a piece stands
    // behind an own pawn on that file.
    int32_t behindPawn[2][3][10];
    int32_t openRooks[2];      // rooks on files without pawns
    int32_t rooksOnSeventh[2]; // counted only with the enemy king on its back rank
    int32_t bishopsOnLight[2];
    int32_t queenNearKing[2];  // a queen's moves touch the enemy king zone

    // King safety: open files at and beside each colour's king, the storm and
    // piece-behind-pawn sums each colour earns against the other king, and
    // the flag of a light attack on a king driven to the edge.
    int32_t kingFileOpen[2], kingAdjOpen[2];
    int32_t stormSum[2], behindSum[2];
    int32_t edgeAttack[2];

    int32_t imbalance;    // material redundancy, endgame weight only
    int32_t drawDivisor;  // the final score is divided by it
};
static_assert(std::is_trivially_copyable_v<EvalState>, "initEvalState clears it with memset");

// Rows and squares as colour C sees them: White's as they are, Black's
// mirrored, so that one rule written from White's side serves both colours.
// Seen this way, a pawn row array of either colour reads 0 (own rear, enemy
// front) or 7 (own front, enemy rear) on a file without such pawns.
template <int32_t C>
constexpr int32_t relRow(int32_t row) {
    return C == WHITE ? row : 7 - row;
}
template <int32_t C>
constexpr int32_t relSquare(int32_t sq) {
    return C == WHITE ? sq : sq ^ 56;
}
// +1 for White's terms, -1 for Black's, in the sums held White minus Black.
template <int32_t C>
constexpr int32_t signOf() {
    return C == WHITE ? 1 : -1;
}

// A term scaled by a tunable parameter (or a parameter itself): value x factor
// / divisor in 64 bits, held within +-kScaledTermLimit. Parameters accept any
// 32-bit value; this keeps every sum and the blend of the evaluation from
// overflowing whatever they are set to, and leaves sensible values untouched.
constexpr int64_t kScaledTermLimit = 1 << 20;
inline int32_t scaledTerm(int64_t value, int64_t factor, int64_t divisor) {
    const int64_t r = value * factor / divisor;
    return int32_t(r > kScaledTermLimit ? kScaledTermLimit : r < -kScaledTermLimit ? -kScaledTermLimit : r);
}

// A term of one colour (sign +1 White, -1 Black) into the opening and endgame sums.
inline void addPhased(EvalState& e, int32_t sign, int32_t opening, int32_t endgame) {
    e.opening += sign * opening;
    e.endgame += sign * endgame;
}

// Index of each piece kind in behindPawn.
constexpr int32_t BEHIND_KNIGHT = 0, BEHIND_ROOK = 1, BEHIND_QUEEN = 2;

// Counts, phase, king zones and empty sums for the current position.
void initEvalState(EvalBoard& w, EvalState& e);
