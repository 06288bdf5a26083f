#include "tools/linereader.h"

#include <cstring>

bool readWholeLine(FILE* file, char* buf, size_t size, size_t* length) {
    if (!fgets(buf, int(size), file)) return false;
    size_t n = strlen(buf);
    *length = n;
    if (n == 0 || buf[n - 1] == '\n') return true;
    // The buffer filled before the line end: count and drop the rest.
    for (int c = fgetc(file); c != EOF; c = fgetc(file)) {
        (*length)++;
        if (c == '\n') break;
    }
    return true;
}
