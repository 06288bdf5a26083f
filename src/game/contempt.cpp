#include "game/contempt.h"

#include <cstdint>
#include <cstring>

#include "config/config.h"
#include "game/game.h"

void setOpponentContempt() {
    struct Known {
        const char* text;
        int32_t contempt;
    };
    static const Known kKnown[] = {
        {"jabbaC", -5},       {"jabba", -5},          {"ChironX", 10}, {"chiron", 10}, {"KomodoChess", 15},
        {"ChessThinkerX", 15}, {"PandixX", 10},       {"Pandix", 10},  {"Crafty", 5},  {"crafty", 5},
    };
    for (const Known& k : kKnown)
        if (strstr(gOpponentName, k.text)) {
            setContempt(k.contempt);
            return;
        }
}
