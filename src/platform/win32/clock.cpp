#include "platform/clock.h"

#include <windows.h>
#include <sys/timeb.h>

#include <ctime>

uint32_t getMilliseconds() {
    _timeb now;
    _ftime(&now);
    return uint32_t(uint64_t(now.time) * 1000u + now.millitm);
}

int64_t getCalendarSeconds() {
    return int64_t(time(nullptr));
}

void sleepMilliseconds(int32_t ms) {
    if (ms > 0) Sleep(DWORD(ms));
}
