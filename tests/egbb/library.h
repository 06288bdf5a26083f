// The bitbase library as the engine uses it: opened with dlopen, its two C
// functions found with dlsym.
#pragma once

#include "rules.h"

namespace egbbtest {

using LoadFunction = void (*)(char* path, int cacheSize, int loadOptions);
using ProbeFunction = int (*)(int player, int whiteKing, int blackKing, int piece1, int square1,
                              int piece2, int square2, int piece3, int square3);

class Library {
public:
    // The library opened once per test process (it aborts the process with the
    // loader's message if the file or a function is missing).
    static Library& get();

    void* symbol(const char* name) const;
    void load(const char* path = "./", int cacheBytes = 1 << 20, int loadOptions = 0) const;
    int probe(int player, int whiteKing, int blackKing, int piece1 = 0, int square1 = 0, int piece2 = 0,
              int square2 = 0, int piece3 = 0, int square3 = 0) const;
    // The position's men go into the slots in their order in the position.
    int probe(const Position& p) const;

private:
    Library();
    void* handle_ = nullptr;
    LoadFunction load_ = nullptr;
    ProbeFunction probe_ = nullptr;
};

// Shorthand for Library::get().probe(p).
int probe(const Position& p);

}  // namespace egbbtest
