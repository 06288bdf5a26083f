#include "board/movegen.h"

#include "board/attacks.h"
#include "board/bitops.h"
#include "board/position.h"
#include "board/board.h"
#include "board/tables.h"


namespace {

// Ordering scores.
constexpr int32_t kQueenPromotionScore = 9998000;
constexpr int32_t kKnightPromotionScore = 9989500;
constexpr int32_t kBishopPromotionScore = 9989300;
constexpr int32_t kRookPromotionScore = 9989400;
constexpr int32_t kWinningCaptureBase = 9997000;
constexpr int32_t kEvenCaptureBase = 9996000;
constexpr int32_t kLosingCaptureBase = 9994000;
constexpr int32_t kEnPassantScore = 9996100;
constexpr int32_t kCastlingScore = 9995600;
constexpr int32_t kThreatPenalty = 7000;

// Killer slots in the order they are compared: mate killer of this ply and of
// two plies earlier, killer 1 of both, killer 2 of both.
constexpr int32_t kKillerScore[6] = {9999000, 9998500, 9995500, 9995400, 9995300, 9995200};
constexpr int32_t kThreatenedKillerScore[6] = {9999000, 9991500, 9995500, 9988400, 9988300, 9988200};

constexpr int32_t kLastThreatPly = 9;

enum GenMode { GEN_ALL, GEN_OTHER, GEN_SINGLE };

// What one generator call needs again and again: the colours, the write
// position, the killers of this ply and the unsafe squares of this position.
struct GenContext {
    Board* board;  // the board generated for
    int32_t us;
    int32_t them;
    int32_t ply;
    ScoredMove* next;    // next free entry of the board's move stack
    bool threatTests;    // ply <= 9
    uint64_t pawnThreat;   // squares attacked by enemy pawns
    uint64_t pieceThreat;  // pawnThreat plus enemy knight and bishop attacks
    Move killers[6];
    uint64_t killerTargets;  // bit `to` set for the destination of every killer
    int32_t onlyFrom;  // generateSingleMove: the wanted squares
    int32_t onlyTo;
};

void computeThreats(GenContext& c) {
    Board& bd = *c.board;
    c.pawnThreat = pawnAttackSet(c.them, bd.pos.pawnBits[c.them]);
    uint64_t threat = c.pawnThreat;
    for (uint64_t b = bd.pos.pieceBits[c.them][KNIGHT]; b;) threat |= gKnightAttacks[popLowestBit(b)];
    for (uint64_t b = bd.pos.pieceBits[c.them][BISHOP]; b;)
        threat |= bishopAttacks(bd.pos.occupied, gBitIndex[popLowestBit(b)]);
    c.pieceThreat = threat;
}

// Starts the list of the current ply. The capture generators score no quiet
// move and pass withKillers false: the killers are then neither read nor used.
GenContext beginList(Board& bd, bool withThreats, bool withKillers = true) {
    GenContext c;
    c.board = &bd;
    c.us = bd.pos.side;
    c.them = bd.pos.xside;
    c.ply = bd.pos.ply;
    c.next = bd.moveStack + bd.firstMove[c.ply];
    c.threatTests = withThreats && c.ply <= kLastThreatPly;
    c.pawnThreat = c.pieceThreat = 0;
    if (c.threatTests) computeThreats(c);
    c.killerTargets = 0;
    if (withKillers) {
        const bool back = c.ply >= 2;
        c.killers[0] = bd.mateKiller[c.ply];
        c.killers[1] = back ? bd.mateKiller[c.ply - 2] : 0;
        c.killers[2] = bd.killer1[c.ply];
        c.killers[3] = back ? bd.killer1[c.ply - 2] : 0;
        c.killers[4] = bd.killer2[c.ply];
        c.killers[5] = back ? bd.killer2[c.ply - 2] : 0;
        for (const Move killer : c.killers) c.killerTargets |= 1ULL << moveTo(killer);
    }
    c.onlyFrom = c.onlyTo = -1;
    return c;
}

void endList(const GenContext& c) {
    Board& bd = *c.board;
    bd.firstMove[c.ply + 1] = int32_t(c.next - bd.moveStack);
}

inline void push(GenContext& c, Move move, int32_t score) {
    c.next->move = move;
    c.next->score = score;
    c.next++;
}

inline bool threatened(const GenContext& c, int32_t kind, int32_t to) {
    if (kind == PAWN) return false;
    uint64_t bit = squareBit(to);
    if (c.pawnThreat & bit) return true;
    return kind >= ROOK && (c.pieceThreat & bit);
}

// Score of a quiet move by the killers, or -1 when it matches none.
inline int32_t killerScore(const GenContext& c, Move move, int32_t kind, int32_t to, bool demote) {
    if (!(c.killerTargets & (1ULL << to))) return -1;  // most moves: no killer lands there
    for (int32_t i = 0; i < 6; i++) {
        if (c.killers[i] != move) continue;
        if (demote && c.threatTests && threatened(c, kind, to)) return kThreatenedKillerScore[i];
        return kKillerScore[i];
    }
    return -1;
}

inline int32_t historyScore(const GenContext& c, int32_t kind, int32_t to, bool demote) {
    Board& bd = *c.board;
    int32_t score = int32_t(bd.historyValue[c.us][kind][to]);
    if (demote && c.threatTests && threatened(c, kind, to)) score -= kThreatPenalty;
    return score;
}

inline int32_t captureScore(Board& bd, int32_t victim, int32_t attacker, Move move, bool withSee) {
    int32_t d = gExchangeValue[victim] - gExchangeValue[attacker];
    int32_t swing = gPieceValue[victim] - gPieceValue[attacker];
    if (d > 0) return kWinningCaptureBase + swing;
    if (d < 0) {
        if (!withSee) return kLosingCaptureBase + swing;
        int32_t s = see(bd, move);
        if (s > 0) return kWinningCaptureBase + swing;
        if (s < 0) return kLosingCaptureBase + swing;
    }
    return kEvenCaptureBase + gPieceValue[victim] - attacker;
}

// Appends a pawn move that reaches the last rank as its four promotions.
inline bool pushPromotions(GenContext& c, int32_t from, int32_t to, uint32_t flags) {
    if (!(flags & MOVE_PAWN)) return false;
    int32_t lastRow = c.us == WHITE ? 0 : 7;
    if (rowOf(to) != lastRow) return false;
    flags |= MOVE_PROMOTION;
    push(c, makeMoveWord(from, to, KNIGHT, flags), kKnightPromotionScore);
    push(c, makeMoveWord(from, to, BISHOP, flags), kBishopPromotionScore);
    push(c, makeMoveWord(from, to, ROOK, flags), kRookPromotionScore);
    push(c, makeMoveWord(from, to, QUEEN, flags), kQueenPromotionScore);
    return true;
}

// addMove (bd, Quick: addMoveQuick) with the context's precomputed killers and
// threats. The quick form neither evaluates exchanges nor tests threats.
template <int Mode, bool Quick = false>
inline void add(GenContext& c, int32_t from, int32_t to, uint32_t flags) {
    Board& bd = *c.board;
    if (Mode == GEN_SINGLE && (from != c.onlyFrom || to != c.onlyTo)) return;
    if (pushPromotions(c, from, to, flags)) return;
    Move move = makeMoveWord(from, to, EMPTY, flags);
    int32_t kind = bd.pos.piece[from];
    int32_t victim = bd.pos.piece[to];
    int32_t score;
    if (victim != EMPTY) {
        score = captureScore(bd, victim, kind, move, !Quick);
    } else if (flags & MOVE_EN_PASSANT) {
        score = kEnPassantScore;
    } else {
        score = killerScore(c, move, kind, to, !Quick);
        if (score < 0) score = (flags & MOVE_CASTLE) ? kCastlingScore : historyScore(c, kind, to, !Quick);
    }
    push(c, move, score);
}

inline void addQuick(GenContext& c, int32_t from, int32_t to, uint32_t flags) {
    add<GEN_ALL, true>(c, from, to, flags);
}

// A capture that generateGoodCaptures takes (and generateOtherMoves leaves).
inline bool isGoodCapture(int32_t attacker, int32_t victim) {
    return gExchangeValue[victim] > gExchangeValue[attacker];
}

// Pawn captures, single step and double step of one pawn.
template <int Mode>
void pawnMoves(GenContext& c, int32_t from) {
    Board& bd = *c.board;
    const bool white = c.us == WHITE;
    const int32_t captureLeft = white ? from - 9 : from + 7;   // towards file a
    const int32_t captureRight = white ? from - 7 : from + 9;  // towards file h
    if (fileOf(from) != 0 && bd.pos.colour[captureLeft] == c.them &&
        !(Mode == GEN_OTHER && isGoodCapture(PAWN, bd.pos.piece[captureLeft])))
        add<Mode>(c, from, captureLeft, MOVE_PAWN | MOVE_CAPTURE);
    if (fileOf(from) != 7 && bd.pos.colour[captureRight] == c.them &&
        !(Mode == GEN_OTHER && isGoodCapture(PAWN, bd.pos.piece[captureRight])))
        add<Mode>(c, from, captureRight, MOVE_PAWN | MOVE_CAPTURE);
    const int32_t step = white ? from - 8 : from + 8;
    if (bd.pos.piece[step] != EMPTY) return;
    add<Mode>(c, from, step, MOVE_PAWN);
    const int32_t startRow = white ? 6 : 1;
    const int32_t twoSteps = white ? from - 16 : from + 16;
    if (rowOf(from) == startRow && bd.pos.piece[twoSteps] == EMPTY)
        add<Mode>(c, from, twoSteps, MOVE_PAWN | MOVE_DOUBLE_STEP);
}

// The pawns of the side to move that can take en passant: (from, to) pairs.
int32_t enPassantCaptures(Board& bd, int32_t fromSquares[2]) {
    const int32_t ep = bd.pos.epSquare;
    int32_t n = 0;
    if (ep == -1) return 0;
    const int32_t us = bd.pos.side;
    const int32_t left = us == WHITE ? ep + 7 : ep - 9;   // pawn on the file to the left
    const int32_t right = us == WHITE ? ep + 9 : ep - 7;  // pawn on the file to the right
    if (fileOf(ep) != 0 && bd.pos.piece[left] == PAWN && bd.pos.colour[left] == us) fromSquares[n++] = left;
    if (fileOf(ep) != 7 && bd.pos.piece[right] == PAWN && bd.pos.colour[right] == us) fromSquares[n++] = right;
    return n;
}

template <int Mode>
void enPassantMoves(GenContext& c) {
    Board& bd = *c.board;
    int32_t from[2];
    int32_t n = enPassantCaptures(bd, from);
    for (int32_t i = 0; i < n; i++)
        add<Mode>(c, from[i], bd.pos.epSquare, MOVE_PAWN | MOVE_EN_PASSANT | MOVE_CAPTURE);
}

// Moves of one knight, bishop, rook or queen through the mailbox.
template <int Mode>
void pieceMoves(GenContext& c, int32_t kind, int32_t from) {
    Board& bd = *c.board;
    const bool slides = kind != KNIGHT;
    for (int32_t i = 0; i < gOffsetCount[kind]; i++) {
        const int32_t offset = gMoveOffsets[kind][i];
        for (int32_t cell = gMailbox64[from] + offset;; cell += offset) {
            const int32_t to = gMailbox120[cell];
            if (to == -1) break;
            if (bd.pos.colour[to] == EMPTY) {
                add<Mode>(c, from, to, 0);
            } else {
                if (bd.pos.colour[to] == c.them && !(Mode == GEN_OTHER && isGoodCapture(kind, bd.pos.piece[to])))
                    add<Mode>(c, from, to, MOVE_CAPTURE);
                break;
            }
            if (!slides) break;
        }
    }
}

template <int Mode>
void kingMoves(GenContext& c) {
    Board& bd = *c.board;
    const int32_t from = bd.pos.kingSquare[c.us];
    const int32_t enemyKing = bd.pos.kingSquare[c.them];
    for (int32_t i = 0; i < 8; i++) {
        const int32_t to = gMailbox120[gMailbox64[from] + gMoveOffsets[KING][i]];
        if (to == -1 || bd.pos.colour[to] == c.us || gDistance[to][enemyKing] <= 1) continue;
        add<Mode>(c, from, to, bd.pos.colour[to] == c.them ? MOVE_CAPTURE : 0);
    }
}

// The squares from a to b on one rank, both included.
uint64_t rankSpan(int32_t a, int32_t b) {
    uint64_t bits = 0;
    for (int32_t s = a < b ? a : b, last = a < b ? b : a; s <= last; s++) bits |= squareBit(s);
    return bits;
}

// Chess960 castling, stored as the king taking its own rook: every square the
// king or the rook crosses or lands on is empty but for the two of them.
// Attacked squares are make's to test, as in standard chess.
template <int Mode>
void castlingMoves960(GenContext& c) {
    Board& bd = *c.board;
    const int32_t king = bd.pos.kingSquare[c.us], rank = king & 56;
    for (const bool queenSide : {false, true}) {
        const int32_t right = castlingRightIndex(c.us, queenSide);
        if (!(bd.pos.castle & (1 << right))) continue;
        const int32_t rook = bd.castling.rookSquare[right];
        const int32_t kingTo = rank + (queenSide ? 2 : 6), rookTo = rank + (queenSide ? 3 : 5);
        const uint64_t others = bd.pos.occupied & ~(squareBit(king) | squareBit(rook));
        if (others & (rankSpan(king, kingTo) | rankSpan(rook, rookTo))) continue;
        if (Mode == GEN_SINGLE && (king != c.onlyFrom || rook != c.onlyTo)) continue;
        const Move move = makeMoveWord(king, rook, EMPTY, MOVE_CASTLE);
        const int32_t score = killerScore(c, move, KING, rook, true);
        push(c, move, score < 0 ? kCastlingScore : score);
    }
}

template <int Mode>
void castlingMoves(GenContext& c) {
    Board& bd = *c.board;
    if (bd.castling.chess960) [[unlikely]] {
        castlingMoves960<Mode>(c);
        return;
    }
    const int32_t castle = bd.pos.castle;
    const int32_t enemyKing = bd.pos.kingSquare[c.them];
    const int32_t* board = bd.pos.piece;
    if (c.us == WHITE) {
        if ((castle & CASTLE_WK) && board[F1] == EMPTY && board[G1] == EMPTY && gDistance[enemyKing][G1] >= 2)
            add<Mode>(c, E1, G1, MOVE_CASTLE);
        if ((castle & CASTLE_WQ) && board[B1] == EMPTY && board[C1] == EMPTY && board[D1] == EMPTY &&
            gDistance[enemyKing][C1] >= 2)
            add<Mode>(c, E1, C1, MOVE_CASTLE);
    } else {
        if ((castle & CASTLE_BK) && board[F8] == EMPTY && board[G8] == EMPTY && gDistance[enemyKing][G8] >= 2)
            add<Mode>(c, E8, G8, MOVE_CASTLE);
        if ((castle & CASTLE_BQ) && board[B8] == EMPTY && board[C8] == EMPTY && board[D8] == EMPTY &&
            gDistance[enemyKing][C8] >= 2)
            add<Mode>(c, E8, C8, MOVE_CASTLE);
    }
}

// The whole of generateAllMoves; GEN_OTHER leaves out the good captures.
template <int Mode>
void allMoves(GenContext& c) {
    Board& bd = *c.board;
    const int32_t us = c.us;
    for (int32_t i = 0, n = bd.pos.pieceCount[us][PAWN]; i < n; i++)
        pawnMoves<Mode>(c, bd.pos.pieceList[us][PAWN][i]);
    enPassantMoves<Mode>(c);
    for (int32_t kind = KNIGHT; kind <= QUEEN; kind++)
        for (int32_t i = 0, n = bd.pos.pieceCount[us][kind]; i < n; i++)
            pieceMoves<Mode>(c, kind, bd.pos.pieceList[us][kind][i]);
    kingMoves<Mode>(c);
    castlingMoves<Mode>(c);
}

// Appends (from, to) for every set bit of targets, in increasing bit order.
template <typename AddFn>
inline void forEachTarget(uint64_t targets, int32_t from, uint32_t flags, AddFn addFn) {
    while (targets) addFn(from, gBitIndex[popLowestBit(targets)], flags);
}

uint64_t attacksOf(Board& bd, int32_t kind, int32_t square) {
    switch (kind) {
        case KNIGHT: return gKnightAttacks[gBitIndex[square]];
        case BISHOP: return bishopAttacks(bd.pos.occupied, square);
        case ROOK: return rookAttacks(bd.pos.occupied, square);
        case QUEEN: return bishopAttacks(bd.pos.occupied, square) | rookAttacks(bd.pos.occupied, square);
        default: return gKingAttacks[gBitIndex[square]];
    }
}

// King steps of generateEvasions: captures kept only when they win material.
void evasionKingSteps(GenContext& c) {
    Board& bd = *c.board;
    const int32_t from = bd.pos.kingSquare[c.us];
    const int32_t enemyKing = bd.pos.kingSquare[c.them];
    for (int32_t i = 0; i < 8; i++) {
        const int32_t to = gMailbox120[gMailbox64[from] + gMoveOffsets[KING][i]];
        if (to == -1 || bd.pos.colour[to] == c.us || gDistance[to][enemyKing] <= 1) continue;
        if (bd.pos.colour[to] == c.them) {
            Move move = makeMoveWord(from, to, EMPTY, MOVE_CAPTURE);
            if (see(bd, move) > 0) push(c, move, kWinningCaptureBase + gPieceValue[bd.pos.piece[to]]);
            continue;
        }
        Move move = makeMoveWord(from, to, EMPTY, 0);
        int32_t score = killerScore(c, move, KING, to, false);
        push(c, move, score >= 0 ? score : historyScore(c, KING, to, false));
    }
}

// Men of the side to move that can move onto the empty square `to`.
void interpositions(GenContext& c, int32_t to) {
    Board& bd = *c.board;
    const int32_t us = c.us;
    const bool white = us == WHITE;
    const int32_t behind = white ? to + 8 : to - 8;
    if (behind >= 0 && behind < 64 && bd.pos.piece[behind] == PAWN && bd.pos.colour[behind] == us)
        add<GEN_ALL>(c, behind, to, MOVE_PAWN);
    const int32_t twoBehind = white ? to + 16 : to - 16;
    const int32_t doubleStepRow = white ? 4 : 3;
    if (rowOf(to) == doubleStepRow && bd.pos.piece[behind] == EMPTY && bd.pos.piece[twoBehind] == PAWN &&
        bd.pos.colour[twoBehind] == us)
        add<GEN_ALL>(c, twoBehind, to, MOVE_PAWN | MOVE_DOUBLE_STEP);
    const uint64_t* own = bd.pos.pieceBits[us];
    auto addTo = [&](int32_t from) { add<GEN_ALL>(c, from, to, 0); };
    for (uint64_t b = gKnightAttacks[gBitIndex[to]] & own[KNIGHT]; b;) addTo(gBitIndex[popLowestBit(b)]);
    for (uint64_t b = bishopAttacks(bd.pos.occupied, to) & (own[BISHOP] | own[QUEEN]); b;)
        addTo(gBitIndex[popLowestBit(b)]);
    for (uint64_t b = rookAttacks(bd.pos.occupied, to) & (own[ROOK] | own[QUEEN]); b;)
        addTo(gBitIndex[popLowestBit(b)]);
}

// Captures of the checking man on `target` by men other than the king.
void checkerCaptures(GenContext& c, int32_t target) {
    Board& bd = *c.board;
    const int32_t us = c.us;
    const int32_t bit = gBitIndex[target];
    const uint64_t* own = bd.pos.pieceBits[us];
    for (uint64_t b = gPawnAttacks[c.them][bit] & own[PAWN]; b;)
        add<GEN_ALL>(c, gBitIndex[popLowestBit(b)], target, MOVE_PAWN | MOVE_CAPTURE);
    enPassantMoves<GEN_ALL>(c);
    auto addFrom = [&](int32_t from) { add<GEN_ALL>(c, from, target, MOVE_CAPTURE); };
    for (uint64_t b = gKnightAttacks[bit] & own[KNIGHT]; b;) addFrom(gBitIndex[popLowestBit(b)]);
    for (uint64_t b = bishopAttacks(bd.pos.occupied, target) & (own[BISHOP] | own[QUEEN]); b;)
        addFrom(gBitIndex[popLowestBit(b)]);
    for (uint64_t b = rookAttacks(bd.pos.occupied, target) & (own[ROOK] | own[QUEEN]); b;)
        addFrom(gBitIndex[popLowestBit(b)]);
}

int32_t squareShade(int32_t square) { return (fileOf(square) + rowOf(square)) & 1; }

bool onSameDiagonal(int32_t a, int32_t b) {
    int32_t df = fileOf(a) - fileOf(b), dr = rowOf(a) - rowOf(b);
    return df == dr || df == -dr;
}

bool onSameFileOrRank(int32_t a, int32_t b) {
    return fileOf(a) == fileOf(b) || rowOf(a) == rowOf(b);
}

// Quiet checks of the sliders of one kind. A slide goes on only while its
// squares stand on one of the enemy king's lines of that kind.
void sliderChecks(GenContext& c, int32_t kind, int32_t maxChecks) {
    Board& bd = *c.board;
    const int32_t king = bd.pos.kingSquare[c.them];
    const uint64_t kingBit = squareBit(king);
    for (int32_t i = 0, n = bd.pos.pieceCount[c.us][kind]; i < n; i++) {
        const int32_t from = bd.pos.pieceList[c.us][kind][i];
        if (kind == BISHOP && squareShade(from) != squareShade(king)) break;
        const uint64_t without = bd.pos.occupied & ~squareBit(from);
        int32_t found = 0;
        for (int32_t d = 0; d < gOffsetCount[kind] && found < maxChecks; d++) {
            const int32_t offset = gMoveOffsets[kind][d];
            for (int32_t cell = gMailbox64[from] + offset; found < maxChecks; cell += offset) {
                const int32_t to = gMailbox120[cell];
                if (to == -1 || bd.pos.piece[to] != EMPTY) break;
                const bool diagonal = onSameDiagonal(to, king);
                const bool straight = onSameFileOrRank(to, king);
                bool reaches;
                if (kind == BISHOP) {
                    if (!diagonal) break;
                    reaches = bishopAttacks(without, to) & kingBit;
                } else if (kind == ROOK) {
                    if (!straight) break;
                    reaches = rookAttacks(without, to) & kingBit;
                } else {
                    if (!diagonal && !straight) break;
                    reaches = (diagonal ? bishopAttacks(without, to) : rookAttacks(without, to)) & kingBit;
                }
                if (reaches) {
                    add<GEN_ALL>(c, from, to, 0);
                    found++;
                }
            }
        }
    }
}

void pawnChecks(GenContext& c) {
    Board& bd = *c.board;
    const int32_t us = c.us;
    const bool white = us == WHITE;
    const uint64_t kingBit = squareBit(bd.pos.kingSquare[c.them]);
    for (int32_t i = 0, n = bd.pos.pieceCount[us][PAWN]; i < n; i++) {
        const int32_t from = bd.pos.pieceList[us][PAWN][i];
        const int32_t step = white ? from - 8 : from + 8;
        if (bd.pos.piece[step] != EMPTY) continue;
        if (gPawnAttacks[us][gBitIndex[step]] & kingBit) add<GEN_ALL>(c, from, step, MOVE_PAWN);
        const int32_t twoSteps = white ? from - 16 : from + 16;
        if (rowOf(from) == (white ? 6 : 1) && bd.pos.piece[twoSteps] == EMPTY &&
            (gPawnAttacks[us][gBitIndex[twoSteps]] & kingBit))
            add<GEN_ALL>(c, from, twoSteps, MOVE_PAWN | MOVE_DOUBLE_STEP);
    }
}

void knightChecks(GenContext& c) {
    Board& bd = *c.board;
    const int32_t king = bd.pos.kingSquare[c.them];
    const uint64_t kingKnightSquares = gKnightAttacks[gBitIndex[king]];
    for (int32_t i = 0, n = bd.pos.pieceCount[c.us][KNIGHT]; i < n; i++) {
        const int32_t from = bd.pos.pieceList[c.us][KNIGHT][i];
        if (squareShade(from) != squareShade(king)) break;
        int32_t found = 0;
        for (int32_t d = 0; d < 8 && found < 2; d++) {
            const int32_t to = gMailbox120[gMailbox64[from] + gMoveOffsets[KNIGHT][d]];
            if (to == -1 || bd.pos.piece[to] != EMPTY) continue;
            if (onSameDiagonal(to, king) || onSameFileOrRank(to, king)) continue;
            if (kingKnightSquares & squareBit(to)) {
                add<GEN_ALL>(c, from, to, 0);
                found++;
            }
        }
    }
}

}  // namespace

