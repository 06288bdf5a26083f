// Standard input, shared by the console loop (which reads words), the XBoard
// loop (which reads lines) and the search's poller (which asks whether input
// is waiting). All three go through one buffer of our own, so bytes that were
// already read from the descriptor but not yet consumed still count as waiting
// input.
#pragma once
#include <cstddef>
#include <cstdint>

// Reads the next whitespace-separated word into buf (at most cap - 1 bytes; a
// longer word is truncated and its remainder discarded). False at end of input.
bool inputReadWord(char* buf, size_t cap);

// Formatted read of a decimal integer after optional blanks (an optional sign
// followed by digits, as scanf's %d takes it). On failure nothing but the
// blanks is consumed, so the word stays in the input. Values outside the 32-bit
// range saturate.
bool inputReadInt(int32_t* value);

// Reads the rest of the current line (without its line end; a carriage return
// before the line feed is dropped) into buf, keeping at most cap - 1 bytes and
// discarding the rest of an overlong line. False at end of input when nothing
// was read.
bool inputReadLine(char* buf, size_t cap);

// Non-blocking test for waiting input; never consumes anything. Returns 0 when
// nothing is waiting, otherwise a positive count. A terminal with fewer than
// two waiting bytes counts as nothing waiting; a pipe that cannot be examined
// (closed or in error) counts as waiting.
uint32_t inputWaiting();

// Forgets everything buffered and a reached end of input, for a standard input
// that starts over (the command fuzzer feeds one script after another).
void inputRestart();
