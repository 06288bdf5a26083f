#include "platform/streams.h"

void useBinaryStandardStreams() {}
