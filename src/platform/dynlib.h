// Loading a shared library at run time and finding its exports.
#pragma once

// Returns a handle, or nullptr when the file cannot be loaded.
void* loadSharedLibrary(const char* path);

// Returns the address of an exported symbol, or nullptr.
void* findLibrarySymbol(void* library, const char* name);

// File name of the bitbase library on this platform ("egbbdll.so" here).
extern const char* const kBitbaseLibraryFile;
