#include "board/fen.h"

#include <cstdio>
#include <cstring>

#include "board/attacks.h"
#include "board/bitops.h"
#include "board/movegen.h"
#include "board/position.h"
#include "board/tables.h"
#include "config/config.h"

const char* const kStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

namespace {

const char kPieceLetters[] = "PNBRQK";

int32_t pieceFromLetter(char c, int32_t* colour) {
    for (int32_t p = 0; p < 6; p++) {
        if (c == kPieceLetters[p]) {
            *colour = WHITE;
            return p;
        }
        if (c == kPieceLetters[p] - 'A' + 'a') {
            *colour = BLACK;
            return p;
        }
    }
    return EMPTY;
}

void clearBoardState(Board& bd) {
    Position& p = bd.pos;
    for (int32_t c = 0; c < 2; c++) {
        p.pawnNumber[c] = p.knightNumber[c] = p.bishopNumber[c] = 0;
        p.rookNumber[c] = p.queenNumber[c] = p.pieceNumber[c] = 0;
        p.pawnMaterial[c] = p.pieceMaterial[c] = p.pawnsOnSeventh[c] = 0;
        p.occupancy[c] = p.pawnBits[c] = 0;
        for (int32_t k = 0; k < 6; k++) {
            p.pieceCount[c][k] = 0;
            p.pieceBits[c][k] = 0;
        }
        p.kingSquare[c] = -1;
    }
    p.occupied = 0;
    p.hashKey = p.pawnKey = 0;
    for (int32_t s = 0; s < 64; s++) p.colour[s] = p.piece[s] = EMPTY;
}

// Material counters for one man placed at set-up.
void countMan(Board& bd, int32_t colour, int32_t kind, int32_t square) {
    Position& p = bd.pos;
    if (kind == PAWN) {
        p.pawnNumber[colour]++;
        p.pawnMaterial[colour] += gPieceValue[PAWN];
        if (colour == WHITE ? (square >= 8 && square <= 15) : (square >= 48 && square <= 55))
            p.pawnsOnSeventh[colour]++;
        return;
    }
    if (kind == KING) return;
    int32_t* numbers[5] = {nullptr, p.knightNumber, p.bishopNumber, p.rookNumber, p.queenNumber};
    numbers[kind][colour]++;
    p.pieceNumber[colour]++;
    p.pieceMaterial[colour] += gPieceValue[kind];
}

void xorBothKeys(Board& bd, uint64_t key) {
    bd.pos.hashKey ^= key;
    bd.pos.pawnKey ^= key;
}

// Castling rights need the king and the rook on their home squares; rights
// without them would let make move a rook that is not there.
int32_t castlingRightsOnBoard(Board& bd, int32_t castle) {
    struct Right { int32_t bit, colour, rookSquare, kingSquare; char letter; };
    static const Right rights[4] = {
        {CASTLE_WK, WHITE, H1, E1, 'K'}, {CASTLE_WQ, WHITE, A1, E1, 'Q'},
        {CASTLE_BK, BLACK, H8, E8, 'k'}, {CASTLE_BQ, BLACK, A8, E8, 'q'},
    };
    for (const Right& r : rights) {
        if (!(castle & r.bit)) continue;
        const Position& p = bd.pos;
        bool kingHome = p.piece[r.kingSquare] == KING && p.colour[r.kingSquare] == r.colour;
        bool rookHome = p.piece[r.rookSquare] == ROOK && p.colour[r.rookSquare] == r.colour;
        if (!kingHome || !rookHome) {
            printf("# fen err: castling right %c dropped, king or rook not on its square\n", r.letter);
            castle &= ~r.bit;
        }
    }
    return castle;
}

// An en-passant square is kept only where a capture there is possible in
// principle: on the sixth rank (seen from the side to move), empty, with the
// enemy pawn that passed over it standing just beyond.
bool enPassantSquareOnBoard(Board& bd, int32_t square) {
    const Position& p = bd.pos;
    int32_t row = p.side == WHITE ? 2 : 5;
    int32_t pawnSquare = p.side == WHITE ? square + 8 : square - 8;
    return rowOf(square) == row && p.piece[square] == EMPTY && p.piece[pawnSquare] == PAWN &&
           p.colour[pawnSquare] == p.xside;
}

// The text being read and the reading position in it.
struct FenText {
    const char* text;
    size_t length;
    size_t i;
    char at(size_t k) const { return k < length ? text[k] : '\0'; }
};

// One man from the board field onto its square, with its keys and counters.
void placeMan(Board& bd, int32_t colour, int32_t kind, int32_t square) {
    Position& p = bd.pos;
    p.colour[square] = colour;
    p.piece[square] = kind;
    p.hashKey ^= gPieceKey[colour][kind][square];
    if (kind == PAWN) p.pawnKey ^= gPieceKey[colour][kind][square];
    if (kind == KING) p.kingSquare[colour] = square;
    countMan(bd, colour, kind, square);
}

// The kings are checked first and in this order, then the square count.
const char* placementError(const int32_t kings[2], bool overrun) {
    if (kings[WHITE] > 1) return "too many white king";
    if (kings[WHITE] == 0) return "there's no white king";
    if (kings[BLACK] > 1) return "too many dark king";
    if (kings[BLACK] == 0) return "there's no dark king";
    if (overrun) return "the board field describes more than 64 squares";
    return nullptr;
}

// Board field, from a8 on, up to the first character that is neither a
// man, a digit nor a slash. Men past the 64th square are not placed.
const char* readPlacement(Board& bd, FenText& in) {
    int32_t square = 0;
    int32_t kings[2] = {0, 0};
    bool overrun = false;
    for (; in.i < in.length; in.i++) {
        char c = in.text[in.i];
        if (c == '/') continue;
        if (c >= '1' && c <= '8') {
            square += c - '0';
            continue;
        }
        int32_t colour;
        int32_t kind = pieceFromLetter(c, &colour);
        if (kind == EMPTY) break;
        if (square > 63) {
            overrun = true;
            square++;
            continue;
        }
        placeMan(bd, colour, kind, square);
        if (kind == KING) kings[colour]++;
        square++;
    }
    if (square > 64) overrun = true;
    return placementError(kings, overrun);
}

// Side to move: exactly one "w" or "b", after the one character that ends
// the board field. Anything else reads as White and is refused.
const char* readSideToMove(Board& bd, FenText& in) {
    Position& p = bd.pos;
    in.i++;
    const char c = in.at(in.i), next = in.at(in.i + 1);
    const bool sideOk = (c == 'w' || c == 'b') && (next == ' ' || next == '\0');
    p.side = c == 'b' ? BLACK : WHITE;
    p.xside = p.side ^ 1;
    if (p.side == BLACK) xorBothKeys(bd, gSideKey);
    while (in.at(in.i) == 'w' || in.at(in.i) == 'b') in.i++;
    return sideOk ? nullptr : "the side to move must be w or b";
}

// Men the engine cannot play with: pawns on the first or last rank, more
// than 16 men or 8 pawns of one colour.
const char* menError(Board& bd) {
    int32_t men[2] = {0, 0}, pawns[2] = {0, 0};
    for (int32_t s = 0; s < 64; s++) {
        if (bd.pos.piece[s] == EMPTY) continue;
        men[bd.pos.colour[s]]++;
        if (bd.pos.piece[s] != PAWN) continue;
        pawns[bd.pos.colour[s]]++;
        if (rowOf(s) == 0 || rowOf(s) == 7) return "pawn on the first or last rank";
    }
    if (men[WHITE] > 16 || men[BLACK] > 16) return "more than 16 men of one colour";
    if (pawns[WHITE] > 8 || pawns[BLACK] > 8) return "more than 8 pawns of one colour";
    return nullptr;
}

// Castling rights, from the character after the one that ends the side
// field; never refused: rights without their king and rook are dropped.
void readCastling(Board& bd, FenText& in) {
    in.i++;
    int32_t castle = 0;
    for (;; in.i++) {
        char c = in.at(in.i);
        if (c == 'K') castle |= CASTLE_WK;
        else if (c == 'Q') castle |= CASTLE_WQ;
        else if (c == 'k') castle |= CASTLE_BK;
        else if (c == 'q') castle |= CASTLE_BQ;
        else if (c != '-') break;
    }
    bd.pos.castle = castlingRightsOnBoard(bd, castle);
    xorBothKeys(bd, gCastleKey[bd.pos.castle]);
}

// Chess960 castling fields: KQkq name the outermost rook on that side of the
// king, a file letter (Shredder-FEN, X-FEN) names the rook on that file.

// The first rank of the colour's men (its row).
constexpr int32_t homeRow(int32_t colour) { return colour == WHITE ? 7 : 0; }

bool ownRookOn(const Position& p, int32_t colour, int32_t square) {
    return p.piece[square] == ROOK && p.colour[square] == colour;
}

// The outermost rook of the colour on the king's rank on one side of it, or -1.
int32_t outermostRook(const Position& p, int32_t colour, bool queenSide) {
    const int32_t king = p.kingSquare[colour], row = rowOf(king);
    for (int32_t file = queenSide ? 0 : 7; file != fileOf(king); file += queenSide ? 1 : -1)
        if (ownRookOn(p, colour, row * 8 + file)) return row * 8 + file;
    return -1;
}

// The rook one letter of the field names, or the reason it names none.
const char* rookOfLetter(const Position& p, char letter, int32_t colour, int32_t* rook) {
    const int32_t king = p.kingSquare[colour];
    if (rowOf(king) != homeRow(colour)) return "the king is not on its first rank";
    const char upper = colour == WHITE ? letter : char(letter - 'a' + 'A');
    if (upper == 'K' || upper == 'Q') {
        *rook = outermostRook(p, colour, upper == 'Q');
        return *rook == -1 ? "no rook on that side of the king" : nullptr;
    }
    *rook = rowOf(king) * 8 + (upper - 'A');
    return ownRookOn(p, colour, *rook) ? nullptr : "no rook of that colour on that file";
}

// Reads the field into the rights and the rooks of the rules; a letter that
// names no rook, or a second one for the same side, drops with a note.
void readCastling960(Board& bd, FenText& in) {
    in.i++;
    int32_t castle = 0;
    for (;; in.i++) {
        const char c = in.at(in.i);
        if (c == '-') continue;
        const bool white = c == 'K' || c == 'Q' || (c >= 'A' && c <= 'H');
        const bool black = c == 'k' || c == 'q' || (c >= 'a' && c <= 'h');
        if (!white && !black) break;
        const int32_t colour = white ? WHITE : BLACK;
        int32_t rook = -1;
        const char* error = rookOfLetter(bd.pos, c, colour, &rook);
        const bool queenSide = !error && fileOf(rook) < fileOf(bd.pos.kingSquare[colour]);
        const int32_t right = castlingRightIndex(colour, queenSide);
        if (!error && (castle & (1 << right))) error = "that side has its right already";
        if (error) {
            printf("info string castling right %c dropped: %s\n", c, error);
            continue;
        }
        castle |= 1 << right;
        bd.castling.rookSquare[right] = rook;
    }
    bd.pos.castle = castle;
    bd.castling.mask.fill(CASTLE_WHITE | CASTLE_BLACK);
    for (int32_t right = 0; right < 4; right++) {
        if (!(castle & (1 << right))) continue;
        const int32_t colour = right / 2;
        bd.castling.mask[bd.castling.rookSquare[right]] &= ~(1 << right);
        bd.castling.mask[bd.pos.kingSquare[colour]] &= ~(colour == WHITE ? CASTLE_WHITE : CASTLE_BLACK);
    }
    xorBothKeys(bd, gCastleKey[bd.pos.castle]);
}

// En-passant square, from the character after the one that ends the
// castling field; never refused: a square no capture could use is ignored.
void readEnPassant(Board& bd, FenText& in) {
    in.i++;
    int32_t ep = -1;
    for (;; in.i++) {
        char c = in.at(in.i);
        if (c >= 'a' && c <= 'h') ep = c - 'a';
        else if (c >= '1' && c <= '8') { if (ep >= 0 && ep < 8) ep += 8 * (8 - (c - '0')); }
        else if (c != '-') break;
    }
    if (ep != -1 && !enPassantSquareOnBoard(bd, ep)) {
        printf("# fen err: en passant square %c%d ignored\n", 'a' + fileOf(ep), 8 - rowOf(ep));
        ep = -1;
    }
    bd.pos.epSquare = ep;
    if (ep != -1) xorBothKeys(bd, gEpKey[ep]);
}

// Piece lists (in square order) and bitboards from the board.
void fillListsAndBitboards(Board& bd) {
    Position& p = bd.pos;
    for (int32_t s = 0; s < 64; s++) {
        if (p.piece[s] == EMPTY) continue;
        int32_t c = p.colour[s], k = p.piece[s];
        p.listIndex[s] = int8_t(p.pieceCount[c][k]);
        p.pieceList[c][k][p.pieceCount[c][k]++] = s;
        uint64_t bit = squareBit(s);
        p.occupancy[c] |= bit;
        p.occupied |= bit;
        p.pieceBits[c][k] |= bit;
        if (k == PAWN) p.pawnBits[c] |= bit;
    }
}

// Move counters of a game starting here.
void startMoveCounters(Board& bd) {
    Position& p = bd.pos;
    p.ply = 0;
    bd.firstMove[0] = 0;
    p.fifty = 0;
    p.hply = p.side == BLACK ? 1 : 0;
    bd.setupPly = p.hply;
    bd.setupCastle = p.castle;
}

// A position the engine cannot play from is reported and replaced by the
// initial position; the reason is handed back. A rare path, kept out of line:
// copied into setPosition at both calls it would only grow the program, and
// in a link-time optimised build the search's hot calls compete with all
// other code for the compiler's program-wide inlining allowance.
[[gnu::cold]] const char* refuse(Board& bd, const char* error) {
    printf("# fen err: %s\n", error);
    printf("# reset to orig board position\n");
    setPosition(bd, kStartFen);
    return error;
}

// The field's letter of a right: K, Q, k or q, or in Chess960 the rook's
// file where another rook stands further out on that side (X-FEN).
char castlingLetter(Board& bd, int32_t right) {
    const int32_t colour = right / 2;
    const bool queenSide = right % 2 == 1;
    const int32_t rook = bd.castling.rookSquare[right];
    const bool named = bd.castling.chess960 && outermostRook(bd.pos, colour, queenSide) != rook;
    const char letter = named ? char('A' + fileOf(rook)) : (queenSide ? 'Q' : 'K');
    return colour == WHITE ? letter : char(letter - 'A' + 'a');
}

}  // namespace

