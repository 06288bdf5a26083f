// One board a search or a game is played on: the position with its history
// stack, the move stack of the generator and the quiet-move ordering tables
// the generator scores by. Every function that reads or changes a position
// is given the board it works on, so that several boards (the game's, and
// one per search worker) can be in use at once.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <new>

#include "board/position.h"
#include "board/types.h"

struct ScoredMove {
    Move move;
    int32_t score;
};

constexpr int32_t kMoveStackSize = 100000;

// The rights that survive a move from or to each square when the kings and
// rooks start on their standard squares.
constexpr std::array<int32_t, 64> standardCastleMask() {
    std::array<int32_t, 64> mask{};
    for (int32_t& m : mask) m = CASTLE_WHITE | CASTLE_BLACK;
    mask[A8] &= ~CASTLE_BQ;
    mask[E8] &= ~CASTLE_BLACK;
    mask[H8] &= ~CASTLE_BK;
    mask[A1] &= ~CASTLE_WQ;
    mask[E1] &= ~CASTLE_WHITE;
    mask[H1] &= ~CASTLE_WK;
    return mask;
}

// How castling is played on a board, fixed when a position is set up. In
// standard chess the rooks start on the corners. In Chess960 a right's rook
// may start on any file on its side of the king; a castling move is then
// stored as the king taking its own rook (to = the rook's square), so that it
// cannot be mistaken for a king step to the same square.
struct CastlingRules {
    bool chess960 = false;
    // The rook of each right, by right: White's king side, queen side,
    // Black's king side, queen side (the order of the CASTLE_* bits).
    int32_t rookSquare[4] = {H1, A1, H8, A8};
    // The rights that survive a move from or to each square.
    std::array<int32_t, 64> mask = standardCastleMask();
};

// Index of a right in CastlingRules::rookSquare.
constexpr int32_t castlingRightIndex(int32_t colour, bool queenSide) { return 2 * colour + (queenSide ? 1 : 0); }

struct Board {
    Position pos;

    // hply right after the last set-up from FEN (0 with White to move, 1 with
    // Black); no undo takes back more than the moves made since then.
    int32_t setupPly = 0;
    // Castling rights of the last set-up; the pawn key keeps their key for the game.
    int32_t setupCastle = 0;
    CastlingRules castling;

    // Squares of the first two men found giving check by findAttackers, -1 if none.
    int32_t checkerSquare[2] = {-1, -1};

    // The moves of ply p are moveStack[firstMove[p] .. firstMove[p + 1] - 1].
    int32_t firstMove[kMaxPly + 1] = {};

    // Quiet-move ordering, filled by the search's ordering and read by the
    // generator: history values by mover's colour, piece code and destination,
    // and the killers of each ply.
    uint32_t historyValue[2][6][64] = {};
    Move killer1[kMaxPly] = {};
    Move killer2[kMaxPly] = {};
    Move mateKiller[kMaxPly] = {};

    HistoryEntry history[kHistorySize] = {};
    ScoredMove moveStack[kMoveStackSize] = {};

    // The game position of `from` (position, history and set-up), without
    // its move lists and ordering tables: the start of a search.
    void copyGameFrom(const Board& from);

    // Boards (and the search workers built on them) live in large-table
    // memory, where the system can give their hot arrays a few huge pages
    // instead of hundreds of small ones.
    // Ends the engine with "# NO MAIN MEMORY" when there is none; the
    // nothrow form returns nullptr instead.
    static void* operator new(size_t bytes);
    static void* operator new(size_t bytes, const std::nothrow_t&) noexcept;
    static void operator delete(void* board, size_t bytes);
};

// Fills the key tables with the next draws of the random generator.
void generateKeys();

// Place or take away one man, keeping arrays, lists, king squares, bitboards and
// pawnsOnSeventh in step; keys and material counters are not touched.
void addPiece(Board& bd, int32_t piece, int32_t colour, int32_t square);
void removePiece(Board& bd, int32_t piece, int32_t colour, int32_t square);

// The same, and XOR the man's key into hashKey (and pawnKey for a pawn).
void addPieceKeyed(Board& bd, int32_t piece, int32_t colour, int32_t square);
void removePieceKeyed(Board& bd, int32_t piece, int32_t colour, int32_t square);

// Number of earlier positions since the last irreversible move with the
// current hashKey.
int32_t repetitionCount(Board& bd);

// Keys computed from scratch from the board (for checking incremental keys).
uint64_t computeHashKey(Board& bd);
uint64_t computePawnKey(Board& bd, int32_t castleAtSetup);

// No pawns, and less than a lone bishop of pieces on the board: neither side
// can mate.
inline bool insufficientMaterial(Board& bd) {
    return bd.pos.pawnMaterial[WHITE] + bd.pos.pawnMaterial[BLACK] == 0 &&
           bd.pos.pieceMaterial[WHITE] + bd.pos.pieceMaterial[BLACK] < 326;
}

// The current position becomes the root of the next search (or of a game
// move): no search plies above it.
inline void makeCurrentPositionRoot(Board& bd) { bd.pos.ply = 0; }
