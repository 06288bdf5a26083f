#include "platform/dynlib.h"

#include <windows.h>

const char* const kBitbaseLibraryFile = "egbbdll.dll";

void* loadSharedLibrary(const char* path) {
    return reinterpret_cast<void*>(LoadLibraryA(path));
}

void* findLibrarySymbol(void* library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
