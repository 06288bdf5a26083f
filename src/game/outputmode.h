// What a search prints as it goes.
#pragma once
#include <cstdint>

enum class OutputMode : int32_t {
    Silent,   // nothing (hints, test searches)
    Console,  // the console's iteration lines
    Xboard,   // XBoard's thinking output ("post")
    Uci,      // "info" lines only
};
