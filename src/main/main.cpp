// Program entry: start-up, then the console loop.
#include "main/console.h"
#include "main/startup.h"
#include "platform/streams.h"

int main() {
    useBinaryStandardStreams();
    printBanner();
    startUp();
    return consoleLoop();
}
