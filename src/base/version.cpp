#include "base/version.h"

#ifndef MORVANTIX_NAME_SUFFIX
#define MORVANTIX_NAME_SUFFIX ""
#endif

// The version comes from the build (the file VERSION at the top of the tree).
#ifndef MORVANTIX_VERSION
#error "MORVANTIX_VERSION is not defined"
#endif

const char* const kEngineName = "Morvantix v" MORVANTIX_VERSION MORVANTIX_NAME_SUFFIX;
const char* const kBuildDate = __DATE__;
const char* const kBuildTime = __TIME__;
