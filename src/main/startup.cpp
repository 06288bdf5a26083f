#include "main/startup.h"

#include <cstdio>
#include <cstring>

#include "base/version.h"
#include "board/fen.h"
#include "board/position.h"
#include "board/tables.h"
#include "config/config.h"
#include "eval/params.h"
#include "game/game.h"
#include "search/timeman.h"
#include "setup/gamestart.h"
#include "setup/tables.h"
#include "game/gameboard.h"

void printBanner() {
    printf("# %s\n", kEngineName);
    printf("# Compiled: %s\n", kBuildDate);
    fflush(stdout);
}

void startUp() {
    initBoardTables();
    readConfigFile(allocateTables);
    startSearchThreads();
    readEvalSettings();
    setOpponentName("");
    startGame(kStartFen);
    setTunableDefaults();
    setFixedSearch(10000, kDefaultSearchDepth);
    startRecordHere();
}
