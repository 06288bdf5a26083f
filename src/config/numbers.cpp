#include "config/numbers.h"

const char* readDecimal(const char* text, int32_t* value) {
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\v' || *p == '\f') p++;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') p++;
    if (*p < '0' || *p > '9') return nullptr;
    int64_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; p++)
        if (magnitude <= int64_t(INT32_MAX) + 1) magnitude = magnitude * 10 + (*p - '0');
    const int64_t v = negative ? -magnitude : magnitude;
    *value = v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v);
    return p;
}
