#include "board/makemove.h"

#include "board/attacks.h"
#include "board/bitops.h"
#include "board/position.h"
#include "board/tables.h"

namespace {

constexpr bool onSeventhRank(int32_t colour, int32_t square) {
    return colour == WHITE ? (square >= 8 && square <= 15) : (square >= 48 && square <= 55);
}

// Piece-list edits of make. Removal moves the last entry into the freed slot;
// an arriving man is appended at the end.
// listIndex says where each man stands in its list.
inline void listRemove(Board& bd, int32_t colour, int32_t kind, int32_t square) {
    Position& p = bd.pos;
    int8_t* list = p.pieceList[colour][kind];
    const int32_t last = --p.pieceCount[colour][kind];
    const int32_t i = p.listIndex[square];
    list[i] = list[last];
    p.listIndex[list[i]] = int8_t(i);
}

inline void listAppend(Board& bd, int32_t colour, int32_t kind, int32_t square) {
    Position& p = bd.pos;
    p.listIndex[square] = int8_t(p.pieceCount[colour][kind]);
    p.pieceList[colour][kind][p.pieceCount[colour][kind]++] = square;
}

// Removal of `from` and append of `to` in one: the same entry count.
inline void listMove(Board& bd, int32_t colour, int32_t kind, int32_t from, int32_t to) {
    Position& p = bd.pos;
    int8_t* list = p.pieceList[colour][kind];
    const int32_t last = p.pieceCount[colour][kind] - 1;
    const int32_t i = p.listIndex[from];
    list[i] = list[last];
    p.listIndex[list[i]] = int8_t(i);
    list[last] = to;
    p.listIndex[to] = int8_t(last);
}

// Unmake of a man's move from `from` to `to`: the same as removing it from
// `to` and adding it on `from`, in one pass over the arrays, list and boards.
inline void moveBack(Board& bd, int32_t kind, int32_t colour, int32_t to, int32_t from) {
    Position& p = bd.pos;
    p.colour[to] = EMPTY;
    p.piece[to] = EMPTY;
    p.colour[from] = colour;
    p.piece[from] = kind;
    listMove(bd, colour, kind, to, from);
    const uint64_t bits = squareBit(from) | squareBit(to);
    p.occupancy[colour] ^= bits;
    p.occupied ^= bits;
    p.pieceBits[colour][kind] ^= bits;
    if (kind == PAWN) {
        p.pawnBits[colour] ^= bits;
        p.pawnsOnSeventh[colour] += onSeventhRank(colour, from) - onSeventhRank(colour, to);
    } else if (kind == KING) {
        p.kingSquare[colour] = from;
    }
}

// Material counters for a man of `kind` gained (+1) or lost (-1).
inline void countMaterial(Board& bd, int32_t colour, int32_t kind, int32_t sign) {
    Position& p = bd.pos;
    switch (kind) {
        case PAWN:
            p.pawnNumber[colour] += sign;
            p.pawnMaterial[colour] += sign * gPieceValue[PAWN];
            return;
        case KNIGHT: p.knightNumber[colour] += sign; break;
        case BISHOP: p.bishopNumber[colour] += sign; break;
        case ROOK: p.rookNumber[colour] += sign; break;
        case QUEEN: p.queenNumber[colour] += sign; break;
        default: return;
    }
    p.pieceNumber[colour] += sign;
    p.pieceMaterial[colour] += sign * gPieceValue[kind];
}

// The squares a move changes, worked out once from the move and the board.
struct MoveEffect {
    int32_t from, to, mover, placed, captured;
    int32_t epVictim;            // square of a pawn taken en passant, or -1
    int32_t rookFrom, rookTo;    // castling rook, or -1
};

// Applies the changes of the move to the occupancy boards (exclusive-or
// updates).
inline void toggleBoards(Board& bd, const MoveEffect& e, int32_t us, int32_t them) {
    Position& p = bd.pos;
    const uint64_t fromBit = squareBit(e.from), toBit = squareBit(e.to);
    p.pieceBits[us][e.mover] ^= fromBit;
    p.pieceBits[us][e.placed] ^= toBit;
    p.occupancy[us] ^= fromBit | toBit;
    if (e.captured != EMPTY) {
        p.pieceBits[them][e.captured] ^= toBit;
        p.occupancy[them] ^= toBit;
    }
    if (e.epVictim != -1) [[unlikely]] {
        const uint64_t bit = squareBit(e.epVictim);
        p.pieceBits[them][PAWN] ^= bit;
        p.occupancy[them] ^= bit;
    }
    if (e.rookFrom != -1) [[unlikely]] {
        const uint64_t bits = squareBit(e.rookFrom) | squareBit(e.rookTo);
        p.pieceBits[us][ROOK] ^= bits;
        p.occupancy[us] ^= bits;
    }
    p.pawnBits[us] = p.pieceBits[us][PAWN];
    p.pawnBits[them] = p.pieceBits[them][PAWN];
    p.occupied = p.occupancy[WHITE] | p.occupancy[BLACK];
}

inline void setSquare(Board& bd, int32_t square, int32_t colour, int32_t kind) {
    bd.pos.colour[square] = colour;
    bd.pos.piece[square] = kind;
}

void placeOnBoard(Board& bd, const MoveEffect& e, int32_t us) {
    setSquare(bd, e.from, EMPTY, EMPTY);
    setSquare(bd, e.to, us, e.placed);
    if (e.epVictim != -1) [[unlikely]] setSquare(bd, e.epVictim, EMPTY, EMPTY);
    if (e.rookFrom != -1) [[unlikely]] {
        setSquare(bd, e.rookFrom, EMPTY, EMPTY);
        setSquare(bd, e.rookTo, us, ROOK);
    }
}

// Castling: the squares the king passes must be empty and not attacked, and
// the king must not stand in check. Sets the rook's squares; false if not allowed.
bool castlingAllowed(Board& bd, int32_t to, int32_t them, int32_t* rookFrom, int32_t* rookTo) {
    const int32_t* board = bd.pos.piece;
    switch (to) {
        case G1:
            *rookFrom = H1, *rookTo = F1;
            return board[F1] == EMPTY && board[G1] == EMPTY && !isAttacked(bd, F1, them) && !isAttacked(bd, G1, them);
        case C1:
            *rookFrom = A1, *rookTo = D1;
            return board[B1] == EMPTY && board[C1] == EMPTY && board[D1] == EMPTY && !isAttacked(bd, C1, them) &&
                   !isAttacked(bd, D1, them);
        case G8:
            *rookFrom = H8, *rookTo = F8;
            return board[F8] == EMPTY && board[G8] == EMPTY && !isAttacked(bd, F8, them) && !isAttacked(bd, G8, them);
        case C8:
            *rookFrom = A8, *rookTo = D8;
            return board[B8] == EMPTY && board[C8] == EMPTY && board[D8] == EMPTY && !isAttacked(bd, C8, them) &&
                   !isAttacked(bd, D8, them);
        default:
            return false;
    }
}

// The squares of a Chess960 castling move, stored as the king taking its own
// rook: the king ends on the g- or c-file and the rook beside it, on the f- or
// d-file, whichever files they started on.
struct Castling960 {
    int32_t kingFrom, kingTo, rookFrom, rookTo;
};

inline Castling960 castlingSquares960(Move move) {
    const int32_t kingFrom = moveFrom(move), rookFrom = moveTo(move);
    const int32_t rank = kingFrom & 56;
    const bool kingSide = rookFrom > kingFrom;
    return {kingFrom, rank + (kingSide ? 6 : 2), rookFrom, rank + (kingSide ? 5 : 3)};
}

// The king is not in check, crosses no attacked square and does not end in
// check once its rook has moved (the rook may have screened its target). The
// generator has seen to the empty squares.
bool castling960Allowed(Board& bd, const Castling960& c, int32_t them) {
    if (isAttacked(bd, c.kingFrom, them)) return false;
    const int32_t step = c.kingTo > c.kingFrom ? 1 : -1;
    for (int32_t s = c.kingFrom; s != c.kingTo;) {
        s += step;
        if (isAttacked(bd, s, them)) return false;
    }
    const uint64_t left = squareBit(c.kingFrom) | squareBit(c.rookFrom);
    const uint64_t occupied = (bd.pos.occupied & ~left) | squareBit(c.kingTo) | squareBit(c.rookTo);
    return !isAttackedAfter(bd, c.kingTo, them, occupied, 0);
}

// Moves the king and its rook between the squares of a Chess960 castling
// (make: from -> to; unmake: to -> from). Either man may land where the other
// stood, so every square is emptied before any is filled, and both list
// places are read before either is written. The list order does not change.
void moveCastlingMen(Board& bd, int32_t us, int32_t kingFrom, int32_t kingTo, int32_t rookFrom, int32_t rookTo) {
    Position& p = bd.pos;
    const int8_t kingPlace = p.listIndex[kingFrom], rookPlace = p.listIndex[rookFrom];
    setSquare(bd, kingFrom, EMPTY, EMPTY);
    setSquare(bd, rookFrom, EMPTY, EMPTY);
    setSquare(bd, kingTo, us, KING);
    setSquare(bd, rookTo, us, ROOK);
    p.pieceList[us][KING][kingPlace] = int8_t(kingTo);
    p.pieceList[us][ROOK][rookPlace] = int8_t(rookTo);
    p.listIndex[kingTo] = kingPlace;
    p.listIndex[rookTo] = rookPlace;
    p.pieceBits[us][KING] ^= squareBit(kingFrom) ^ squareBit(kingTo);
    p.pieceBits[us][ROOK] ^= squareBit(rookFrom) ^ squareBit(rookTo);
    const uint64_t left = squareBit(kingFrom) | squareBit(rookFrom);
    p.occupancy[us] = (p.occupancy[us] & ~left) | squareBit(kingTo) | squareBit(rookTo);
    p.occupied = p.occupancy[WHITE] | p.occupancy[BLACK];
    p.kingSquare[us] = kingTo;
}

// What the move changes, worked out from the board before it is made.
inline MoveEffect effectOf(Board& bd, Move move, int32_t rookFrom, int32_t rookTo) {
    const Position& p = bd.pos;
    MoveEffect e;
    e.from = moveFrom(move);
    e.to = moveTo(move);
    e.mover = p.piece[e.from];
    e.captured = p.piece[e.to];
    e.placed = (moveFlags(move) & MOVE_PROMOTION) ? movePromotion(move) : e.mover;
    e.epVictim = (moveFlags(move) & MOVE_EN_PASSANT) ? (p.side == WHITE ? e.to + 8 : e.to - 8) : -1;
    e.rookFrom = rookFrom;
    e.rookTo = rookTo;
    return e;
}

// True if the move would leave the mover's king attacked. The test runs on
// the occupancy the move would leave, before the board changes: a refused
// move has nothing to take back, and make carries only the board and the
// move across the call.
bool leavesKingAttacked(Board& bd, Move move, int32_t rookFrom, int32_t rookTo) {
    const MoveEffect e = effectOf(bd, move, rookFrom, rookTo);
    const Position& p = bd.pos;
    const uint64_t toBit = squareBit(e.to);
    uint64_t occupied = (p.occupied ^ squareBit(e.from)) | toBit;
    uint64_t taken = toBit;
    if (e.epVictim != -1) [[unlikely]] {
        occupied ^= squareBit(e.epVictim);
        taken |= squareBit(e.epVictim);
    }
    if (e.rookFrom != -1) [[unlikely]] occupied ^= squareBit(e.rookFrom) | squareBit(e.rookTo);
    const int32_t king = e.mover == KING ? e.to : p.kingSquare[p.side];
    return isAttackedAfter(bd, king, p.xside, occupied, taken);
}

// Lists, counters and keys of a move already on the board.
void updateListsAndKeys(Board& bd, const MoveEffect& e, int32_t us, int32_t them) {
    Position& p = bd.pos;
    uint64_t hashDelta = 0, pawnDelta = 0;
    if (e.rookFrom != -1) [[unlikely]] {
        listMove(bd, us, ROOK, e.rookFrom, e.rookTo);
        hashDelta ^= gPieceKey[us][ROOK][e.rookFrom] ^ gPieceKey[us][ROOK][e.rookTo];
    }
    if (e.captured != EMPTY) {
        listRemove(bd, them, e.captured, e.to);
        countMaterial(bd, them, e.captured, -1);
        hashDelta ^= gPieceKey[them][e.captured][e.to];
        if (e.captured == PAWN) {
            pawnDelta ^= gPieceKey[them][PAWN][e.to];
            p.pawnsOnSeventh[them] -= onSeventhRank(them, e.to);
        }
    }
    hashDelta ^= gPieceKey[us][e.mover][e.from] ^ gPieceKey[us][e.placed][e.to];
    if (e.placed != e.mover) [[unlikely]] {  // promotion
        listAppend(bd, us, e.placed, e.to);
        listRemove(bd, us, PAWN, e.from);
        countMaterial(bd, us, PAWN, -1);
        countMaterial(bd, us, e.placed, +1);
        pawnDelta ^= gPieceKey[us][PAWN][e.from];
        p.pawnsOnSeventh[us] -= onSeventhRank(us, e.from);
    } else {
        listMove(bd, us, e.mover, e.from, e.to);
        if (e.mover == PAWN) {
            pawnDelta ^= gPieceKey[us][PAWN][e.from] ^ gPieceKey[us][PAWN][e.to];
            p.pawnsOnSeventh[us] += onSeventhRank(us, e.to) - onSeventhRank(us, e.from);
        } else if (e.mover == KING) {
            p.kingSquare[us] = e.to;
        }
    }
    if (e.epVictim != -1) [[unlikely]] {
        listRemove(bd, them, PAWN, e.epVictim);
        countMaterial(bd, them, PAWN, -1);
        hashDelta ^= gPieceKey[them][PAWN][e.epVictim];
        pawnDelta ^= gPieceKey[them][PAWN][e.epVictim];
    }
    p.hashKey ^= hashDelta;
    p.pawnKey ^= pawnDelta;
}

// Castling rights, en-passant square and half-move clock after the move
// (inlined into both makes: the ordinary one is the hot path).
[[gnu::always_inline]] inline void updateGameState(Board& bd, Move move, const MoveEffect& e, int32_t them) {
    Position& p = bd.pos;
    const uint32_t flags = moveFlags(move);
    const int32_t castle = p.castle & bd.castling.mask[e.from] & bd.castling.mask[e.to];
    if (castle != p.castle) {
        p.hashKey ^= gCastleKey[p.castle] ^ gCastleKey[castle];
        p.castle = castle;
    }
    if (p.epSquare != -1) {
        p.hashKey ^= gEpKey[p.epSquare];
        p.pawnKey ^= gEpKey[p.epSquare];
        p.epSquare = -1;
    }
    if (flags & MOVE_DOUBLE_STEP) {
        const int32_t to = e.to;
        const bool left = fileOf(to) != 0 && p.piece[to - 1] == PAWN && p.colour[to - 1] == them;
        const bool right = fileOf(to) != 7 && p.piece[to + 1] == PAWN && p.colour[to + 1] == them;
        if (left || right) {
            p.epSquare = them == BLACK ? to + 8 : to - 8;
            p.hashKey ^= gEpKey[p.epSquare];
            p.pawnKey ^= gEpKey[p.epSquare];
        }
    }
    p.fifty = (flags & (MOVE_CAPTURE | MOVE_PAWN)) ? 0 : p.fifty + 1;
}

// The other side is to move, one ply deeper.
inline void passTurn(Board& bd) {
    Position& p = bd.pos;
    p.ply++;
    p.hply++;
    p.side ^= 1;
    p.xside ^= 1;
    p.hashKey ^= gSideKey;
    p.pawnKey ^= gSideKey;
}

// One ply back: sides, and the fields every history entry saves.
inline const HistoryEntry& stepBack(Board& bd) {
    Position& p = bd.pos;
    p.ply--;
    p.hply--;
    p.side ^= 1;
    p.xside ^= 1;
    const HistoryEntry& h = bd.history[p.hply];
    p.castle = h.castle;
    p.epSquare = h.epSquare;
    p.fifty = h.fifty;
    p.hashKey = h.key;
    p.pawnKey = h.pawnKey;
    return h;
}

// Make of a Chess960 castling: nothing is captured, the rights go with the
// king's square, and no pawn moved. Kept out of line, away from the
// ordinary make's registers.
[[gnu::noinline, gnu::cold]] bool makeCastling960(Board& bd, Move move) {
    Position& p = bd.pos;
    const int32_t us = p.side, them = p.xside;
    bd.history[p.hply].captured = EMPTY;
    const Castling960 c = castlingSquares960(move);
    if (!castling960Allowed(bd, c, them)) return false;
    moveCastlingMen(bd, us, c.kingFrom, c.kingTo, c.rookFrom, c.rookTo);
    p.hashKey ^= gPieceKey[us][KING][c.kingFrom] ^ gPieceKey[us][KING][c.kingTo] ^
                 gPieceKey[us][ROOK][c.rookFrom] ^ gPieceKey[us][ROOK][c.rookTo];
    MoveEffect e{};
    e.from = c.kingFrom;
    e.to = c.rookFrom;
    updateGameState(bd, move, e, them);
    passTurn(bd);
    return true;
}

// Unmake of a castling (which captures nothing): the king, then its rook.
void takeBackCastling(Board& bd, Move move, int32_t us) {
    if (bd.castling.chess960) {
        const Castling960 c = castlingSquares960(move);
        moveCastlingMen(bd, us, c.kingTo, c.kingFrom, c.rookTo, c.rookFrom);
        return;
    }
    const int32_t from = moveFrom(move), to = moveTo(move);
    moveBack(bd, KING, us, to, from);
    int32_t rookFrom = 0, rookTo = 0;
    switch (to) {
        case G1: rookFrom = H1, rookTo = F1; break;
        case C1: rookFrom = A1, rookTo = D1; break;
        case G8: rookFrom = H8, rookTo = F8; break;
        default: rookFrom = A8, rookTo = D8; break;
    }
    moveBack(bd, ROOK, us, rookTo, rookFrom);
}

}  // namespace

