// A stand-in endgame bitbase library for the engine.
//
// The engine loads egbbdll.so (egbbdll.dll on Windows) at run time and calls
// two C functions:
// load_egbb_5men() once when the bitbases are switched on, and
// probe_egbb_5men() for positions with few men. This library answers every
// position with at most three men (two kings and one other man) exactly:
// KQK, KRK and KPK by retrograde analysis, computed in memory; KBK, KNK and
// bare kings are draws. Everything else has no value (kNoValue).
//
// Scores are from the side to move's point of view: a win in n plies scores
// kMateScore - n, a loss in n plies -(kMateScore - n), a draw 0. A side to move
// that is checkmated scores -kMateScore.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#ifdef _WIN32
#define EGBB_EXPORT extern "C" __declspec(dllexport)
#else
#define EGBB_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

constexpr int kNoValue = 99999;
constexpr int kMateScore = 29000;

// Distance entry of a position that is drawn, illegal, or not yet solved.
constexpr std::uint8_t kUnsolved = 0xFF;
// Move counter of a lone-king position that can never be lost: the king can
// take the man, or it is stalemated.
constexpr std::uint8_t kNeverLost = 0xFF;

constexpr int fileOf(int s) { return s & 7; }
constexpr int rankOf(int s) { return s >> 3; }
constexpr bool onBoard(int s) { return s >= 0 && s < 64; }
constexpr int absolute(int x) { return x < 0 ? -x : x; }

constexpr int distance(int a, int b) {
    return std::max(absolute(fileOf(a) - fileOf(b)), absolute(rankOf(a) - rankOf(b)));
}

struct Step {
    int file;
    int rank;
};

// The king's steps; the first four are also the rook's directions, all eight
// the queen's.
constexpr Step kKingSteps[8] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

// The square one step away from s, or -1 off the board.
constexpr int shift(int s, Step step) {
    const int f = fileOf(s) + step.file, r = rankOf(s) + step.rank;
    return f < 0 || f > 7 || r < 0 || r > 7 ? -1 : r * 8 + f;
}

// For every pair of squares: whether they share a rank or file (kStraight) or
// a diagonal (kDiagonal), and the squares strictly between them. Attack tests
// are looked up here instead of walking the line, as the solver makes millions.
constexpr std::uint8_t kStraight = 1, kDiagonal = 2;

struct Lines {
    std::array<std::array<std::uint8_t, 64>, 64> shape{};
    std::array<std::array<std::uint64_t, 64>, 64> between{};
};

constexpr Lines makeLines() {
    Lines lines;
    for (int from = 0; from < 64; ++from)
        for (int d = 0; d < 8; ++d) {
            const Step step = kKingSteps[d];
            std::uint64_t passed = 0;
            for (int to = shift(from, step); to >= 0; to = shift(to, step)) {
                lines.shape[from][to] = d < 4 ? kStraight : kDiagonal;
                lines.between[from][to] = passed;
                passed |= std::uint64_t(1) << to;
            }
        }
    return lines;
}

constexpr Lines kLines = makeLines();

// The kinds of the one man beside the kings, as the tables are indexed.
enum Kind { kQueen, kRook, kPawn, kBishop, kKnight };

// Whether a man of the given kind on `from` attacks `to`, with `block` the only
// other square that can stand between them. The man belongs to the side whose
// pawns move up the board (White, or Black on the rank-mirrored board).
bool attacks(Kind kind, int from, int to, int block) {
    const int df = fileOf(to) - fileOf(from), dr = rankOf(to) - rankOf(from);
    if (kind == kPawn) return dr == 1 && absolute(df) == 1;
    if (kind == kKnight) return absolute(df) * absolute(dr) == 2;
    const std::uint8_t wanted = kind == kQueen ? kStraight | kDiagonal : kind == kRook ? kStraight : kDiagonal;
    return (kLines.shape[from][to] & wanted) != 0 && ((kLines.between[from][to] >> block) & 1) == 0;
}

// Table layout: side to move (0 the side with the man, 1 the lone king), the
// strong king's square, the lone king's square, the man's square.
constexpr int kTableSize = 2 * 64 * 64 * 64;
constexpr int kSideSize = 64 * 64 * 64;

constexpr int indexOf(int side, int strongKing, int loneKing, int man) {
    return ((side * 64 + strongKing) * 64 + loneKing) * 64 + man;
}

// Distances to mate in plies for one material, the man always White: entries
// with the strong side to move are wins, entries with the lone king to move
// are losses, kUnsolved entries are draws (or illegal positions).
using Table = std::vector<std::uint8_t>;

bool placementOk(Kind kind, int strongKing, int loneKing, int man) {
    if (man == strongKing || man == loneKing || strongKing == loneKing) return false;
    if (distance(strongKing, loneKing) <= 1) return false;
    return kind != kPawn || (rankOf(man) != 0 && rankOf(man) != 7);
}

