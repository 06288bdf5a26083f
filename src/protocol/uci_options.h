// The options a UCI interface sees and sets: the settings of the table that
// have a UCI name (config/settings.h; their values at the handshake are the
// defaults shown), and what follows a change of some of them.
#pragma once
#include <cstdint>

// Milliseconds of the clock kept for the interface and the pipes (option Move Overhead).
extern int32_t gUciMoveOverhead;

// Loads the bitbases when the settings switch them on, and says so in an
// "info string" line.
void loadBitbasesIfOn();

// Sizes the transposition table to the Hash setting and says what that came
// to; when the memory is not there the table and the setting keep previousMb.
void resizeHash(int32_t previousMb);

// Says at what strength the engine now plays.
void reportStrength();

// Starts or ends helper threads so that the searches have the threads the
// setting asks for, or as many as memory allows; says what it came to.
void changeThreads(int32_t previous);

// The "option name ... type ..." lines of the handshake.
void printUciOptions();

// "setoption name <name> [value <value>]", as words (words[0] is "setoption").
// Names are matched without regard to case; numbers outside an option's range
// are clamped to it; a problem is answered with an "info string" line.
void setUciOption(int32_t count, const char* const* words);
