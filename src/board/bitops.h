// Bit operations on 64-bit boards. The population count is the processor
// instruction in the popcnt build and a portable bit-twiddling count
// elsewhere; both give the same results.
#pragma once
#include <cstdint>

inline int32_t popCount(uint64_t b) {
#if defined(MORVANTIX_POPCNT)
    return int32_t(__builtin_popcountll(b));
#else
    b = b - ((b >> 1) & 0x5555555555555555ULL);
    b = (b & 0x3333333333333333ULL) + ((b >> 2) & 0x3333333333333333ULL);
    b = (b + (b >> 4)) & 0x0f0f0f0f0f0f0f0fULL;
    return int32_t((b * 0x0101010101010101ULL) >> 56);
#endif
}

// Index of the lowest set bit; b must not be 0.
inline int32_t lowestBit(uint64_t b) { return int32_t(__builtin_ctzll(b)); }

// Index of the highest set bit; b must not be 0.
inline int32_t highestBit(uint64_t b) { return 63 - int32_t(__builtin_clzll(b)); }

// Removes and returns the lowest set bit's index; b must not be 0.
inline int32_t popLowestBit(uint64_t& b) {
    int32_t i = lowestBit(b);
    b &= b - 1;
    return i;
}

inline uint64_t byteSwap(uint64_t b) { return __builtin_bswap64(b); }

// Bitboards use the bit numbering s ^ 56: bit 0 is a1, bit 63 is h8.
constexpr uint64_t squareBit(int32_t sq) { return 1ULL << (sq ^ 56); }

constexpr uint64_t kFileA = 0x0101010101010101ULL;
constexpr uint64_t kFileH = 0x8080808080808080ULL;

// Squares the pawns of the colour (0 White, 1 Black) attack; a pawn never
// stands on a last rank.
constexpr uint64_t pawnAttackSet(int32_t colour, uint64_t pawns) {
    if (colour == 0) return ((pawns & ~kFileA) << 7) | ((pawns & ~kFileH) << 9);
    return ((pawns & ~kFileH) >> 7) | ((pawns & ~kFileA) >> 9);
}
