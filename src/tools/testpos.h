// The test-position run: six positions, ten seconds each, with the time each
// search took against a reference time.
#pragma once

void runTestPositions();
