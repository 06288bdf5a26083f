// Knights, bishops, rooks and queens: material, piece-square values, mobility
// and the attack maps, outposts, rook files and ranks, queen placement, and
// the terms that need every piece counted first.
#pragma once
#include <cstdint>

#include "eval/evalboard.h"

#include "eval/evalstate.h"

// One colour's men of one kind, in piece-list order. Knights, bishops and
// rooks read the enemy pawn attack map and passer counts, so the pawns of both
// colours come first.
void evaluateKnights(EvalBoard& w, EvalState& e, int32_t colour);
void evaluateBishops(EvalBoard& w, EvalState& e, int32_t colour);
void evaluateRooks(EvalBoard& w, EvalState& e, int32_t colour);
void evaluateQueens(EvalBoard& w, EvalState& e, int32_t colour);

// Two or more rooks on the seventh rank, two or more rooks on open files.
void rooksOnSeventhAndOpenFiles(EvalState& e);
// The bishop pair and the bad bishop.
void bishopPairAndBadBishop(EvalState& e);
