// The console command loop: a person or a script types commands and moves.
#pragma once

// Runs until `bye` or the end of input; returns the program's exit status.
int consoleLoop();