void addMove(Board& bd, int32_t from, int32_t to, uint32_t flags) {
    GenContext c = beginList(bd, true);
    c.next = bd.moveStack + bd.firstMove[c.ply + 1];
    add<GEN_ALL>(c, from, to, flags);
    endList(c);
}

void addMoveQuick(Board& bd, int32_t from, int32_t to, uint32_t flags) {
    GenContext c = beginList(bd, false);
    c.next = bd.moveStack + bd.firstMove[c.ply + 1];
    addQuick(c, from, to, flags);
    endList(c);
}

bool isThreatened(Board& bd, int32_t colour, int32_t from, int32_t to) {
    GenContext c;
    c.board = &bd;
    c.us = colour;
    c.them = colour ^ 1;
    c.threatTests = true;
    computeThreats(c);
    return threatened(c, bd.pos.piece[from], to);
}

void generateAllMoves(Board& bd) {
    GenContext c = beginList(bd, true);
    allMoves<GEN_ALL>(c);
    endList(c);
}

void generateOtherMoves(Board& bd) {
    GenContext c = beginList(bd, true);
    allMoves<GEN_OTHER>(c);
    endList(c);
}

void generateGoodCaptures(Board& bd) {
    GenContext c = beginList(bd, false, false);
    const int32_t us = c.us;
    const bool white = us == WHITE;
    for (int32_t i = 0, n = bd.pos.pieceCount[us][PAWN]; i < n; i++) {
        const int32_t from = bd.pos.pieceList[us][PAWN][i];
        const int32_t left = white ? from - 9 : from + 7;
        const int32_t right = white ? from - 7 : from + 9;
        if (fileOf(from) != 0 && bd.pos.colour[left] == c.them && isGoodCapture(PAWN, bd.pos.piece[left]))
            add<GEN_ALL>(c, from, left, MOVE_PAWN | MOVE_CAPTURE);
        if (fileOf(from) != 7 && bd.pos.colour[right] == c.them && isGoodCapture(PAWN, bd.pos.piece[right]))
            add<GEN_ALL>(c, from, right, MOVE_PAWN | MOVE_CAPTURE);
    }
    const uint64_t* enemy = bd.pos.pieceBits[c.them];
    const uint64_t heavy = enemy[ROOK] | enemy[QUEEN] | enemy[KING];
    const uint64_t victims[3] = {heavy, heavy, enemy[QUEEN] | enemy[KING]};  // knight, bishop, rook
    auto addCapture = [&](int32_t from, int32_t to, uint32_t flags) { add<GEN_ALL>(c, from, to, flags); };
    for (int32_t kind = KNIGHT; kind <= ROOK; kind++)
        for (int32_t i = 0, n = bd.pos.pieceCount[us][kind]; i < n; i++) {
            const int32_t from = bd.pos.pieceList[us][kind][i];
            forEachTarget(attacksOf(bd, kind, from) & victims[kind - KNIGHT], from, MOVE_CAPTURE, addCapture);
        }
    endList(c);
}

