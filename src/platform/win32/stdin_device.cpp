#include "platform/stdin_device.h"

#include <io.h>
#include <windows.h>

size_t readStandardInput(char* buf, size_t size) {
    int got = _read(0, buf, unsigned(size));
    return got > 0 ? size_t(got) : 0;
}

uint32_t pendingStandardInput() {
    static bool setUp = false;
    static HANDLE input = nullptr;
    static bool isPipe = false;
    if (!setUp) {
        setUp = true;
        input = GetStdHandle(STD_INPUT_HANDLE);
        DWORD mode;
        isPipe = !GetConsoleMode(input, &mode);
        if (!isPipe) {
            // Window and mouse events are not input for us.
            SetConsoleMode(input, mode & ~(ENABLE_WINDOW_INPUT | ENABLE_MOUSE_INPUT));
            FlushConsoleInputBuffer(input);
        }
    }
    if (isPipe) {
        DWORD available = 0;
        if (!PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr)) return 1;
        return uint32_t(available);
    }
    DWORD events = 0;
    if (!GetNumberOfConsoleInputEvents(input, &events)) return 0;
    return events <= 1 ? 0 : uint32_t(events);
}
