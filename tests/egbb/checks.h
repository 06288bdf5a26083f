// Checks over whole tables, shared by the tests of each material.
#pragma once

#include <string>

#include "rules.h"

namespace egbbtest {

// Calls visit(position) for both sides to move and every placement of the two
// kings and one man of `code` on three distinct squares, legal or not.
template <class Visit>
void forEachPlacement(int code, Visit&& visit) {
    for (int side = kWhite; side <= kBlack; ++side)
        for (int wk = 0; wk < 64; ++wk)
            for (int bk = 0; bk < 64; ++bk)
                for (int man = 0; man < 64; ++man)
                    if (wk != bk && man != wk && man != bk)
                        visit(makePosition(side, wk, bk, {{code, man}}));
}

// Counts the positions where a check failed and keeps the first few for the
// failure message.
class Mismatches {
public:
    void add(const Position& p, const std::string& what);
    int count() const { return count_; }
    const std::string& examples() const { return examples_; }

private:
    int count_ = 0;
    std::string examples_;
};

// Compares the library with the brute-force mate search on legal positions
// with the man `code` picked at random (with a fixed seed): `shortCount` of
// those the library scores as a mate within kShortMatePlies, whose distance
// the search must find exactly, and `otherCount` of the rest, where the
// search must find no mate that short.
constexpr int kShortMatePlies = 5;
void expectShortMatesMatchBruteForce(int code, int shortCount, int otherCount);

}  // namespace egbbtest
