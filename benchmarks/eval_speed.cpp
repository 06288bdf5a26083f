// Evaluations per second of evaluate(mainWorker()) over a fixed set of positions, with the
// evaluation cache and the pawn hash cleared before every pass, so that every
// call computes the full evaluation (pawn structures repeated within a pass
// still come from the pawn hash, as they do in a search).
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "board/fen.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/position.h"
#include "board/tables.h"
#include "config/config.h"
#include "eval/evalcache.h"
#include "eval/evaluate.h"
#include "eval/params.h"
#include "eval/pawnhash.h"
#include "setup/gamestart.h"
#include "setup/tables.h"
#include "search/worker.h"

namespace {

// Snapshots of positions reached by random play from a few openings.
std::vector<Position> positions() {
    const char* starts[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
        "r1bq1rk1/pp2ppbp/2np1np1/8/3NP3/2N1BP2/PPPQ2PP/R3KB1R w KQ -",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
    };
    std::vector<Position> result;
    std::mt19937 random(12345);
    for (const char* fen : starts)
        for (int game = 0; game < 25; game++) {
            startGame(fen);
            for (int ply = 0; ply < 40; ply++) {
                result.push_back(mainWorker().pos);
                generateAllMoves(mainWorker());
                std::vector<Move> legal;
                for (int32_t i = mainWorker().firstMove[0]; i < mainWorker().firstMove[1]; i++)
                    if (makeMove(mainWorker(), mainWorker().moveStack[i].move)) {
                        legal.push_back(mainWorker().moveStack[i].move);
                        unmakeMove(mainWorker());
                    }
                if (legal.empty()) break;
                makeMove(mainWorker(), legal[random() % legal.size()]);
                mainWorker().pos.ply = 0;
            }
        }
    return result;
}

}  // namespace

int main() {
    initBoardTables();
    allocateTables(32, 8);
    setTunableDefaults();
    const std::vector<Position> set = positions();
    const int passes = 500;
    int64_t sum = 0;
    double seconds = 0;
    for (int pass = 0; pass < passes; pass++) {
        mainWorker().evalCache.table.clear();
        mainWorker().pawnHash.table.clear();
        const auto start = std::chrono::steady_clock::now();
        for (const Position& p : set) {
            mainWorker().pos = p;
            sum += evaluate(mainWorker(), -MATE_VALUE, MATE_VALUE);
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double calls = double(passes) * double(set.size());
    printf("positions %zu, passes %d, checksum %lld\n", set.size(), passes, (long long)sum);
    printf("%.0f evaluations per second (%.1f ns each, copying the position included)\n", calls / seconds,
           seconds * 1e9 / calls);
    freeTables();
    return 0;
}