void generateCaptures(Board& bd) {
    GenContext c = beginList(bd, false, false);
    const int32_t us = c.us;
    const bool white = us == WHITE;
    auto addCapture = [&](int32_t from, int32_t to, uint32_t flags) { addQuick(c, from, to, flags); };
    for (int32_t i = 0, n = bd.pos.pieceCount[us][PAWN]; i < n; i++) {
        const int32_t from = bd.pos.pieceList[us][PAWN][i];
        const int32_t left = white ? from - 9 : from + 7;
        const int32_t right = white ? from - 7 : from + 9;
        if (fileOf(from) != 0 && bd.pos.colour[left] == c.them) addQuick(c, from, left, MOVE_PAWN | MOVE_CAPTURE);
        if (fileOf(from) != 7 && bd.pos.colour[right] == c.them) addQuick(c, from, right, MOVE_PAWN | MOVE_CAPTURE);
        const int32_t step = white ? from - 8 : from + 8;
        if (rowOf(from) == (white ? 1 : 6) && bd.pos.piece[step] == EMPTY) addQuick(c, from, step, MOVE_PAWN);
    }
    int32_t epFrom[2];
    for (int32_t i = 0, n = enPassantCaptures(bd, epFrom); i < n; i++)
        addQuick(c, epFrom[i], bd.pos.epSquare, MOVE_PAWN | MOVE_EN_PASSANT | MOVE_CAPTURE);
    const uint64_t enemy = bd.pos.occupancy[c.them];
    for (int32_t kind = KNIGHT; kind <= QUEEN; kind++)
        for (int32_t i = 0, n = bd.pos.pieceCount[us][kind]; i < n; i++) {
            const int32_t from = bd.pos.pieceList[us][kind][i];
            forEachTarget(attacksOf(bd, kind, from) & enemy, from, MOVE_CAPTURE, addCapture);
        }
    const int32_t king = bd.pos.kingSquare[us];
    const uint64_t nearEnemyKing = gKingAttacks[gBitIndex[bd.pos.kingSquare[c.them]]];
    forEachTarget(gKingAttacks[gBitIndex[king]] & enemy & ~nearEnemyKing, king, MOVE_CAPTURE, addCapture);
    endList(c);
}

