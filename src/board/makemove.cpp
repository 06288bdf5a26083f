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
inline void listRemove(int32_t colour, int32_t kind, int32_t square) {
    Position& p = gPos;
    int8_t* list = p.pieceList[colour][kind];
    const int32_t last = --p.pieceCount[colour][kind];
    const int32_t i = p.listIndex[square];
    list[i] = list[last];
    p.listIndex[list[i]] = int8_t(i);
}

inline void listAppend(int32_t colour, int32_t kind, int32_t square) {
    Position& p = gPos;
    p.listIndex[square] = int8_t(p.pieceCount[colour][kind]);
    p.pieceList[colour][kind][p.pieceCount[colour][kind]++] = square;
}

// Removal of `from` and append of `to` in one: the same entry count.
inline void listMove(int32_t colour, int32_t kind, int32_t from, int32_t to) {
    Position& p = gPos;
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
inline void moveBack(int32_t kind, int32_t colour, int32_t to, int32_t from) {
    Position& p = gPos;
    p.colour[to] = EMPTY;
    p.piece[to] = EMPTY;
    p.colour[from] = colour;
    p.piece[from] = kind;
    listMove(colour, kind, to, from);
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
inline void countMaterial(int32_t colour, int32_t kind, int32_t sign) {
    Position& p = gPos;
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

// Applies (or, called a second time, takes back) the changes of the move to
// the occupancy boards; they are all exclusive-or updates.
inline void toggleBoards(const MoveEffect& e, int32_t us, int32_t them) {
    Position& p = gPos;
    const uint64_t fromBit = squareBit(e.from), toBit = squareBit(e.to);
    p.pieceBits[us][e.mover] ^= fromBit;
    p.pieceBits[us][e.placed] ^= toBit;
    p.occupancy[us] ^= fromBit | toBit;
    if (e.captured != EMPTY) {
        p.pieceBits[them][e.captured] ^= toBit;
        p.occupancy[them] ^= toBit;
    }
    if (e.epVictim != -1) {
        const uint64_t bit = squareBit(e.epVictim);
        p.pieceBits[them][PAWN] ^= bit;
        p.occupancy[them] ^= bit;
    }
    if (e.rookFrom != -1) {
        const uint64_t bits = squareBit(e.rookFrom) | squareBit(e.rookTo);
        p.pieceBits[us][ROOK] ^= bits;
        p.occupancy[us] ^= bits;
    }
    p.pawnBits[us] = p.pieceBits[us][PAWN];
    p.pawnBits[them] = p.pieceBits[them][PAWN];
    p.occupied = p.occupancy[WHITE] | p.occupancy[BLACK];
}

inline void setSquare(int32_t square, int32_t colour, int32_t kind) {
    gPos.colour[square] = colour;
    gPos.piece[square] = kind;
}

void placeOnBoard(const MoveEffect& e, int32_t us) {
    setSquare(e.from, EMPTY, EMPTY);
    setSquare(e.to, us, e.placed);
    if (e.epVictim != -1) setSquare(e.epVictim, EMPTY, EMPTY);
    if (e.rookFrom != -1) {
        setSquare(e.rookFrom, EMPTY, EMPTY);
        setSquare(e.rookTo, us, ROOK);
    }
}

void takeBackFromBoard(const MoveEffect& e, int32_t us, int32_t them) {
    setSquare(e.from, us, e.mover);
    setSquare(e.to, e.captured == EMPTY ? EMPTY : them, e.captured);
    if (e.epVictim != -1) setSquare(e.epVictim, them, PAWN);
    if (e.rookFrom != -1) {
        setSquare(e.rookTo, EMPTY, EMPTY);
        setSquare(e.rookFrom, us, ROOK);
    }
}

// Castling: the squares the king passes must be empty and not attacked, and
// the king must not stand in check. Sets the rook's squares; false if not allowed.
bool castlingAllowed(int32_t to, int32_t them, int32_t* rookFrom, int32_t* rookTo) {
    const int32_t* board = gPos.piece;
    switch (to) {
        case G1:
            *rookFrom = H1, *rookTo = F1;
            return board[F1] == EMPTY && board[G1] == EMPTY && !isAttacked(F1, them) && !isAttacked(G1, them);
        case C1:
            *rookFrom = A1, *rookTo = D1;
            return board[B1] == EMPTY && board[C1] == EMPTY && board[D1] == EMPTY && !isAttacked(C1, them) &&
                   !isAttacked(D1, them);
        case G8:
            *rookFrom = H8, *rookTo = F8;
            return board[F8] == EMPTY && board[G8] == EMPTY && !isAttacked(F8, them) && !isAttacked(G8, them);
        case C8:
            *rookFrom = A8, *rookTo = D8;
            return board[B8] == EMPTY && board[C8] == EMPTY && board[D8] == EMPTY && !isAttacked(C8, them) &&
                   !isAttacked(D8, them);
        default:
            return false;
    }
}

// Lists, counters and keys of a move already on the board.
void updateListsAndKeys(const MoveEffect& e, int32_t us, int32_t them) {
    Position& p = gPos;
    uint64_t hashDelta = 0, pawnDelta = 0;
    if (e.rookFrom != -1) {
        listMove(us, ROOK, e.rookFrom, e.rookTo);
        hashDelta ^= gPieceKey[us][ROOK][e.rookFrom] ^ gPieceKey[us][ROOK][e.rookTo];
    }
    if (e.captured != EMPTY) {
        listRemove(them, e.captured, e.to);
        countMaterial(them, e.captured, -1);
        hashDelta ^= gPieceKey[them][e.captured][e.to];
        if (e.captured == PAWN) {
            pawnDelta ^= gPieceKey[them][PAWN][e.to];
            p.pawnsOnSeventh[them] -= onSeventhRank(them, e.to);
        }
    }
    hashDelta ^= gPieceKey[us][e.mover][e.from] ^ gPieceKey[us][e.placed][e.to];
    if (e.placed != e.mover) {  // promotion
        listAppend(us, e.placed, e.to);
        listRemove(us, PAWN, e.from);
        countMaterial(us, PAWN, -1);
        countMaterial(us, e.placed, +1);
        pawnDelta ^= gPieceKey[us][PAWN][e.from];
        p.pawnsOnSeventh[us] -= onSeventhRank(us, e.from);
    } else {
        listMove(us, e.mover, e.from, e.to);
        if (e.mover == PAWN) {
            pawnDelta ^= gPieceKey[us][PAWN][e.from] ^ gPieceKey[us][PAWN][e.to];
            p.pawnsOnSeventh[us] += onSeventhRank(us, e.to) - onSeventhRank(us, e.from);
        } else if (e.mover == KING) {
            p.kingSquare[us] = e.to;
        }
    }
    if (e.epVictim != -1) {
        listRemove(them, PAWN, e.epVictim);
        countMaterial(them, PAWN, -1);
        hashDelta ^= gPieceKey[them][PAWN][e.epVictim];
        pawnDelta ^= gPieceKey[them][PAWN][e.epVictim];
    }
    p.hashKey ^= hashDelta;
    p.pawnKey ^= pawnDelta;
}

// Castling rights, en-passant square and half-move clock after the move.
void updateGameState(Move move, const MoveEffect& e, int32_t them) {
    Position& p = gPos;
    const uint32_t flags = moveFlags(move);
    const int32_t castle = p.castle & gCastleMask[e.from] & gCastleMask[e.to];
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
inline void passTurn() {
    Position& p = gPos;
    p.ply++;
    p.hply++;
    p.side ^= 1;
    p.xside ^= 1;
    p.hashKey ^= gSideKey;
    p.pawnKey ^= gSideKey;
}

// One ply back: sides, and the fields every history entry saves.
inline const HistoryEntry& stepBack() {
    Position& p = gPos;
    p.ply--;
    p.hply--;
    p.side ^= 1;
    p.xside ^= 1;
    const HistoryEntry& h = gHistory[p.hply];
    p.castle = h.castle;
    p.epSquare = h.epSquare;
    p.fifty = h.fifty;
    p.hashKey = h.key;
    p.pawnKey = h.pawnKey;
    return h;
}

}  // namespace

bool makeMove(Move move) {
    Position& p = gPos;
    const int32_t us = p.side, them = p.xside;
    MoveEffect e;
    e.from = moveFrom(move);
    e.to = moveTo(move);
    e.mover = p.piece[e.from];
    e.captured = p.piece[e.to];
    e.placed = (moveFlags(move) & MOVE_PROMOTION) ? movePromotion(move) : e.mover;
    e.epVictim = (moveFlags(move) & MOVE_EN_PASSANT) ? (us == WHITE ? e.to + 8 : e.to - 8) : -1;
    e.rookFrom = e.rookTo = -1;

    // 1. History entry.
    HistoryEntry& h = gHistory[p.hply];
    h.move = move;
    h.captured = e.captured;
    h.castle = p.castle;
    h.epSquare = p.epSquare;
    h.fifty = p.fifty;
    h.key = p.hashKey;
    h.pawnKey = p.pawnKey;

    // 2. Castling out of check or through attacked squares is refused.
    if (moveFlags(move) & MOVE_CASTLE) {
        if (inCheck(us) || !castlingAllowed(e.to, them, &e.rookFrom, &e.rookTo)) return false;
    }

    // The men move on the board and the bitboards; a move that leaves the own
    // king attacked is taken back before anything else has changed.
    placeOnBoard(e, us);
    toggleBoards(e, us, them);
    const int32_t king = e.mover == KING ? e.to : p.kingSquare[us];
    if (isAttacked(king, them)) {
        toggleBoards(e, us, them);
        takeBackFromBoard(e, us, them);
        return false;
    }

    // 3-10. Lists, counters, keys, rights, en-passant square, clock.
    updateListsAndKeys(e, us, them);
    updateGameState(move, e, them);

    // 12. The other side is to move.
    passTurn();
    return true;
}

void unmakeMove() {
    Position& p = gPos;
    const HistoryEntry& h = stepBack();
    const int32_t us = p.side, them = p.xside;

    const Move move = h.move;
    const int32_t from = moveFrom(move), to = moveTo(move);
    const uint32_t flags = moveFlags(move);
    if (flags & MOVE_PROMOTION) {
        const int32_t promoted = p.piece[to];
        removePiece(promoted, us, to);
        countMaterial(us, promoted, -1);
        addPiece(PAWN, us, from);
        countMaterial(us, PAWN, +1);
    } else {
        moveBack(p.piece[to], us, to, from);
    }
    if (flags & MOVE_CASTLE) {
        int32_t rookFrom = 0, rookTo = 0;
        switch (to) {
            case G1: rookFrom = H1, rookTo = F1; break;
            case C1: rookFrom = A1, rookTo = D1; break;
            case G8: rookFrom = H8, rookTo = F8; break;
            default: rookFrom = A8, rookTo = D8; break;
        }
        moveBack(ROOK, us, rookTo, rookFrom);
    }
    if (h.captured != EMPTY) {
        addPiece(h.captured, them, to);
        countMaterial(them, h.captured, +1);
    }
    if (flags & MOVE_EN_PASSANT) {
        addPiece(PAWN, them, us == WHITE ? to + 8 : to - 8);
        countMaterial(them, PAWN, +1);
    }
}

uint64_t keyAfter(Move move) {
    const Position& p = gPos;
    const int32_t us = p.side, them = p.xside, from = moveFrom(move), to = moveTo(move);
    const int32_t mover = p.piece[from], captured = p.piece[to];
    const int32_t placed = (moveFlags(move) & MOVE_PROMOTION) ? movePromotion(move) : mover;
    uint64_t key = p.hashKey ^ gSideKey ^ gPieceKey[us][mover][from] ^ gPieceKey[us][placed][to];
    if (captured != EMPTY) key ^= gPieceKey[them][captured][to];
    if (moveFlags(move) & MOVE_EN_PASSANT) key ^= gPieceKey[them][PAWN][us == WHITE ? to + 8 : to - 8];
    key ^= gCastleKey[p.castle] ^ gCastleKey[p.castle & gCastleMask[from] & gCastleMask[to]];
    if (p.epSquare != -1) key ^= gEpKey[p.epSquare];
    return key;
}

uint64_t keyAfterNullMove() {
    return gPos.hashKey ^ gSideKey ^ (gPos.epSquare != -1 ? gEpKey[gPos.epSquare] : 0);
}

void makeNullMove() {
    Position& p = gPos;
    HistoryEntry& h = gHistory[p.hply];
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
    passTurn();
}

void unmakeNullMove() {
    stepBack();
}
