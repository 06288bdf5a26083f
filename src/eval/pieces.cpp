#include "eval/pieces.h"

#include "board/bitops.h"
#include "board/position.h"
#include "board/tables.h"
#include "eval/params.h"
#include "eval/psqt.h"

namespace {

// d4, e4, d5, e5.
constexpr uint64_t kCentreSquares = squareBit(27) | squareBit(28) | squareBit(35) | squareBit(36);

// Knight outpost value by square (rank 8 first, White's view): a rank part
// (rank 4: 4, rank 5: 2, rank 6: 0) plus a file part (b/g 0, c/f 2, d/e 4).
// Only ranks 4 to 6 on files b to g are outposts.
constexpr int32_t kOutpostRankPart[8] = {0, 0, 0, 2, 4, 8, 0, 0};  // by row
constexpr int32_t kOutpostFilePart[8] = {0, 0, 2, 4, 4, 2, 0, 0};

constexpr bool inKnightOutpostRegion(int32_t sq) {
    return rowOf(sq) >= 2 && rowOf(sq) <= 4 && fileOf(sq) >= 1 && fileOf(sq) <= 6;
}

struct OutpostTable {
    int32_t value[64];
    constexpr OutpostTable() : value() {
        for (int32_t sq = 0; sq < 64; sq++)
            value[sq] = inKnightOutpostRegion(sq) ? kOutpostRankPart[rowOf(sq)] + kOutpostFilePart[fileOf(sq)] : 0;
    }
};
constexpr OutpostTable kKnightOutpost;

// Bishop outpost value by square (rank 8 first, White's view).
constexpr int32_t kBishopOutpost[64] = {
    0, 0,  0,  0,  0,  0, 0, 0,
    0, 0,  0,  0,  0,  0, 0, 0,
    0, 0,  8, 10, 10,  8, 0, 0,
    0, 0, 10, 12, 12, 10, 0, 0,
    0, 0,  0,  6,  6,  0, 0, 0,
    0, 0,  0,  0,  0,  0, 0, 0,
    0, 0,  0,  0,  0,  0, 0, 0,
    0, 0,  0,  0,  0,  0, 0, 0,
};

// Rook on a half-open file, by the row of the least advanced enemy pawn.
constexpr int32_t kHalfOpenRow[8] = {0, 12, 6, 0, 0, 0, 0, 0};
// Rook in front of an enemy passer, by the passer's row.
constexpr int32_t kRookInFront[8] = {0, 0, 1, 2, 5, 9, 14, 0};
// Queen tropism by distance to the enemy king.
constexpr int32_t kTropismOpening[9] = {6, 4, 2, 1, 0, 0, 0, 0, 0};
constexpr int32_t kTropismEndgame[9] = {16, 14, 10, 4, 2, 0, 0, 0, 0};
// Bad bishop by the number of own pawns on the bishop's square colour.
constexpr int32_t kBadBishopOpening[9] = {0, 3, 6, 9, 12, 15, 19, 24, 24};
constexpr int32_t kBadBishopEndgame[9] = {0, 3, 5, 7, 9, 11, 13, 15, 17};

// Mobility offsets (opening, endgame) by piece code.
constexpr int32_t kMobilityOffsetOpening[5] = {0, 4, 7, 6, 10};
constexpr int32_t kMobilityOffsetEndgame[5] = {0, 6, 10, 10, 18};

constexpr bool isLightSquare(int32_t sq) { return ((fileOf(sq) + rowOf(sq)) & 1) == 0; }

// Material into the blended sum and the piece-square values of one man.
template <int32_t C>
void materialAndSquare(EvalState& e, int32_t kind, int32_t sq, const int32_t* opening, const int32_t* endgame) {
    e.blended += signOf<C>() * gPieceValue[kind];
    e.pstOpening[C] += opening[relSquare<C>(sq)];
    e.pstEndgame[C] += endgame[relSquare<C>(sq)];
}

// Mobility of a piece with the given moves (attacked squares without own
// men); the moves also join the colour's attack map of that kind.
template <int32_t C>
void mobility(EvalState& e, int32_t kind, uint64_t moves) {
    constexpr int32_t O = C ^ 1;
    e.attackMap[C][kind] |= moves;
    const int32_t centre = (moves & kCentreSquares) != 0;
    const int32_t zone = (moves & e.kingZone[O]) != 0;
    const uint64_t hits = moves & e.attackMap[O][PAWN];  // mostly none
    const int32_t hit = hits ? popCount(hits) : 0;
    const int32_t mob = popCount(moves) + centre + zone - (kind == QUEEN ? hit : (2 * hit) / 3);
    e.mobOpening[C] += mob - kMobilityOffsetOpening[kind];
    e.mobEndgame[C] += mob - kMobilityOffsetEndgame[kind];
}

// Men on the squares strictly between two squares of one file, not counting
// rooks and queens of the colour.
int32_t menBetweenOnFile(EvalBoard& w, int32_t a, int32_t b, int32_t colour) {
    const int32_t from = a < b ? a : b, to = a < b ? b : a;
    int32_t men = 0;
    for (int32_t sq = from + 8; sq < to; sq += 8)
        if (w.pos.piece[sq] != EMPTY && !(w.pos.colour[sq] == colour && (w.pos.piece[sq] == ROOK || w.pos.piece[sq] == QUEEN)))
            men++;
    return men;
}

// A rook's file towards the enemy king is blocked: at least three rows apart
// with two or more other men between them.
bool fileBlocked(EvalBoard& w, int32_t rookSq, int32_t kingSq, int32_t colour) {
    const int32_t apart = rowOf(rookSq) > rowOf(kingSq) ? rowOf(rookSq) - rowOf(kingSq) : rowOf(kingSq) - rowOf(rookSq);
    return apart >= 3 && menBetweenOnFile(w, rookSq, kingSq, colour) >= 2;
}

template <int32_t C>
void knight(EvalBoard& w, EvalState& e, int32_t sq) {
    constexpr int32_t O = C ^ 1;
    const int32_t r = relRow<C>(rowOf(sq)), f = fileOf(sq), bit = gBitIndex[sq];
    materialAndSquare<C>(e, KNIGHT, sq, kKnightOpening, kKnightEndgame);
    // 2. Behind the file's most advanced own pawn.
    if (relRow<C>(e.pawnFront[C][f + 1]) == r - 1) e.behindPawn[C][BEHIND_KNIGHT][f + 1] = 1;
    // 3. Mobility.
    mobility<C>(e, KNIGHT, gKnightAttacks[bit] & ~w.pos.occupancy[C]);
    // 4. Outpost: in the region and out of reach of enemy pawns.
    const int32_t v = kKnightOutpost.value[relSquare<C>(sq)];
    if (v == 0 || (gPawnAttacks[C][bit] & w.pos.pawnBits[O])) return;
    const int32_t base = scaledTerm(v, gSafeKnightOutpost, 100);
    e.outpostOpening[C] += scaledTerm(gKnightOutpostFactorOp, base, 100);
    e.outpostEndgame[C] += scaledTerm(base, gKnightOutpostFactorEn, 100);
    if (gPawnAttacks[O][bit] & w.pos.pawnBits[C]) {
        const int32_t extra = scaledTerm(v, gSafeProtectedKnightOutpost, 100);
        e.outpostOpening[C] += scaledTerm(gKnightOutpostFactorOp, extra, 100);
        e.outpostEndgame[C] += scaledTerm(extra, gKnightOutpostFactorEn, 100);
    }
}

template <int32_t C>
void bishop(EvalBoard& w, EvalState& e, int32_t sq) {
    constexpr int32_t O = C ^ 1;
    const int32_t r = relRow<C>(rowOf(sq)), f = fileOf(sq), bit = gBitIndex[sq];
    materialAndSquare<C>(e, BISHOP, sq, kBishopOpening, kBishopEndgame);
    if (isLightSquare(sq)) e.bishopsOnLight[C]++;
    // 2. Outpost: safe on a side when no enemy pawn of that neighbour file
    // stands further up the board than the bishop.
    const int32_t b = kBishopOutpost[relSquare<C>(sq)];
    if (b != 0) {
        const bool leftSafe = r <= relRow<C>(e.pawnRear[O][f]);
        const bool rightSafe = r <= relRow<C>(e.pawnRear[O][f + 2]);
        const int32_t d = (gPawnAttacks[O][bit] & w.pos.pawnBits[C]) ? 4 : 0;
        if (leftSafe && rightSafe)
            e.blended += signOf<C>() * (b / 4 + (3 * b) / 4 + d);
        else if (leftSafe || rightSafe)
            e.blended += signOf<C>() * (b / 4 + d);
    }
    // 3. Mobility.
    mobility<C>(e, BISHOP, bishopAttacks(w.pos.occupied, sq) & ~w.pos.occupancy[C]);
}

// Rook file bonuses: own pawn on the file, open file, half-open file, each
// with its bonus for facing the enemy king on the same or a neighbour file.
template <int32_t C>
void rookFile(EvalBoard& w, EvalState& e, int32_t sq, int32_t r, int32_t f) {
    constexpr int32_t O = C ^ 1, S = signOf<C>();
    const int32_t king = w.pos.kingSquare[O];
    const bool kingOnFile = fileOf(king) == f && !fileBlocked(w, sq, king, C);
    const bool kingBeside = fileOf(king) == f - 1 || fileOf(king) == f + 1;
    if (relRow<C>(e.pawnRear[C][f + 1]) != 0) {
        if (r > relRow<C>(e.pawnFront[C][f + 1])) e.behindPawn[C][BEHIND_ROOK][f + 1] = 1;
        return;
    }
    const int32_t p = relRow<C>(e.pawnRear[O][f + 1]);
    if (p == 7) {  // no pawns on the file
        e.openRooks[C]++;
        e.blended += S * 26;
        if (kingOnFile)
            addPhased(e, S, 30, 30);
        else if (kingBeside)
            addPhased(e, S, 13, 15);
        return;
    }
    e.blended += S * (r < p ? 12 : kHalfOpenRow[p]);
    if (kingOnFile)
        addPhased(e, S, 20, 20);
    else if (kingBeside)
        addPhased(e, S, 9, 10);
}

template <int32_t C>
void rook(EvalBoard& w, EvalState& e, int32_t sq) {
    constexpr int32_t O = C ^ 1, S = signOf<C>();
    const int32_t r = relRow<C>(rowOf(sq)), f = fileOf(sq);
    materialAndSquare<C>(e, ROOK, sq, kRookOpening, kRookEndgame);
    // 2. File type.
    rookFile<C>(w, e, sq, r, f);
    // 3. Enemy passer on the file: behind it with a clear path, or in front of it.
    if (e.passerCount[O][f + 1] > 0) {
        const int32_t p = relRow<C>(e.pawnFront[O][f + 1]);
        if (p > r) {
            const int32_t passer = f + 8 * relRow<C>(p);
            if (menBetweenOnFile(w, sq, passer, C) == 0) addPhased(e, S, 2, 20);
        } else {
            const int32_t t = kRookInFront[p];
            addPhased(e, -S, (30 * t) / 100, t);
        }
    }
    // 4. Rank: near the enemy king's rank, or on the seventh / eighth with
    // the enemy king on its back rank.
    const int32_t kingRow = relRow<C>(rowOf(w.pos.kingSquare[O]));
    if (r >= 2) {
        if (r - kingRow < 2 && kingRow - r < 2) addPhased(e, S, 8, 20);
    } else if (kingRow == 0) {
        if (r == 1) {
            addPhased(e, S, scaledTerm(gRook7thRankOp, 1, 1), scaledTerm(gRook7thRankEn, 1, 1));
            e.rooksOnSeventh[C]++;
        } else {
            addPhased(e, S, scaledTerm(gRook8thRankOp, 1, 1), scaledTerm(gRook8thRankEn, 1, 1));
        }
    }
    // 5. Mobility.
    mobility<C>(e, ROOK, rookAttacks(w.pos.occupied, sq) & ~w.pos.occupancy[C]);
}

template <int32_t C>
void queen(EvalBoard& w, EvalState& e, int32_t sq) {
    constexpr int32_t O = C ^ 1, S = signOf<C>();
    const int32_t r = relRow<C>(rowOf(sq)), f = fileOf(sq);
    const int32_t king = w.pos.kingSquare[O];
    materialAndSquare<C>(e, QUEEN, sq, kQueenOpening, kQueenEndgame);
    // 2. On the seventh or eighth with the enemy king on its back rank.
    if (r <= 1 && relRow<C>(rowOf(king)) == 0) e.endgame += S * 6;
    // 3. Tropism.
    const int32_t d = gDistance[sq][king];
    addPhased(e, S, kTropismOpening[d], kTropismEndgame[d]);
    // 4. Mobility, and whether the queen reaches the enemy king zone.
    const uint64_t moves = (bishopAttacks(w.pos.occupied, sq) | rookAttacks(w.pos.occupied, sq)) & ~w.pos.occupancy[C];
    mobility<C>(e, QUEEN, moves);
    if (moves & e.kingZone[O]) e.queenNearKing[C] = 1;
    // 5. Behind an own pawn.
    const int32_t front = relRow<C>(e.pawnFront[C][f + 1]);
    if (front != 7 && front < r) e.behindPawn[C][BEHIND_QUEEN][f + 1] = 1;
}

template <int32_t C>
void eachPiece(EvalBoard& w, EvalState& e, int32_t kind, void (*term)(EvalBoard&, EvalState&, int32_t)) {
    for (int32_t i = 0; i < w.pos.pieceCount[C][kind]; i++) term(w, e, w.pos.pieceList[C][kind][i]);
}

// Two rooks on the seventh, two rooks on open files.
template <int32_t C>
void lateRookTerms(EvalState& e) {
    constexpr int32_t S = signOf<C>();
    if (e.rooksOnSeventh[C] > 1) addPhased(e, S, 6, 80);
    if (e.openRooks[C] > 1) e.blended += S * 8;
}

// The bishop pair, or a lone bishop hemmed in by own pawns on its square colour.
template <int32_t C>
void lateBishopTerms(EvalState& e) {
    constexpr int32_t S = signOf<C>();
    if (e.bishops[C] >= 2) {
        e.blended += S * 50;
    } else if (e.bishops[C] == 1) {
        const int32_t n = e.bishopsOnLight[C] ? e.pawnsOnLight[C] : e.pawnsOnDark[C];
        addPhased(e, -S, kBadBishopOpening[n], kBadBishopEndgame[n]);
    }
}

}  // namespace

