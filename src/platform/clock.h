// Clocks used by the engine: one millisecond clock for all search timing and
// the calendar time in seconds for seeding and dating records.
#pragma once
#include <cstdint>

// Milliseconds on a steady clock, truncated to 32 bits. Only differences of two
// readings are meaningful; compare them as signed 32-bit values so that the
// wrap-around every 49 days does no harm.
uint32_t getMilliseconds();

// Seconds since the epoch (calendar time).
int64_t getCalendarSeconds();

// Sleeps for about ms milliseconds (0 or less: returns at once).
void sleepMilliseconds(int32_t ms);
