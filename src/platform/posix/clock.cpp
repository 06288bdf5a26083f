#include "platform/clock.h"

#include <ctime>

uint32_t getMilliseconds() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    uint64_t ms = uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec / 1000000);
    return uint32_t(ms);
}

int64_t getCalendarSeconds() {
    return int64_t(time(nullptr));
}

void sleepMilliseconds(int32_t ms) {
    if (ms <= 0) return;
    timespec ts;
    ts.tv_sec = ms / 1000;
    ts.tv_nsec = long(ms % 1000) * 1000000L;
    nanosleep(&ts, nullptr);
}
