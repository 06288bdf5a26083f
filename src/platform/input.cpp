#include "platform/input.h"

#include "base/numbers.h"
#include "platform/stdin_device.h"

namespace {

constexpr size_t kBufferSize = 1 << 16;
char gBuffer[kBufferSize];
size_t gStart = 0;  // first unconsumed byte
size_t gEnd = 0;    // one past the last byte read from standard input
bool gAtEnd = false;

// Blocks until at least one more byte is buffered; false at end of input.
bool fill() {
    if (gAtEnd) return false;
    if (gStart == gEnd) gStart = gEnd = 0;
    if (gEnd == kBufferSize) {
        // Move the unconsumed tail to the front to make room.
        size_t n = gEnd - gStart;
        for (size_t i = 0; i < n; i++) gBuffer[i] = gBuffer[gStart + i];
        gStart = 0;
        gEnd = n;
        if (gEnd == kBufferSize) return true;  // full of unconsumed bytes
    }
    size_t got = readStandardInput(gBuffer + gEnd, kBufferSize - gEnd);
    if (got == 0) {
        gAtEnd = true;
        return false;
    }
    gEnd += got;
    return true;
}

// Next byte without consuming it, or -1 at end of input.
int peekByte() {
    if (gStart == gEnd && !fill()) return -1;
    return static_cast<unsigned char>(gBuffer[gStart]);
}

// The byte after the next one, or -1 when the input ends before it.
int peekSecondByte() {
    while (gEnd - gStart < 2)
        if (!fill()) return -1;
    return static_cast<unsigned char>(gBuffer[gStart + 1]);
}

bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool skipBlanks() {
    for (;;) {
        int c = peekByte();
        if (c < 0) return false;
        if (!isBlank(c)) return true;
        gStart++;
    }
}

}  // namespace

bool inputReadWord(char* buf, size_t cap) {
    if (!skipBlanks()) return false;
    size_t n = 0;
    for (;;) {
        int c = peekByte();
        if (c < 0 || isBlank(c)) break;
        if (n + 1 < cap) buf[n++] = char(c);
        gStart++;
    }
    if (cap > 0) buf[n] = '\0';
    return true;
}

bool inputReadInt(int32_t* value) {
    if (!skipBlanks()) return false;
    auto peek = [](int i) { return i == 0 ? peekByte() : peekSecondByte(); };
    return readDecimalFrom(peek, [] { gStart++; }, value);
}

bool inputReadLine(char* buf, size_t cap) {
    if (peekByte() < 0) return false;
    size_t n = 0;
    for (;;) {
        int c = peekByte();
        if (c < 0) break;
        gStart++;
        if (c == '\n') break;
        if (n + 1 < cap) buf[n++] = char(c);
    }
    if (n > 0 && buf[n - 1] == '\r') n--;
    if (cap > 0) buf[n] = '\0';
    return true;
}

uint32_t inputWaiting() {
    // Bytes already taken from standard input but not yet consumed are input
    // waiting for the loops, although the device no longer shows them.
    if (gEnd > gStart) return gEnd - gStart > UINT32_MAX ? UINT32_MAX : uint32_t(gEnd - gStart);
    if (gAtEnd) return 1;
    return pendingStandardInput();
}

void inputRestart() {
    gStart = gEnd = 0;
    gAtEnd = false;
}
