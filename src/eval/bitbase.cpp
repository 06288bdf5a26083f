#include "eval/bitbase.h"

#include <cstdio>

#include "board/position.h"
#include "board/tables.h"
#include "config/config.h"
#include "platform/dynlib.h"

bool gEgbbLoaded = false;
BitbaseProbe gEgbbProbe = nullptr;

namespace {

using BitbaseLoad = void (*)(char* path, int cacheSize, int loadOptions);

constexpr int32_t kNoValue = 99999;

// Library piece codes by colour and piece code (kings are passed apart).
constexpr int kLibraryPiece[2][5] = {
    {6, 5, 4, 3, 2},    // white pawn, knight, bishop, rook, queen
    {12, 11, 10, 9, 8}, // black
};

}  // namespace

void loadBitbases(const char* path) {
    // A new load replaces the library in use; when it fails, none is.
    gEgbbLoaded = false;
    char file[kEgbbPathSize + 32];
    snprintf(file, sizeof file, "%s%s", path, kBitbaseLibraryFile);
    void* library = loadSharedLibrary(file);
    if (!library) return;
    auto load = reinterpret_cast<BitbaseLoad>(findLibrarySymbol(library, "load_egbb_5men"));
    auto probe = reinterpret_cast<BitbaseProbe>(findLibrarySymbol(library, "probe_egbb_5men"));
    if (!load || !probe) return;
    gEgbbProbe = probe;
    char directory[kEgbbPathSize];
    snprintf(directory, sizeof directory, "%s", path);
    load(directory, gEgbbCacheSize, gEgbbLoadType);
    gEgbbLoaded = true;
}

bool probeBitbases(EvalBoard& w, int32_t* score) {
    int piece[3] = {0, 0, 0}, square[3] = {0, 0, 0};
    int n = 0;
    // White pawns, black pawns, white knights, black knights, ... queens.
    for (int32_t kind = PAWN; kind <= QUEEN; kind++)
        for (int32_t colour = WHITE; colour <= BLACK; colour++)
            for (int32_t i = 0; i < w.pos.pieceCount[colour][kind] && n < 3; i++, n++) {
                piece[n] = kLibraryPiece[colour][kind];
                square[n] = gBitIndex[w.pos.pieceList[colour][kind][i]];
            }
    int result = gEgbbProbe(w.pos.side, gBitIndex[w.pos.kingSquare[WHITE]], gBitIndex[w.pos.kingSquare[BLACK]],
                            piece[0], square[0], piece[1], square[1], piece[2], square[2]);
    if (result == kNoValue) return false;
    *score = result;
    return true;
}
