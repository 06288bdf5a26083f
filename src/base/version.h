// The engine's name and the date and time it was built.
#pragma once

// "Morvantix v<version>" (e.g. v12.01.30.1070) followed by the build's suffix (" x64", " x64 sse"
// or nothing for the 32-bit build).
extern const char* const kEngineName;

// Build date ("Jul 29 2012") and time ("07:16:14").
extern const char* const kBuildDate;
extern const char* const kBuildTime;
