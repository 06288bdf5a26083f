// Appending whole records to files that other engine processes may be
// appending to at the same time (two engines playing in one folder).
#pragma once
#include <cstddef>

// Appends the bytes to the file (created when missing) with one write under
// an exclusive lock, so that the records of two processes never interleave.
// False when the file cannot be opened or written; a file that cannot be
// written is skipped.
bool appendToFile(const char* path, const char* data, size_t size);
