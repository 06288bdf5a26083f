#!/usr/bin/env python3
"""Fits an Elo scale to the calibration matches and prints the tables.

Input: result lines "FIRST SECOND WINS DRAWS LOSSES" (match.sh), counted for
the first player. Each match gives a rating difference on the logistic scale
(a score of 76 % is a difference of 200 points) with the variance of its
score; a weighted least-squares fit over all matches gives every player a
rating, with Fairy-Max fixed at ANCHOR (default 1950). The skill levels that
were not measured are interpolated linearly between the measured ones.

Usage: fit.py results.txt [ANCHOR]
"""
import math
import sys

ANCHOR_PLAYER = "fairymax"


def elo_of_score(p):
    return -400.0 * math.log10(1.0 / p - 1.0)


def read_matches(path):
    matches = []
    for line in open(path):
        words = line.split()
        if len(words) != 5 or words[0].startswith("#"):
            continue
        a, b, w, d, l = words[0], words[1], int(words[2]), int(words[3]), int(words[4])
        if w + d + l > 0:
            matches.append((a, b, w, d, l))
    return matches


def difference(w, d, l):
    """Rating difference, its standard error, the score and its standard error."""
    n = w + d + l
    p = (w + 0.5 * d) / n
    var_p = (w * (1 - p) ** 2 + d * (0.5 - p) ** 2 + l * p ** 2) / n / n
    # A score of 0 or 100 % gives no finite difference: take half a game from it.
    q = min(max(p, 0.5 / n), 1 - 0.5 / n)
    var_p = max(var_p, q * (1 - q) / n / 4)
    slope = 400.0 / (math.log(10) * q * (1 - q))
    return elo_of_score(q), slope * math.sqrt(var_p), p, math.sqrt(var_p)


def solve(a, b):
    """Gaussian elimination with partial pivoting: a x = b."""
    n = len(b)
    m = [row[:] + [b[i]] for i, row in enumerate(a)]
    for c in range(n):
        pivot = max(range(c, n), key=lambda r: abs(m[r][c]))
        m[c], m[pivot] = m[pivot], m[c]
        for r in range(n):
            if r != c and m[c][c] != 0:
                f = m[r][c] / m[c][c]
                m[r] = [x - f * y for x, y in zip(m[r], m[c])]
    return [m[i][n] / m[i][i] for i in range(n)]


def inverse(a):
    n = len(a)
    cols = [solve(a, [1.0 if i == j else 0.0 for i in range(n)]) for j in range(n)]
    return [[cols[j][i] for j in range(n)] for i in range(n)]


def connected(matches):
    """The matches whose players are linked to the anchor by some chain of matches."""
    linked = {ANCHOR_PLAYER}
    grew = True
    while grew:
        grew = False
        for a, b, *_ in matches:
            if (a in linked) != (b in linked):
                linked |= {a, b}
                grew = True
    return [m for m in matches if m[0] in linked]


def fit(matches, anchor):
    matches = connected(matches)
    players = sorted({m[0] for m in matches} | {m[1] for m in matches})
    free = [p for p in players if p != ANCHOR_PLAYER]
    index = {p: i for i, p in enumerate(free)}
    n = len(free)
    ata = [[0.0] * n for _ in range(n)]
    atb = [0.0] * n
    for a, b, w, d, l in matches:
        diff, se, _, _ = difference(w, d, l)
        weight = 1.0 / (se * se)
        row = [0.0] * n
        rhs = diff
        for player, sign in ((a, 1.0), (b, -1.0)):
            if player == ANCHOR_PLAYER:
                rhs -= sign * anchor
            else:
                row[index[player]] += sign
        for i in range(n):
            atb[i] += weight * row[i] * rhs
            for j in range(n):
                ata[i][j] += weight * row[i] * row[j]
    ratings = solve(ata, atb)
    covariance = inverse(ata)
    result = {ANCHOR_PLAYER: (anchor, 0.0)}
    for p in free:
        i = index[p]
        result[p] = (ratings[i], math.sqrt(max(covariance[i][i], 0.0)))
    return result


def level_of(player):
    return int(player.split(":")[1]) if player.startswith("level:") else None


def main():
    matches = read_matches(sys.argv[1])
    anchor = float(sys.argv[2]) if len(sys.argv) > 2 else 1950.0
    ratings = fit(matches, anchor)

    print("Matches (counted for the first player; +/- one standard error; 'fitted': the score the")
    print("fitted ratings predict):")
    print("%-16s %-16s %5s %5s %5s %7s %7s %11s %7s" % ("first", "second", "won", "drawn", "lost", "score", "+/-",
                                                       "Elo diff", "fitted"))
    for a, b, w, d, l in matches:
        diff, se, p, sp = difference(w, d, l)
        fitted = "-"
        if a in ratings and b in ratings:
            fitted = "%.1f%%" % (100.0 / (1.0 + 10 ** (-(ratings[a][0] - ratings[b][0]) / 400.0)))
        print("%-16s %-16s %5d %5d %5d %6.1f%% %6.1f%% %+5.0f+/-%-3.0f %7s" % (a, b, w, d, l, 100 * p, 100 * sp, diff,
                                                                             se, fitted))

    print("\nRatings (Fairy-Max = %.0f):" % anchor)
    for p in sorted(ratings, key=lambda x: ratings[x][0]):
        print("%-16s %6.0f +/- %3.0f" % (p, ratings[p][0], ratings[p][1]))

    measured = sorted((level_of(p), ratings[p][0], ratings[p][1]) for p in ratings if level_of(p) is not None)
    # The engine's table must rise with the level: where the fit puts a level
    # at or below the one beneath it (the two within their errors, and not
    # played against each other), the less certain of the two is left out and
    # interpolated.
    while True:
        bad = [i for i in range(1, len(measured)) if measured[i][1] <= measured[i - 1][1]]
        if not bad:
            break
        i = bad[0]
        drop = i if measured[i][2] >= measured[i - 1][2] else i - 1
        print("level %d (%.0f +/- %.0f) is left out of the table and interpolated" % measured[drop])
        del measured[drop]
    measured = [(level, elo) for level, elo, _ in measured]
    table = []
    for skill in range(21):
        below = [m for m in measured if m[0] <= skill]
        above = [m for m in measured if m[0] >= skill]
        if not below or not above:
            table.append(None)
            continue
        (l0, e0), (l1, e1) = below[-1], above[0]
        table.append(e0 if l1 == l0 else e0 + (e1 - e0) * (skill - l0) / (l1 - l0))
    print("\nSkill level -> Elo (measured levels marked *):")
    for skill, elo in enumerate(table):
        mark = "*" if any(m[0] == skill for m in measured) else " "
        print("%2d%s %s" % (skill, mark, "?" if elo is None else "%.0f" % elo))
    print("\nFor the engine's table:")
    print(", ".join("?" if e is None else str(int(round(e))) for e in table))

    print("\nAdjacent measured levels (each should score at least 50 % against the one below):")
    for a, b, w, d, l in matches:
        la, lb = level_of(a), level_of(b)
        if la is not None and lb is not None:
            _, _, p, sp = difference(w, d, l)
            verdict = "ok" if p >= 0.5 else "NOT ORDERED"
            print("level %2d vs level %2d: %5.1f%% +/- %4.1f%%  %s" % (la, lb, 100 * p, 100 * sp, verdict))


if __name__ == "__main__":
    main()
