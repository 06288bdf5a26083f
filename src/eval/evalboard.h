// A board with what the evaluation keeps for one search: the castling flags
// of the line searched, the evaluation cache and the pawn hash. The search
// worker is one; every evaluation function is given the one it works for.
#pragma once
#include <cstdint>

#include "board/board.h"
#include "eval/evalcache.h"
#include "eval/pawnhash.h"

struct EvalBoard : Board {
    // Per colour, set at the start of every search: it had castling rights then.
    int32_t castleRightsAtRoot[2] = {0, 0};
    // Per colour: it is castling on the line the search is looking at.
    int32_t castledInSearch[2] = {0, 0};

    EvalCache evalCache;
    PawnHash pawnHash;
};