// Solves one material by retrograde analysis, ply by ply from the checkmates
// backwards. Each round n collects the positions decided in exactly n plies:
// on odd rounds the strong side to move wins by moving into a loss of round
// n - 1; on even rounds the lone king loses when the last of its moves has
// turned out to lead into a win. A pawn's promotions leave the table: their
// values come from the already solved queen and rook tables and enter the
// rounds as wins at the ply count they give.
class Solver {
public:
    Solver(Kind kind, Table& table, const Table* queens, const Table* rooks)
        : kind_(kind), dtm_(table), movesLeft_(kSideSize, kNeverLost) {
        dtm_.assign(kTableSize, kUnsolved);
        seed(queens, rooks);
    }

    void run() {
        for (int ply = 1; !frontier_.empty() || ply < int(promotions_.size()); ++ply) {
            next_.clear();
            if (ply % 2 == 1) {
                for (int lost : frontier_) strongPredecessors(lost, ply);
                if (ply < int(promotions_.size()))
                    for (int won : promotions_[ply]) decide(won, ply);
            } else {
                for (int won : frontier_) lonePredecessors(won, ply);
            }
            frontier_.swap(next_);
        }
    }

private:
    // Counts the lone king's moves, finds the checkmates, and lists the
    // promotions that win.
    void seed(const Table* queens, const Table* rooks) {
        for (int sk = 0; sk < 64; ++sk)
            for (int lk = 0; lk < 64; ++lk)
                for (int m = 0; m < 64; ++m) {
                    if (!placementOk(kind_, sk, lk, m)) continue;
                    seedLoneKing(sk, lk, m);
                    if (kind_ == kPawn && rankOf(m) == 6 && !attacks(kind_, m, lk, sk))
                        seedPromotion(sk, lk, m, queens, rooks);
                }
    }

    void seedLoneKing(int sk, int lk, int m) {
        int moves = 0;
        bool canTake = false;
        for (Step step : kKingSteps) {
            const int to = shift(lk, step);
            if (to < 0 || distance(to, sk) <= 1) continue;
            if (to == m) {
                canTake = true;  // the strong king does not guard the man
                continue;
            }
            // The lone king has left its square, so only the strong king blocks.
            if (!attacks(kind_, m, to, sk)) ++moves;
        }
        const int i = indexOf(1, sk, lk, m);
        if (canTake) return;  // taking the man draws
        if (moves > 0) {
            movesLeft_[i - kSideSize] = std::uint8_t(moves);
        } else if (attacks(kind_, m, lk, sk)) {
            dtm_[i] = 0;  // checkmate
            frontier_.push_back(i);
        }  // otherwise stalemate
    }

    void seedPromotion(int sk, int lk, int m, const Table* queens, const Table* rooks) {
        const int to = m + 8;
        if (to == sk || to == lk) return;
        int best = kUnsolved;
        for (const Table* table : {queens, rooks}) {
            const int after = (*table)[indexOf(1, sk, lk, to)];
            if (after != kUnsolved) best = std::min(best, after + 1);
        }
        if (best == kUnsolved) return;  // a bishop or knight would only draw
        if (int(promotions_.size()) <= best) promotions_.resize(best + 1);
        promotions_[best].push_back(indexOf(0, sk, lk, m));
    }

    void decide(int i, int ply) {
        if (dtm_[i] != kUnsolved) return;
        dtm_[i] = std::uint8_t(ply);
        next_.push_back(i);
    }

    // The strong side's positions that move into the lone-king position `lost`
    // (lost in ply - 1): they win in ply plies unless already decided sooner.
    void strongPredecessors(int lost, int ply) {
        const int m = lost & 63, lk = (lost >> 6) & 63, sk = (lost >> 12) & 63;
        // The strong king came from a neighbouring square; there the lone king
        // must not have been in check, as the strong side was to move.
        for (Step step : kKingSteps) {
            const int from = shift(sk, step);
            if (from < 0 || from == m || from == lk || distance(from, lk) <= 1) continue;
            if (!attacks(kind_, m, lk, from)) decide(indexOf(0, from, lk, m), ply);
        }
        auto manFrom = [&](int from) {
            if (!attacks(kind_, from, lk, sk)) decide(indexOf(0, sk, lk, from), ply);
        };
        if (kind_ == kPawn) {
            const int r = rankOf(m);
            if (r < 2) return;
            const int one = m - 8;
            if (one == sk || one == lk) return;
            manFrom(one);
            const int two = m - 16;
            if (r == 3 && two != sk && two != lk) manFrom(two);
            return;
        }
        // A queen or rook slid here over empty squares; it slides back the same way.
        const int directions = kind_ == kRook ? 4 : 8;
        for (int d = 0; d < directions; ++d) {
            const Step step = kKingSteps[d];
            for (int from = shift(m, step); from >= 0 && from != sk && from != lk; from = shift(from, step))
                manFrom(from);
        }
    }

