// Everything one call of evaluate builds up. Sums without a colour index are
// White minus Black; per-colour sums are blended separately at the end.
#pragma once
#include <cstdint>

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

    // Squares attacked by each colour's pawns, knights, bishops, rooks, queens.
    uint64_t attackMap[2][5];
    int32_t pawnsOnLight[2], pawnsOnDark[2];

    int32_t imbalance;    // material redundancy, endgame weight only
    int32_t drawDivisor;  // the final score is divided by it
};

// Counts, phase and empty sums for the current position.
void initEvalState(EvalState& e);
