#include "platform/appendfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

}  // namespace

bool appendToFile(const char* path, const char* data, size_t size) {
    const int fd = open(path, O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0) return false;
    int locked;
    while ((locked = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    const bool written = locked == 0 && writeAll(fd, data, size);
    if (locked == 0) flock(fd, LOCK_UN);
    close(fd);
    return written;
}