void generateQuietChecks(Board& bd) {
    GenContext c = beginList(bd, true);
    pawnChecks(c);
    knightChecks(c);
    sliderChecks(c, BISHOP, 2);
    sliderChecks(c, ROOK, 2);
    sliderChecks(c, QUEEN, 10);
    endList(c);
}

void generateEvasions(Board& bd) {
    GenContext c = beginList(bd, true);
    evasionKingSteps(c);
    const int32_t checker = bd.checkerSquare[0];
    const int32_t king = bd.pos.kingSquare[c.us];
    const int32_t kind = bd.pos.piece[checker];
    if (kind >= BISHOP && kind <= QUEEN && gDistance[king][checker] >= 2) {
        // Squares strictly between king and checker, lowest square number first.
        const int32_t low = king < checker ? king : checker;
        const int32_t high = king < checker ? checker : king;
        const int32_t fileStep = fileOf(high) > fileOf(low) ? 1 : (fileOf(high) < fileOf(low) ? -1 : 0);
        const int32_t rowStep = rowOf(high) > rowOf(low) ? 1 : 0;
        const int32_t step = rowStep * 8 + fileStep;
        for (int32_t s = low + step; s != high; s += step) interpositions(c, s);
    }
    checkerCaptures(c, checker);
    endList(c);
}

void generateKingMoves(Board& bd) {
    GenContext c = beginList(bd, true);
    evasionKingSteps(c);
    endList(c);
}

void generateSingleMove(Board& bd, Move move) {
    GenContext c = beginList(bd, true);
    c.onlyFrom = moveFrom(move);
    c.onlyTo = moveTo(move);
    const int32_t from = c.onlyFrom;
    if (from >= 0 && from < 64 && bd.pos.colour[from] == c.us) {
        const int32_t kind = bd.pos.piece[from];
        if (kind == PAWN) {
            pawnMoves<GEN_SINGLE>(c, from);
            enPassantMoves<GEN_SINGLE>(c);
        } else if (kind == KING) {
            kingMoves<GEN_SINGLE>(c);
            castlingMoves<GEN_SINGLE>(c);
        } else {
            pieceMoves<GEN_SINGLE>(c, kind, from);
        }
    }
    endList(c);
}
