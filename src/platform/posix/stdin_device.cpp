#include "platform/stdin_device.h"

#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

size_t readStandardInput(char* buf, size_t size) {
    for (;;) {
        ssize_t got = read(STDIN_FILENO, buf, size);
        if (got >= 0) return size_t(got);
        if (errno != EINTR) return 0;
    }
}

uint32_t pendingStandardInput() {
    static const bool terminal = isatty(STDIN_FILENO) != 0;
    pollfd pfd{STDIN_FILENO, POLLIN, 0};
    int ready = poll(&pfd, 1, 0);
    if (ready < 0) return terminal ? 0 : 1;
    if (ready == 0) return 0;
    // Readable: count the bytes. Readable with nothing to read means the end of
    // input or an error (the other side hung up), which counts as waiting.
    int available = 0;
    uint32_t waiting = 1;
    if (ioctl(STDIN_FILENO, FIONREAD, &available) == 0 && available > 0) waiting = uint32_t(available);
    if (terminal && waiting < 2) return 0;
    return waiting;
}
