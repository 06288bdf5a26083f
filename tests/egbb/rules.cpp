#include "rules.h"

#include <cstdlib>

namespace egbbtest {

namespace {

int fileOf(int s) { return s % 8; }
int rankOf(int s) { return s / 8; }

int unitAt(const Position& p, int square) {
    for (int i = 0; i < p.count; ++i)
        if (p.units[i].square == square) return i;
    return -1;
}

bool attacks(const Position& p, const Unit& u, int target) {
    const int df = fileOf(target) - fileOf(u.square), dr = rankOf(target) - rankOf(u.square);
    const int adf = std::abs(df), adr = std::abs(dr);
    const int type = typeOf(u.code);
    if (adf == 0 && adr == 0) return false;
    switch (type) {
        case 1: return adf <= 1 && adr <= 1;
        case 5: return (adf == 1 && adr == 2) || (adf == 2 && adr == 1);
        case 6: return adf == 1 && dr == (colourOf(u.code) == kWhite ? 1 : -1);
        default: break;
    }
    const bool straight = df == 0 || dr == 0, diagonal = adf == adr;
    if (type == 3 && !straight) return false;
    if (type == 4 && !diagonal) return false;
    if (type == 2 && !straight && !diagonal) return false;
    const int stepFile = df > 0 ? 1 : df < 0 ? -1 : 0, stepRank = dr > 0 ? 1 : dr < 0 ? -1 : 0;
    int f = fileOf(u.square) + stepFile, r = rankOf(u.square) + stepRank;
    for (; r * 8 + f != target; f += stepFile, r += stepRank)
        if (unitAt(p, r * 8 + f) >= 0) return false;
    return true;
}

bool attackedBy(const Position& p, int square, int colour) {
    for (int i = 0; i < p.count; ++i)
        if (colourOf(p.units[i].code) == colour && attacks(p, p.units[i], square)) return true;
    return false;
}

// Adds the move of unit `mover` to `to` (turning it into `promotion` if that
// is not kEmpty) when it does not leave the mover's king in check.
void tryMove(const Position& p, int mover, int to, int promotion, MoveList& out) {
    Position c = p;
    const int victim = unitAt(c, to);
    c.units[mover].square = to;
    if (promotion != kEmpty) c.units[mover].code = promotion;
    if (victim >= 0) {
        c.units[victim] = c.units[c.count - 1];
        --c.count;
    }
    c.side = 1 - p.side;
    if (!inCheck(c, p.side)) out.items[out.size++] = c;
}

// Whether a man of `colour` may go to `to`: empty, or an enemy man that is not the king.
bool enterable(const Position& p, int to, int colour) {
    const int i = unitAt(p, to);
    return i < 0 || (colourOf(p.units[i].code) != colour && typeOf(p.units[i].code) != 1);
}

void pawnMoves(const Position& p, int i, MoveList& out) {
    const Unit u = p.units[i];
    const int colour = colourOf(u.code), dir = colour == kWhite ? 1 : -1;
    const int f = fileOf(u.square), r = rankOf(u.square), last = colour == kWhite ? 7 : 0;
    const int base = colour == kWhite ? kWhiteKing : kBlackKing;
    auto add = [&](int to) {
        if (rankOf(to) == last)
            for (int type = 2; type <= 5; ++type) tryMove(p, i, to, base + type - 1, out);
        else
            tryMove(p, i, to, kEmpty, out);
    };
    const int one = (r + dir) * 8 + f;
    if (unitAt(p, one) < 0) {
        add(one);
        const int two = (r + 2 * dir) * 8 + f;
        if (r == (colour == kWhite ? 1 : 6) && unitAt(p, two) < 0) add(two);
    }
    for (int df : {-1, 1}) {
        if (f + df < 0 || f + df > 7) continue;
        const int to = (r + dir) * 8 + f + df, target = unitAt(p, to);
        if (target >= 0 && enterable(p, to, colour)) add(to);
    }
}

bool hasMatingMaterial(const Position& p, int colour) {
    for (int i = 2; i < p.count; ++i) {
        const int type = typeOf(p.units[i].code);
        if (colourOf(p.units[i].code) == colour && (type == 2 || type == 3 || type == 6)) return true;
    }
    return false;
}

bool lostWithin(const Position& p, int plies);

bool mates(const Position& p, int plies) {
    if (plies < 1 || !hasMatingMaterial(p, p.side)) return false;
    for (const Position& c : legalMoves(p))
        if (lostWithin(c, plies - 1)) return true;
    return false;
}

bool lostWithin(const Position& p, int plies) {
    const MoveList moves = legalMoves(p);
    if (moves.empty()) return inCheck(p, p.side);
    if (plies < 2 || !hasMatingMaterial(p, 1 - p.side)) return false;
    for (const Position& c : moves)
        if (!mates(c, plies - 1)) return false;
    return true;
}

}  // namespace

int sq(const char* name) { return (name[1] - '1') * 8 + (name[0] - 'a'); }

std::string squareName(int square) {
    return {char('a' + fileOf(square)), char('1' + rankOf(square))};
}

Position makePosition(int side, int whiteKing, int blackKing, std::initializer_list<Unit> men) {
    Position p;
    p.side = side;
    p.units[0] = {kWhiteKing, whiteKing};
    p.units[1] = {kBlackKing, blackKing};
    for (const Unit& u : men) p.units[p.count++] = u;
    return p;
}

std::string describe(const Position& p) {
    static const char* const kLetters = ".KQRBNPkqrbnp";
    std::string text = p.side == kWhite ? "White to move:" : "Black to move:";
    for (int i = 0; i < p.count; ++i)
        text += std::string(" ") + kLetters[p.units[i].code] + squareName(p.units[i].square);
    return text;
}

int colourOf(int code) { return code >= kBlackKing ? kBlack : kWhite; }
int typeOf(int code) { return code >= kBlackKing ? code - 6 : code; }

bool inCheck(const Position& p, int colour) {
    return attackedBy(p, p.units[colour == kWhite ? 0 : 1].square, 1 - colour);
}

bool isLegal(const Position& p) {
    for (int i = 0; i < p.count; ++i) {
        const Unit& u = p.units[i];
        if (u.square < 0 || u.square > 63) return false;
        if (typeOf(u.code) == 6 && (rankOf(u.square) == 0 || rankOf(u.square) == 7)) return false;
        for (int j = 0; j < i; ++j)
            if (p.units[j].square == u.square) return false;
    }
    return !inCheck(p, 1 - p.side);
}

MoveList legalMoves(const Position& p) {
    MoveList out;
    static const int kKing[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    static const int kKnight[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
    for (int i = 0; i < p.count; ++i) {
        const Unit u = p.units[i];
        if (colourOf(u.code) != p.side) continue;
        const int type = typeOf(u.code), f = fileOf(u.square), r = rankOf(u.square);
        if (type == 6) {
            pawnMoves(p, i, out);
            continue;
        }
        const bool slides = type == 2 || type == 3 || type == 4;
        for (int d = 0; d < 8; ++d) {
            const int* step = type == 5 ? kKnight[d] : kKing[d];
            const bool diagonalStep = step[0] != 0 && step[1] != 0;
            if ((type == 3 && diagonalStep) || (type == 4 && !diagonalStep)) continue;
            for (int nf = f + step[0], nr = r + step[1]; nf >= 0 && nf < 8 && nr >= 0 && nr < 8;
                 nf += step[0], nr += step[1]) {
                const int to = nr * 8 + nf;
                if (enterable(p, to, p.side)) tryMove(p, i, to, kEmpty, out);
                if (!slides || unitAt(p, to) >= 0) break;
            }
        }
    }
    return out;
}

Position colourMirrored(const Position& p) {
    Position m = p;
    m.side = 1 - p.side;
    m.units[0] = {kWhiteKing, p.units[1].square ^ 56};
    m.units[1] = {kBlackKing, p.units[0].square ^ 56};
    for (int i = 2; i < p.count; ++i) {
        const int code = p.units[i].code;
        m.units[i] = {colourOf(code) == kWhite ? code + 6 : code - 6, p.units[i].square ^ 56};
    }
    return m;
}

Position fileMirrored(const Position& p) {
    Position m = p;
    for (int i = 0; i < p.count; ++i) m.units[i].square = p.units[i].square ^ 7;
    return m;
}

int valueThroughMove(int childValue) {
    if (childValue > 0) return -childValue + 1;
    if (childValue < 0) return -childValue - 1;
    return 0;
}

std::optional<int> bruteForceMate(const Position& p, int maxPlies) {
    const bool attacker = hasMatingMaterial(p, p.side);
    for (int plies = attacker ? 1 : 0; plies <= maxPlies; plies += 2) {
        if (attacker && mates(p, plies)) return kMateScore - plies;
        if (!attacker && lostWithin(p, plies)) return -(kMateScore - plies);
    }
    return std::nullopt;
}

}  // namespace egbbtest
