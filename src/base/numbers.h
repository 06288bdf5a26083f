// Decimal numbers in text, read the way scanf's %d reads them but without its
// undefined behaviour: values beyond 32 bits saturate. One reader serves the
// console (on the input stream), the XBoard driver, the configuration file and
// the parameter file (on strings).
#pragma once
#include <cstdint>

// Reads an optional sign and the digits after it through peek(i) (the
// character i places ahead, i = 0 or 1; -1 past the end) and advance()
// (consumes one character). A sign is taken only when a digit follows it, so
// on failure nothing is consumed. Returns false when no number is there.
template <class Peek, class Advance>
bool readDecimalFrom(Peek peek, Advance advance, int32_t* value) {
    auto isDigit = [](int c) { return c >= '0' && c <= '9'; };
    const int first = peek(0);
    const bool negative = first == '-';
    if (first == '-' || first == '+') {
        if (!isDigit(peek(1))) return false;
        advance();
    } else if (!isDigit(first)) {
        return false;
    }
    int64_t magnitude = 0;
    for (int c = peek(0); isDigit(c); c = peek(0)) {
        if (magnitude <= int64_t(INT32_MAX) + 1) magnitude = magnitude * 10 + (c - '0');
        advance();
    }
    const int64_t v = negative ? -magnitude : magnitude;
    *value = v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v);
    return true;
}

// Reads blanks, an optional sign and digits at text. Returns the character
// after the last digit, or nullptr (value untouched) when no number is there.
const char* readDecimal(const char* text, int32_t* value);
