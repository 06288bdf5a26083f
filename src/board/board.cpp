#include "board/board.h"

#include <cstring>
#include <new>

#include "platform/memory.h"

namespace {

// Whole huge pages (2 MB).
size_t roundedSize(size_t bytes) {
    constexpr size_t kHugePage = size_t(2) << 20;
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

void* Board::operator new(size_t bytes) {
    void* memory = allocateLargeTable(roundedSize(bytes));
    if (!memory) throw std::bad_alloc();
    return memory;
}

void Board::operator delete(void* board, size_t bytes) { freeLargeTable(board, roundedSize(bytes)); }

void Board::copyGameFrom(const Board& from) {
    pos = from.pos;
    setupPly = from.setupPly;
    setupCastle = from.setupCastle;
    checkerSquare[0] = from.checkerSquare[0];
    checkerSquare[1] = from.checkerSquare[1];
    // The entries up to the current one: the searches write from hply on.
    memcpy(history, from.history, sizeof(HistoryEntry) * size_t(from.pos.hply + 1));
}
