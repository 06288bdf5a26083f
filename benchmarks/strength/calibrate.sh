#!/usr/bin/env bash
# Plays the calibration matches listed in a file (one "FIRST SECOND" pair a
# line, players as match.sh names them), JOBS at a time (default 1), GAMES
# games each (default 32), and appends each result line to
# $RESULTS/results.txt. Matches whose players search by the clock (Morvantix
# at level 20, the reference engines) should run one at a time on a
# two-core machine; matches between limited levels, which count nodes, are
# not affected by load and may run side by side.
#
# Usage: calibrate.sh ENGINE PAIRINGS
# Then: fit.py $RESULTS/results.txt
set -u
engine=$(readlink -f "$1"); pairings=$2
here=$(cd "$(dirname "$0")" && pwd)
export RESULTS=${RESULTS:-$here/results}
mkdir -p "$RESULTS"
grep -v '^#' "$pairings" | grep . | \
  xargs -P "${JOBS:-1}" -L 1 sh -c '"$0" "$1" "$2" "$3" "$4" >> "$RESULTS/results.txt"' \
    "$here/match.sh" "$engine" "${GAMES:-32}"
