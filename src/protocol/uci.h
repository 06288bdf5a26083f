// The UCI protocol: the console word `uci` hands control to this driver for
// the rest of the run, as `xboard` hands it to the XBoard driver.
#pragma once

// Answers the `uci` handshake and runs the protocol until `quit` or the end
// of input.
void uciLoop();