bool makeMove(Board& bd, Move move) {
    Position& p = bd.pos;
    const int32_t us = p.side, them = p.xside;

    // 1. History entry.
    HistoryEntry& h = bd.history[p.hply];
    h.move = move;
    h.captured = p.piece[moveTo(move)];
    h.castle = p.castle;
    h.epSquare = p.epSquare;
    h.fifty = p.fifty;
    h.key = p.hashKey;
    h.pawnKey = p.pawnKey;

    // 2. Castling out of check or through attacked squares is refused, and so
    // is a move that leaves the own king attacked; nothing has changed yet.
    int32_t rookFrom = -1, rookTo = -1;
    if (moveFlags(move) & MOVE_CASTLE) [[unlikely]] {
        if (bd.castling.chess960) return makeCastling960(bd, move);
        if (inCheck(bd, us) || !castlingAllowed(bd, moveTo(move), them, &rookFrom, &rookTo)) return false;
    }
    if (leavesKingAttacked(bd, move, rookFrom, rookTo)) return false;

    // 3-10. Board, bitboards, lists, counters, keys, rights, en-passant
    // square, clock.
    const MoveEffect e = effectOf(bd, move, rookFrom, rookTo);
    placeOnBoard(bd, e, us);
    toggleBoards(bd, e, us, them);
    updateListsAndKeys(bd, e, us, them);
    updateGameState(bd, move, e, them);

    // 12. The other side is to move.
    passTurn(bd);
    return true;
}