    // The lone-king positions that move into the strong side's position `won`
    // (won in ply - 1). One of their moves is now known to lose; when none is
    // left, they lose in ply plies.
    void lonePredecessors(int won, int ply) {
        const int m = won & 63, lk = (won >> 6) & 63, sk = (won >> 12) & 63;
        for (Step step : kKingSteps) {
            const int from = shift(lk, step);
            if (from < 0 || from == m || distance(from, sk) <= 1) continue;
            const int i = indexOf(1, sk, from, m);
            std::uint8_t& left = movesLeft_[i - kSideSize];
            if (left == kNeverLost || dtm_[i] != kUnsolved) continue;
            if (--left == 0) decide(i, ply);
        }
    }

    Kind kind_;
    Table& dtm_;
    std::vector<std::uint8_t> movesLeft_;  // by lone-king position, less kSideSize
    std::vector<int> frontier_, next_;
    std::vector<std::vector<int>> promotions_;  // strong positions by winning ply
};

struct Tables {
    Table queen, rook, pawn;

    Tables() {
        Solver(kQueen, queen, nullptr, nullptr).run();
        Solver(kRook, rook, nullptr, nullptr).run();
        Solver(kPawn, pawn, &queen, &rook).run();
    }
};

// The tables, built on first use: by load_egbb_5men, or by the first probe if
// the engine probes without loading. The local static makes a concurrent first
// use wait for one build instead of building twice.
const Tables& tables() {
    static const Tables built;
    return built;
}

// Kind of a piece code without its colour (2 queen .. 6 pawn), or -1.
int kindOfCode(int code) {
    switch (code) {
        case 2: return kQueen;
        case 3: return kRook;
        case 4: return kBishop;
        case 5: return kKnight;
        case 6: return kPawn;
        default: return -1;
    }
}

}  // namespace

// The arguments name the directory of the files, the cache size in bytes and
// how to load them; this library has no files, so it ignores them and computes
// its tables (once; later calls find them built).
EGBB_EXPORT void load_egbb_5men(char* path, int cache_size, int load_options) {
    (void)path;
    (void)cache_size;
    (void)load_options;
    tables();
}

// The value of a position: `player` is the side to move (0 White, 1 Black),
// squares run a1 = 0 .. h8 = 63, and the men other than the kings come in up
// to three (piece code, square) slots in any order, piece 0 for an empty slot.
// Probing before load_egbb_5men is allowed: the first probe builds the tables.
EGBB_EXPORT int probe_egbb_5men(int player, int w_king, int b_king, int piece1, int square1, int piece2,
                                int square2, int piece3, int square3) {
    if (player != 0 && player != 1) return kNoValue;
    if (!onBoard(w_king) || !onBoard(b_king)) return kNoValue;
    if (w_king == b_king || distance(w_king, b_king) <= 1) return kNoValue;

    const std::array<int, 3> pieces{piece1, piece2, piece3}, squares{square1, square2, square3};
    int code = 0, square = 0, men = 0;
    for (int k = 0; k < 3; ++k) {
        if (pieces[k] == 0) continue;  // empty slot
        ++men;
        code = pieces[k];
        square = squares[k];
    }
    if (men == 0) return 0;  // bare kings
    if (men > 1) return kNoValue;

    const bool black = code > 6;
    const int kindCode = kindOfCode(black ? code - 6 : code);
    if (kindCode < 0 || !onBoard(square) || square == w_king || square == b_king) return kNoValue;
    const Kind kind = Kind(kindCode);

    // Seen from the man's owner: a Black man is looked up as a White one on
    // the board mirrored top to bottom, with the kings' colours exchanged.
    const int strongKing = black ? b_king ^ 56 : w_king;
    const int loneKing = black ? w_king ^ 56 : b_king;
    const int man = black ? square ^ 56 : square;
    const bool strongToMove = player == (black ? 1 : 0);

    if (kind == kPawn && (rankOf(man) == 0 || rankOf(man) == 7)) return kNoValue;
    // The side not to move must not be in check; a lone king gives no check.
    if (strongToMove && attacks(kind, man, loneKing, strongKing)) return kNoValue;
    if (kind == kBishop || kind == kKnight) return 0;

    const Tables& all = tables();
    const Table& table = kind == kQueen ? all.queen : kind == kRook ? all.rook : all.pawn;
    const int plies = table[indexOf(strongToMove ? 0 : 1, strongKing, loneKing, man)];
    if (plies == kUnsolved) return 0;
    return strongToMove ? kMateScore - plies : -(kMateScore - plies);
}
