#!/usr/bin/env bash
# One calibration match under XBoard (headless, on an Xvfb display): GAMES
# games between two players, each opening of benchmarks/openings.pgn played
# twice with the colours swapped, at 10 s + 0.1 s a game unless TC/INC say
# otherwise, no pondering. With VARIANT=fischerandom the games are Chess960,
# each from a start position XBoard draws at random, and no openings file is
# used (the engines must speak UCI through polyglot: players uci, glaurung).
# Prints one line:
#   <first> <second> <wins> <draws> <losses>     (counted for the first player)
# and keeps the games in $RESULTS/<first>-<second>.pgn.
#
# Players:
#   level:N        Morvantix at Skill Level N (20: full strength)
#   threads:N      Morvantix at full strength searching with N threads
#   elo:E          Morvantix with Limit_Strength ON and Elo E
#   fairymax       Fairy-Max
#   fairymax-sd:N  Fairy-Max searching N plies at most
#   phalanx        Phalanx
#   gnuchess       GNU Chess 6, in UCI mode through polyglot
#   toga2          Toga II, in UCI mode through polyglot (one thread)
#   uci            Morvantix at full strength in UCI mode through polyglot
#   glaurung       Glaurung 2.2, in UCI mode through polyglot
#
# Usage: match.sh ENGINE GAMES FIRST SECOND
set -u
engine=$(readlink -f "$1"); games=$2; first=$3; second=$4
here=$(cd "$(dirname "$0")" && pwd)
openings="$here/../openings.pgn"
results=${RESULTS:-$here/results}
mkdir -p "$results"
export PATH="$PATH:/usr/games"
work=$(mktemp -d /tmp/strength-match-XXXXXX)

# Sets up one player: its directory, and the XBoard options that start it
# (into the array named by $3, for side f or s).
player() {
  local who=$1 side=$2 dir="$work/$1"
  local -n options=$3
  mkdir -p "$dir"
  case "$who" in
    level:*|elo:*)
      if [ "${who%%:*}" = level ]; then
        printf 'Skill_Level %s\n' "${who#*:}" > "$dir/morvantix.ini"
      else
        printf 'Limit_Strength ON\nElo %s\n' "${who#*:}" > "$dir/morvantix.ini"
      fi
      options=(-${side}cp "$engine" -${side}d "$dir") ;;
    threads:*)
      printf 'Threads %s\n' "${who#*:}" > "$dir/morvantix.ini"
      options=(-${side}cp "$engine" -${side}d "$dir") ;;
    fairymax) options=(-${side}cp fairymax -${side}d "$dir") ;;
    fairymax-sd:*)
      # Fairy-Max's own depth limit, sent after every "new".
      printf '#!/bin/sh\nsed -u "/^new/a sd %s" | exec /usr/games/fairymax\n' "${who#*:}" > "$dir/run.sh"
      chmod +x "$dir/run.sh"
      options=(-${side}cp "$dir/run.sh" -${side}d "$dir") ;;
    phalanx) options=(-${side}cp phalanx -${side}d "$dir") ;;
    gnuchess) options=(-${side}cp "gnuchess -u" -${side}d "$dir" -${side}UCI) ;;
    toga2) options=(-${side}cp toga2 -${side}d "$dir" -${side}UCI) ;;
    uci) options=(-${side}cp "$engine" -${side}d "$dir" -${side}UCI) ;;
    glaurung) options=(-${side}cp glaurung -${side}d "$dir" -${side}UCI) ;;
    *) echo "unknown player $who" >&2; exit 2 ;;
  esac
  options+=(-${side}n "$who")
}

declare -a one two start
player "$first" f one
player "$second" s two
if [ -n "${VARIANT:-}" ]; then
  start=(-variant "$VARIANT")
else
  start=(-lgf "$openings" -lgi -2)
fi
pgn="$results/${first//:/}-${second//:/}.pgn"

HOME="$work" timeout $((600 + 120 * games)) xvfb-run -a /usr/games/xboard -noGUI -mg "$games" \
  "${one[@]}" "${two[@]}" -xreuse -xreuse2 -xponder \
  -tc "0:${TC:-10}" -inc "${INC:-0.1}" "${start[@]}" \
  -sgf "$work/games.pgn" -autoCallFlag true -testClaims true \
  -popupExitMessage false -saveSettingsOnExit false > "$work/xboard.log" 2>&1
cp "$work/games.pgn" "$pgn" 2>/dev/null

awk -v me="$first" -v you="$second" '
  /^\[White / {white = ($0 ~ ("\"" me "\""))}
  /^\[Result / {r = $2; gsub(/[]"]/, "", r)
    if (r == "1/2-1/2") d++; else if (r == "1-0" || r == "0-1") { if ((r == "1-0") == white) w++; else l++ } }
  END {printf "%s %s %d %d %d\n", me, you, w, d, l}' "$pgn" 2>/dev/null || echo "$first $second 0 0 0"
rm -rf "$work"
