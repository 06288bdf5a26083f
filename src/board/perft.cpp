#include "board/perft.h"

#include <cstdio>

#include "board/makemove.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "platform/clock.h"

double perftCount(Board& bd, int32_t depth) {
    if (depth == 0) return 1;
    generateAllMoves(bd);
    double sum = 0;
    const int32_t ply = bd.pos.ply;
    for (int32_t i = bd.firstMove[ply]; i < bd.firstMove[ply + 1]; i++) {
        if (!makeMove(bd, bd.moveStack[i].move)) continue;
        sum += perftCount(bd, depth - 1);
        unmakeMove(bd);
    }
    return sum;
}

namespace {

// The count below each legal move, handed to report(move, count) in
// generation order; returns their total.
template <typename Report>
double countByRootMove(Board& bd, int32_t depth, Report report) {
    generateAllMoves(bd);
    double total = 0;
    const int32_t ply = bd.pos.ply;
    for (int32_t i = bd.firstMove[ply]; i < bd.firstMove[ply + 1]; i++) {
        const Move move = bd.moveStack[i].move;
        if (!makeMove(bd, move)) continue;
        const double n = perftCount(bd, depth - 1);
        unmakeMove(bd);
        total += n;
        report(move, n);
    }
    return total;
}

}  // namespace

void perft(Board& bd, int32_t depth) {
    const uint32_t start = getMilliseconds();
    printf("\n");
    const double total = countByRootMove(bd, depth, [](Move move, double n) {
        printf(" %s - ", moveToText(move));
        printf("%0.0f\n", n);
    });
    const double elapsed = double(int32_t(getMilliseconds() - start));
    printf("\n Perft %d Summary\n", depth);
    printf(" Nodes: %0.0f\n", total);
    printf(" Time: %0.2f sec\n", elapsed / 1000);
    // A count too quick for the clock is timed as one millisecond.
    printf(" Nodes/sec: %0.0f\n\n", total * 1000 / (elapsed > 0 ? elapsed : 1));
    fflush(stdout);
}

void perftDivide(Board& bd, int32_t depth) {
    const Position saved = bd.pos;
    const double total =
        countByRootMove(bd, depth, [](Move move, double n) { printf("%s: %0.0f\n", moveToText(move), n); });
    printf("\nNodes searched: %0.0f\n\n", total);
    fflush(stdout);
    bd.pos = saved;
}
