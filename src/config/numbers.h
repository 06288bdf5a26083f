// Decimal numbers in text, read the way scanf's %d reads them but without its
// undefined behaviour: values beyond 32 bits saturate.
#pragma once
#include <cstdint>

// Reads blanks, an optional sign and digits at text. Returns the character
// after the last digit, or nullptr (value untouched) when no number is there.
const char* readDecimal(const char* text, int32_t* value);
