// Signal handling: a user interface may send the interrupt signal to the whole
// process group; in XBoard mode the engine ignores it.
#pragma once

void ignoreInterruptSignal();
