#include "search/aspiration.h"

namespace {

constexpr int32_t kAspirationWidth = 30;
constexpr int32_t kFailWidth = 100;
constexpr int32_t kNarrowScores = 3000;  // beyond it the windows are full

}  // namespace

bool Aspiration::next(int32_t score) {
    const bool narrow = (score < 0 ? -score : score) <= kNarrowScores;
    if (score <= alpha || score >= beta) {
        const bool low = score <= alpha;
        const bool first = failLows == 0 && failHighs == 0;
        if (narrow && first && low) {
            alpha = score - kFailWidth, beta = score;
        } else if (narrow && first) {
            alpha = score, beta = score + kFailWidth;
        } else {
            alpha = -MATE_VALUE, beta = MATE_VALUE;
        }
        (low ? failLows : failHighs)++;
        research = true;
        return true;
    }
    research = false;
    if (narrow) {
        alpha = score - kAspirationWidth, beta = score + kAspirationWidth;
        failLows = failHighs = 0;
    } else {
        alpha = -MATE_VALUE, beta = MATE_VALUE;
    }
    return false;
}
