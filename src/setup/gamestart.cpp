#include "setup/gamestart.h"

#include "board/fen.h"
#include "board/random.h"
#include "book/learning.h"
#include "config/config.h"
#include "game/game.h"
#include "platform/clock.h"
#include "search/stopcheck.h"
#include "search/timeman.h"
#include "setup/tables.h"
#include "game/gameboard.h"

namespace {

// With the book on, the book's later choices follow a new sequence, seeded
// from the calendar (unless the millisecond clock reads a multiple of 10 s).
void reseedForTheBook() {
    if (!gBookEnabled) return;
    int32_t r = int32_t(getMilliseconds()) % 10000;
    if (r < 0) r = -r;
    if (r > 0) seedRandom(uint32_t(getCalendarSeconds()));
}

}  // namespace

const char* startGame(const char* fen) {
    // 1. No entry of an earlier game may be found in the hash tables.
    clearTables();

    // 2. The position; it draws fresh hash keys from the random generator.
    const char* error = setPosition(gameBoard(), fen);

    // 3. The book's draws start from a new seed once the keys are drawn. The
    //    initial position that replaces a rejected text is set up once more
    //    after the seed, so its keys come from the new sequence too.
    reseedForTheBook();
    if (error) {
        setPosition(gameBoard(), kStartFen);
        reseedForTheBook();
    }

    // 4. Each module forgets the previous game.
    resetGameRecord();
    resetOutOfBookState();
    resetTimeForNewGame();
    resetEngineState();
    return error;
}
