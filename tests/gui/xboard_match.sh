#!/usr/bin/env bash
# Plays games of an engine against fairymax, or another opponent named in
# OPPONENT (an XBoard engine command; with OPPONENT_UCI=1 a UCI engine that
# XBoard runs through polyglot). With ENGINE_UCI=1 the engine itself is run in
# UCI mode through polyglot. The opponent is restarted for every game, which
# keeps it out of a state in which XBoard waits for it after an adjudication.
# The games are played under the real XBoard program
# (headless, on an Xvfb display) and checks them:
#   every game ends with a result, the engine makes no illegal move, no false
#   claim and never loses on time (the opponent's faults are only reported);
#   the engine never dies (XBoard itself would not notice).
# Prints the smallest clock the engine had left before a move.
#
# Usage: xboard_match.sh ENGINE GAMES [xboard options...]
# Example: xboard_match.sh build/engine-x64 2 -mps 40 -tc 0:30
# Openings: add -lgf benchmarks/openings.pgn -lgi -2 (each opening twice, the
# engine White in one game and Black in the other).
# MATCH_PGN=FILE keeps the games.
set -u
engine=$(readlink -f "$1"); games=$2; shift 2

export PATH="$PATH:/usr/games"  # polyglot, which XBoard runs for a UCI opponent
opponent=${OPPONENT:-/usr/games/fairymax}
opponent_options=()
[ "${OPPONENT_UCI:-0}" = 1 ] && opponent_options=(-sUCI)
engine_options=()
[ "${ENGINE_UCI:-0}" = 1 ] && engine_options=(-fUCI)
for tool in xvfb-run /usr/games/xboard "${opponent%% *}"; do
  command -v "$tool" > /dev/null || { echo "missing $tool"; exit 1; }
done

work=$(mktemp -d /tmp/xboard-match-XXXXXX)
mkdir -p "$work/home" "$work/engine"
# The engine is started through a wrapper that records how it ended.
cat > "$work/engine/run.sh" <<WRAP
#!/bin/sh
cd "$work/engine"
"$engine"
echo "exit \$?" >> "$work/engine-exits.txt"
WRAP
chmod +x "$work/engine/run.sh"

HOME="$work/home" timeout $((600 + 900 * games)) xvfb-run -a /usr/games/xboard -noGUI -mg "$games" \
  -fcp "$work/engine/run.sh" -fd "$work/engine" "${engine_options[@]}" -scp "$opponent" "${opponent_options[@]}" -sd "$work" -xreuse2 \
  "$@" -sgf "$work/games.pgn" -autoCallFlag true -testClaims true \
  -popupExitMessage false -saveSettingsOnExit false -debug -nameOfDebugFile "$work/debug.txt" \
  > "$work/xboard.log" 2>&1
status=$?

fail() { echo "FAIL: $*"; echo "files in $work"; exit 1; }
[ $status -eq 0 ] || fail "xboard ended with status $status"
[ -f "$work/games.pgn" ] || fail "no games saved"
played=$(grep -c '^\[Result ' "$work/games.pgn")
[ "$played" -eq "$games" ] || fail "$played games saved, $games expected"
# Games asked for as Chess960 must have been played as such.
if printf '%s\n' "$@" | grep -qx fischerandom; then
  grep -q '^\[Variant "fischerandom"\]' "$work/games.pgn" || fail "the games are not Chess960"
fi
unfinished=$(grep -c '^\[Result "\*"\]' "$work/games.pgn")
[ "$unfinished" -eq 0 ] || fail "$unfinished games without a result"
# A game that ended by a fault (illegal move, false claim, flag fall, lost
# connection) fails the run unless the engine won it, or the result names the
# engine's side as the one that won on time (a draw when it had a bare king):
# then the fault was the opponent's, and it is only reported.
faults=$(awk -v bad='illegal|false|forfeit|on time|time out|flag|disconnect|crash|exited|unexpectedly' '
  function judge() {
    if (!seen) return
    if (tolower(text) ~ bad) {
      won = (r == "1-0" && white) || (r == "0-1" && !white)
      # "Black wins on time but bare king" is a draw in which White flagged.
      if (tolower(text) ~ ((white ? "white" : "black") " wins on time")) won = 1
      print (won ? "opponent" : "engine") " game " n ": " r " " (white ? "(engine White)" : "(engine Black)")
    }
  }
  /^\[Event / {judge(); n++; seen = 1; text = ""}
  /^\[White / {white = ($0 ~ /Morvantix/)}
  /^\[Result / {r = $2; gsub(/[]"]/, "", r)}
  !/^\[/ {text = text " " $0}
  END {judge()}' "$work/games.pgn")
[ -n "$faults" ] && echo "$faults"
if echo "$faults" | grep -q '^engine'; then fail "a game ended by a fault of the engine"; fi
exits=$(grep -c '' "$work/engine-exits.txt" 2>/dev/null || echo 0)
# An XBoard engine is restarted for every game; polyglot keeps a UCI engine
# for the whole match.
expected_exits=$games
[ "${ENGINE_UCI:-0}" = 1 ] && expected_exits=1
[ "$exits" -ge "$expected_exits" ] || fail "engine ended $exits times for $games games"
if grep -v '^exit 0$' "$work/engine-exits.txt"; then fail "the engine did not end cleanly"; fi

margin=$(grep -E '^[0-9]+ >first : time [0-9]+' "$work/debug.txt" | awk '{print $5}' | sort -n | head -1)
# The engine's score: its colour from the White tag, the result from the Result tag.
record=$(awk '/^\[White /{white = ($0 ~ /Morvantix/)} /^\[Result /{r = $2; gsub(/[]"]/, "", r);
  if (r == "1/2-1/2") d++; else if (r == "*") u++; else if ((r == "1-0") == white) w++; else l++}
  END {printf "%d won, %d drawn, %d lost", w, d, l; if (u) printf ", %d unfinished", u
       if (w + d + l) printf " (score %.1f%%)", 100 * (w + d / 2) / (w + d + l)}' "$work/games.pgn")
whites=$(grep -c '^\[White "Morvantix' "$work/games.pgn")
echo "games $played ($whites with the engine as White): the engine $record; smallest clock before a move: ${margin:-?} cs"
cp "$work/games.pgn" "${MATCH_PGN:-/dev/null}" 2>/dev/null
rm -rf "$work"
exit 0
