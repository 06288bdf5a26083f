// Program entry: start-up, then the console loop.
#include "main/console.h"
#include "main/startup.h"

int main() {
    printBanner();
    startUp();
    return consoleLoop();
}
