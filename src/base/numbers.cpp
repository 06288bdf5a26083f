#include "base/numbers.h"

const char* readDecimal(const char* text, int32_t* value) {
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\v' || *p == '\f') p++;
    // A sign is followed by at least the terminator, so p[1] is always readable.
    auto peek = [&p](int i) { return int(static_cast<unsigned char>(p[i])); };
    return readDecimalFrom(peek, [&p] { p++; }, value) ? p : nullptr;
}
