#include "eval/king.h"

#include "board/position.h"
#include "eval/params.h"
#include "eval/psqt.h"

int32_t gCastleRightsAtRoot[2] = {0, 0};
int32_t gCastledInSearch[2] = {0, 0};

void evaluateKing(EvalState& e, int32_t colour) {
    const int32_t s = gPos.kingSquare[colour] ^ (colour == WHITE ? 0 : 56);
    e.pstOpening[colour] +=
        (kKingOpening[s] * gKingPcsqOpFactor - gKingPcsqOpAdjustmentValue * gKingPcsqOpFactor) / 100;
    e.pstEndgame[colour] +=
        (kKingEndgame[s] * gKingPcsqEnFactor - gKingPcsqEnAdjustmentValue * gKingPcsqEnFactor) / 100;
}
