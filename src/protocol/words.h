// A command line split into words at blanks and tabs, as both interface
// drivers read their commands. The words point into the structure's own copy
// of the line.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

template <size_t TextSize, int32_t MaxWords>
struct Words {
    static constexpr int32_t kMaxWords = MaxWords;

    char text[TextSize];
    const char* word[MaxWords];
    int32_t count = 0;
    bool overflow = false;   // words were left after the last one kept
    const char* line = "";   // the line as received

    const char* operator[](int32_t i) const { return i < count ? word[i] : ""; }

    // Splits the line (its first TextSize - 1 characters).
    void split(const char* received) {
        line = received;
        snprintf(text, sizeof text, "%s", received);
        count = 0;
        char* p = skipBlanks(text);
        while (*p && count < MaxWords) {
            word[count++] = p;
            while (*p && !isBlank(*p)) p++;
            if (*p) *p++ = '\0';
            p = skipBlanks(p);
        }
        overflow = *p != '\0';
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    static char* skipBlanks(char* p) {
        while (isBlank(*p)) p++;
        return p;
    }
};
