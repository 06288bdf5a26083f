// The opening book: a file in the Polyglot format, morvantix.bin in the working
// directory unless a UCI interface names another, read entry by entry at every
// probe (nothing is held in memory).
#pragma once
#include <cstdint>

#include "board/types.h"

// One 16-byte entry of the file (all fields big-endian there).
struct BookEntry {
    uint64_t key;
    uint16_t move;    // to file, to rank, from file, from rank, promotion: 3 bits each
    uint16_t weight;
    uint32_t learn;   // read but not used
};

constexpr int32_t kMaxBookEntries = 100;  // a position with more counts as not in the book

// The book file's path (the UCI option Book File sets it).
constexpr int32_t kBookFileSize = 1024;
extern char gBookFile[kBookFileSize];
inline const char* kBookName() { return gBookFile; }

// The Polyglot key of the four-field FEN text.
uint64_t bookKey(const char* fenText);

// Coordinate text of a packed book move (castling as the king's two-square move).
void bookMoveText(uint16_t move, char* text);

// Picks an entry by weight with a little randomness from the random generator:
// the share of each in percent plus a draw modulo 5, the first highest wins.
// -1 when all weights are 0.
int32_t chooseBookEntry(const BookEntry* list, int32_t count);

// 1 with the chosen move's text (at least 6 bytes), 0 when the book has
// nothing for the key. Prints "# Missing book file" without a book.
int32_t probeBook(uint64_t key, char* text);

// A legal book move for the current position.
bool findBookMove(Move* move);
