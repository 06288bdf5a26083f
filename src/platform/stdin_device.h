// The two platform primitives under the input reader: a blocking read of
// standard input and a non-blocking count of what is waiting there.
#pragma once
#include <cstddef>
#include <cstdint>

// Reads up to `size` bytes; returns the count, or 0 at end of input or on error.
size_t readStandardInput(char* buf, size_t size);

// Bytes (or console events) waiting on standard input that have not been read
// yet, by the console and pipe rules: a console with fewer than two pending
// events reports 0; a pipe that cannot be examined reports 1.
uint32_t pendingStandardInput();