const char* setPosition(Board& bd, const char* text) {
    FenText in{text, strlen(text), 0};
    // Counters and bitboards of the previous position are cleared; fresh keys,
    // so that no key of an earlier game is reused.
    clearBoardState(bd);
    generateKeys();

    const char* error = readPlacement(bd, in);
    if (!error) error = readSideToMove(bd, in);
    if (!error) error = menError(bd);
    if (error) return refuse(bd, error);
    bd.castling = CastlingRules{};
    bd.castling.chess960 = gChess960 != 0;
    if (bd.castling.chess960)
        readCastling960(bd, in);
    else
        readCastling(bd, in);
    readEnPassant(bd, in);

    // The side not to move must not be in check, by the other king either.
    fillListsAndBitboards(bd);
    const bool kingsTouch = gDistance[bd.pos.kingSquare[WHITE]][bd.pos.kingSquare[BLACK]] <= 1;
    if (kingsTouch || isAttacked(bd, bd.pos.kingSquare[bd.pos.xside], bd.pos.side))
        return refuse(bd, "the side not to move is in check");
    startMoveCounters(bd);
    return nullptr;
}

void writeFenText(Board& bd, char* buf) {
    const Position& p = bd.pos;
    char* out = buf;
    for (int32_t row = 0; row < 8; row++) {
        int32_t empty = 0;
        for (int32_t file = 0; file < 8; file++) {
            int32_t s = row * 8 + file;
            if (p.piece[s] == EMPTY) {
                empty++;
                continue;
            }
            if (empty) *out++ = char('0' + empty);
            empty = 0;
            char letter = kPieceLetters[p.piece[s]];
            *out++ = p.colour[s] == WHITE ? letter : char(letter - 'A' + 'a');
        }
        if (empty) *out++ = char('0' + empty);
        if (row < 7) *out++ = '/';
    }
    *out++ = ' ';
    *out++ = p.side == WHITE ? 'w' : 'b';
    *out++ = ' ';
    if (p.castle == 0) *out++ = '-';
    for (int32_t right = 0; right < 4; right++)
        if (p.castle & (1 << right)) *out++ = castlingLetter(bd, right);
    *out++ = ' ';
    if (p.epSquare == -1) {
        *out++ = '-';
    } else {
        *out++ = char('a' + fileOf(p.epSquare));
        *out++ = char('0' + 8 - rowOf(p.epSquare));
    }
    *out = '\0';
}

void displayBoard(Board& bd) {
    printf("\n8 ");
    for (int32_t s = 0; s < 64; s++) {
        int32_t kind = bd.pos.piece[s];
        if (kind == EMPTY)
            printf(" .");
        else if (bd.pos.colour[s] == WHITE)
            printf(" %c", kPieceLetters[kind]);
        else
            printf(" %c", kind == PAWN ? 'o' : char(kPieceLetters[kind] - 'A' + 'a'));
        fflush(stdout);
        if ((s & 7) == 7 && s != 63) printf("\n%d ", 7 - (s >> 3));
    }
    printf("\n\n   a b c d e f g h\n\n");
    fflush(stdout);
}
