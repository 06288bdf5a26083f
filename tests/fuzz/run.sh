#!/usr/bin/env bash
# Runs the two fuzz targets of a fuzz build, half the given seconds each.
# Usage: tests/fuzz/run.sh BUILD_DIR SECONDS
# New inputs that libFuzzer finds go to a temporary corpus; a crash, a leak,
# an undefined-behaviour report or a hang (10 s for one input) fails the run
# and leaves the input and the log in the temporary directory it names.
set -uo pipefail
build=$(cd "$1" && pwd); seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/morvantix-fuzz-run-XXXXXX)
half=$(( seconds / 2 > 1 ? seconds / 2 : 1 ))
for target in commands fen; do
  mkdir -p "$work/$target"
  options=(-max_total_time="$half" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$work/$target-")
  [ "$target" = commands ] && options+=(-max_len=4096 -dict="$here/commands.dict")
  [ "$target" = fen ] && options+=(-max_len=512)
  (cd "$work" && "$build/fuzz-$target" "${options[@]}" "$work/$target" "$here/corpus/$target" > "$work/$target.log" 2>&1)
  status=$?
  runs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$work/$target.log" | grep -oE '[0-9]+$')
  echo "fuzz-$target: ${runs:-?} inputs in $half s, exit status $status"
  if [ "$status" -ne 0 ]; then
    grep -E 'ERROR|SUMMARY|runtime error|fen fuzz' "$work/$target.log" | head -20
    echo "fuzz-$target failed; log and inputs in $work"
    exit 1
  fi
done
rm -rf "$work"
