#include "platform/dynlib.h"

#include <dlfcn.h>

const char* const kBitbaseLibraryFile = "egbbdll.so";

void* loadSharedLibrary(const char* path) {
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

void* findLibrarySymbol(void* library, const char* name) {
    if (!library) return nullptr;
    return dlsym(library, name);
}