void unmakeMove(Board& bd) {
    Position& p = bd.pos;
    const HistoryEntry& h = stepBack(bd);
    const int32_t us = p.side, them = p.xside;

    const Move move = h.move;
    const int32_t from = moveFrom(move), to = moveTo(move);
    const uint32_t flags = moveFlags(move);
    if (flags & MOVE_CASTLE) [[unlikely]] {
        takeBackCastling(bd, move, us);
        return;
    }
    if (flags & MOVE_PROMOTION) [[unlikely]] {
        const int32_t promoted = p.piece[to];
        removePiece(bd, promoted, us, to);
        countMaterial(bd, us, promoted, -1);
        addPiece(bd, PAWN, us, from);
        countMaterial(bd, us, PAWN, +1);
    } else {
        moveBack(bd, p.piece[to], us, to, from);
    }
    if (h.captured != EMPTY) {
        addPiece(bd, h.captured, them, to);
        countMaterial(bd, them, h.captured, +1);
    }
    if (flags & MOVE_EN_PASSANT) [[unlikely]] {
        addPiece(bd, PAWN, them, us == WHITE ? to + 8 : to - 8);
        countMaterial(bd, them, PAWN, +1);
    }
}

uint64_t keyAfter(Board& bd, Move move) {
    const Position& p = bd.pos;
    const int32_t us = p.side, them = p.xside, from = moveFrom(move), to = moveTo(move);
    // The board's fields first: then nothing else needs the board.
    const int32_t castle = p.castle & bd.castling.mask[from] & bd.castling.mask[to];
    uint64_t key = p.hashKey ^ gCastleKey[p.castle] ^ gCastleKey[castle];
    if (p.epSquare != -1) key ^= gEpKey[p.epSquare];
    const int32_t mover = p.piece[from], captured = p.piece[to];
    const int32_t placed = (moveFlags(move) & MOVE_PROMOTION) ? movePromotion(move) : mover;
    key ^= gSideKey ^ gPieceKey[us][mover][from] ^ gPieceKey[us][placed][to];
    if (captured != EMPTY) key ^= gPieceKey[them][captured][to];
    if (moveFlags(move) & MOVE_EN_PASSANT) key ^= gPieceKey[them][PAWN][us == WHITE ? to + 8 : to - 8];
    return key;
}

uint64_t keyAfterNullMove(Board& bd) {
    return bd.pos.hashKey ^ gSideKey ^ (bd.pos.epSquare != -1 ? gEpKey[bd.pos.epSquare] : 0);
}

void makeNullMove(Board& bd) {
    Position& p = bd.pos;
    HistoryEntry& h = bd.history[p.hply];
    h.castle = p.castle;
    h.epSquare = p.epSquare;
    h.fifty = p.fifty;
    h.key = p.hashKey;
    h.pawnKey = p.pawnKey;
    if (p.epSquare != -1) {
        p.hashKey ^= gEpKey[p.epSquare];
        p.pawnKey ^= gEpKey[p.epSquare];
        p.epSquare = -1;
    }
    p.fifty = 0;
    passTurn(bd);
}

void unmakeNullMove(Board& bd) {
    stepBack(bd);
}
