#include "platform/signals.h"

#include <csignal>

void ignoreInterruptSignal() {
    signal(SIGINT, SIG_IGN);
}
