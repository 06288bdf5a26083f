#include "platform/streams.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

void useBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}
