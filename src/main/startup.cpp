#include "main/startup.h"

#include <cstdio>
#include <cstring>

#include "board/fen.h"
#include "board/movegen.h"
#include "board/position.h"
#include "board/tables.h"
#include "config/config.h"
#include "eval/params.h"
#include "main/game.h"
#include "main/gamestart.h"
#include "main/version.h"
#include "search/timeman.h"

void printBanner() {
    printf("# %s\n", kEngineName);
    printf("# Compiled: %s\n", kBuildDate);
    fflush(stdout);
}

void startUp() {
    initBoardTables();
    readConfigFile();
    readEvalSettings();
    memset(gOpponentName, 0, sizeof gOpponentName);
    startGame(kStartFen);
    setTunableDefaults();
    generateAllMoves();
    setFixedSearch(10000, kDefaultSearchDepth);
    gRecordedPly = gPos.hply;
    gCastled[WHITE] = gCastled[BLACK] = 0;
}
