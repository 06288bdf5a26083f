// Bringing the engine up: banner, tables, configuration, initial position.
#pragma once

// Prints the banner lines with the engine name and build date.
void printBanner();

// Everything start-up does between the banner and the console loop.
void startUp();
