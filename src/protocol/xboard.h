// The XBoard (WinBoard) protocol, version 2: a chess interface on standard
// input and output. The console word `xboard` hands control to this driver for
// the rest of the run.
#pragma once
#include <cstdint>

// Pondering on or off (`hard` / `easy`).
extern bool gPonderEnabled;

// The "feature myname" line: the engine's name, with the settings name
// (option ExtVerName, or eval_setting.txt) when there is one.
void printMyName();

// Runs the protocol until `quit` or the end of input.
void xboardLoop();
