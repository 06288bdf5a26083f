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
    bool castleRightsAtRoot[2] = {false, false};
    // Per colour: it is castling on the line the search is looking at.
    bool castledInSearch[2] = {false, false};

    EvalCache evalCache;
    PawnHash pawnHash;
};