void evaluateKnights(EvalBoard& w, EvalState& e, int32_t colour) {
    colour == WHITE ? eachPiece<WHITE>(w, e, KNIGHT, knight<WHITE>) : eachPiece<BLACK>(w, e, KNIGHT, knight<BLACK>);
}

void evaluateBishops(EvalBoard& w, EvalState& e, int32_t colour) {
    colour == WHITE ? eachPiece<WHITE>(w, e, BISHOP, bishop<WHITE>) : eachPiece<BLACK>(w, e, BISHOP, bishop<BLACK>);
}

void evaluateRooks(EvalBoard& w, EvalState& e, int32_t colour) {
    colour == WHITE ? eachPiece<WHITE>(w, e, ROOK, rook<WHITE>) : eachPiece<BLACK>(w, e, ROOK, rook<BLACK>);
}

void evaluateQueens(EvalBoard& w, EvalState& e, int32_t colour) {
    colour == WHITE ? eachPiece<WHITE>(w, e, QUEEN, queen<WHITE>) : eachPiece<BLACK>(w, e, QUEEN, queen<BLACK>);
}

void rooksOnSeventhAndOpenFiles(EvalState& e) {
    lateRookTerms<WHITE>(e);
    lateRookTerms<BLACK>(e);
}

void bishopPairAndBadBishop(EvalState& e) {
    lateBishopTerms<WHITE>(e);
    lateBishopTerms<BLACK>(e);
}
