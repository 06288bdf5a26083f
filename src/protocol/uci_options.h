// The options a UCI interface sees and sets: the settings of morvantix.ini
// (their values at start-up are the defaults shown), a few evaluation weights,
// and the time kept in reserve for the interface.
#pragma once
#include <cstdint>

// Milliseconds of the clock kept for the interface and the pipes (option Move Overhead).
extern int32_t gUciMoveOverhead;

// Loads the bitbases when the settings switch them on, and says so in an
// "info string" line.
void loadBitbasesIfOn();

// The "option name ... type ..." lines of the handshake.
void printUciOptions();

// "setoption name <name> [value <value>]", as words (words[0] is "setoption").
// Names are matched without regard to case; numbers outside an option's range
// are clamped to it; a problem is answered with an "info string" line.
void setUciOption(int32_t count, const char* const* words);
