#include "library.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>

namespace egbbtest {

Library& Library::get() {
    static Library library;
    return library;
}

Library::Library() {
    handle_ = dlopen(EGBB_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        std::fprintf(stderr, "cannot open %s: %s\n", EGBB_LIBRARY, dlerror());
        std::abort();
    }
    load_ = reinterpret_cast<LoadFunction>(symbol("load_egbb_5men"));
    probe_ = reinterpret_cast<ProbeFunction>(symbol("probe_egbb_5men"));
    if (!load_ || !probe_) {
        std::fprintf(stderr, "%s lacks load_egbb_5men or probe_egbb_5men\n", EGBB_LIBRARY);
        std::abort();
    }
}

void* Library::symbol(const char* name) const { return dlsym(handle_, name); }

void Library::load(const char* path, int cacheBytes, int loadOptions) const {
    std::string text = path ? path : "";
    load_(path ? text.data() : nullptr, cacheBytes, loadOptions);
}

int Library::probe(int player, int whiteKing, int blackKing, int piece1, int square1, int piece2, int square2,
                   int piece3, int square3) const {
    return probe_(player, whiteKing, blackKing, piece1, square1, piece2, square2, piece3, square3);
}

int Library::probe(const Position& p) const {
    int pieces[3] = {0, 0, 0}, squares[3] = {0, 0, 0};
    for (int i = 2; i < p.count && i < 5; ++i) {
        pieces[i - 2] = p.units[i].code;
        squares[i - 2] = p.units[i].square;
    }
    return probe_(p.side, p.units[0].square, p.units[1].square, pieces[0], squares[0], pieces[1], squares[1],
                  pieces[2], squares[2]);
}

int probe(const Position& p) { return Library::get().probe(p); }

}  // namespace egbbtest
