#include "platform/appendfile.h"

#include <windows.h>

bool appendToFile(const char* path, const char* data, size_t size) {
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    OVERLAPPED whole = {};
    const bool locked = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole) != 0;
    bool written = locked;
    while (written && size > 0) {
        DWORD n = 0;
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : DWORD(size);
        written = WriteFile(file, data, chunk, &n, nullptr) != 0 && n > 0;
        data += n;
        size -= n;
    }
    if (locked) UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
    CloseHandle(file);
    return written;
}
