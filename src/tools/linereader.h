// Reading a text file line by line into a fixed buffer, whole lines only: the
// part of a line that does not fit is read and dropped, never taken for the
// next line.
#pragma once
#include <cstddef>
#include <cstdio>

// Reads the next line into buf (at most size - 1 characters, the line end
// kept when it fits). Returns false at the end of the file; otherwise *length
// is the length of the whole line counting its line end.
bool readWholeLine(FILE* file, char* buf, size_t size, size_t* length);
