// Standard input and output as byte streams: what the engine prints is what
// the interface receives, "\n" line ends included.
#pragma once

// Called once at the start. On Windows the C runtime opens the standard
// streams in text mode, which would turn every "\n" into "\r\n"; they are
// switched to binary mode. Elsewhere there is nothing to do.
void useBinaryStandardStreams();
