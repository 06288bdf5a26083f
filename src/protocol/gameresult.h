// After every move of the game: has it ended (mate, stalemate, repetition,
// fifty moves, insufficient material), and should the engine resign? The
// verdict is printed in the XBoard result form, which an interface takes as
// the engine's claim; nothing is stopped.
#pragma once

void checkGameResult();
