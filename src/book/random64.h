// The published table of 781 64-bit values of the Polyglot book format:
// 768 for a piece on a square (by kind and square), 4 for castling rights,
// 8 for the en-passant file, 1 for White to move.
#pragma once
#include <cstdint>

extern const uint64_t kPolyglotRandom64[781];
