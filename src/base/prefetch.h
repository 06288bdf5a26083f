// Starting to load a cache line that will be read soon.
#pragma once

// The empty volatile asm gives the call an effect the compiler must keep:
// g++ 12's mod-ref analysis otherwise finds that a function doing nothing
// but prefetch has no side effects and drops calls to it (the prefetches
// of the transposition table and the evaluation cache went missing that way).
inline void prefetchLine(const void* address) {
    __builtin_prefetch(address);
    asm volatile("");
}
