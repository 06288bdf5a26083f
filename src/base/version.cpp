#include "base/version.h"

#ifndef MORVANTIX_NAME_SUFFIX
#define MORVANTIX_NAME_SUFFIX ""
#endif

const char* const kEngineName = "Morvantix v12.01.30.1070" MORVANTIX_NAME_SUFFIX;
const char* const kBuildDate = __DATE__;
const char* const kBuildTime = __TIME__;
