// Standard input and the clocks of the fuzz build: input comes from memory,
// and the millisecond clock runs an hour ahead at every reading, so that every
// timed search ends within a few thousand nodes.
#pragma once
#include <cstddef>
#include <cstdint>

// The bytes the engine reads as its standard input next (not copied: they
// must stay valid while the engine reads them).
void setMemoryInput(const uint8_t* data, size_t size);
