#include "board/board.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/memory.h"

namespace {

// Whole huge pages (2 MB).
size_t roundedSize(size_t bytes) {
    constexpr size_t kHugePage = size_t(2) << 20;
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

// The engine cannot play without its boards: like the hash tables at
// start-up, a board that finds no memory ends the program with status 1.
void* Board::operator new(size_t bytes, const std::nothrow_t&) noexcept {
    return allocateLargeTable(roundedSize(bytes));
}

void* Board::operator new(size_t bytes) {
    void* memory = operator new(bytes, std::nothrow);
    if (!memory) {
        printf("# NO MAIN MEMORY\n");
        fflush(stdout);
        exit(1);
    }
    return memory;
}

void Board::operator delete(void* board, size_t bytes) { freeLargeTable(board, roundedSize(bytes)); }

void Board::copyGameFrom(const Board& from) {
    pos = from.pos;
    setupPly = from.setupPly;
    setupCastle = from.setupCastle;
    castling = from.castling;
    checkerSquare[0] = from.checkerSquare[0];
    checkerSquare[1] = from.checkerSquare[1];
    // The entries up to the current one: the searches write from hply on.
    memcpy(history, from.history, sizeof(HistoryEntry) * size_t(from.pos.hply + 1));
}
