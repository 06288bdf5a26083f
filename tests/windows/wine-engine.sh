#!/usr/bin/env bash
# Starts a Windows engine under wine behind the launcher, so that the engine
# reads a Windows pipe. From outside it behaves like the Linux engine: standard
# input and output, the engine's exit status.
# Usage: tests/windows/wine-engine.sh [ENGINE.exe]   (build-windows/engine-x64.exe by default)
#        tests/windows/wine-engine.sh --check         (status 0 when it can run, 77 when not)
# The wine prefix lives in build-windows/wine (made on first use). Exit
# status 77 when wine or the programs are missing.
here=$(cd "$(dirname "$(readlink -f "$0")")" && pwd)
windows=$(cd "$here/../.." && pwd)/build-windows
engine=${1:-$windows/engine-x64.exe}
[ "$engine" = --check ] && engine=$windows/engine-x64.exe && check=1
if ! command -v wine > /dev/null || [ ! -f "$windows/launcher.exe" ] || [ ! -f "$engine" ]; then
  echo "wine-engine.sh: wine or $engine is missing (install wine, run make windows)" >&2
  exit 77
fi
export WINEPREFIX="$windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # One process makes the prefix; others wait for it.
  mkdir -p "$windows"
  ( flock 9; [ -f "$WINEPREFIX/system.reg" ] || wineboot -i > /dev/null 2>&1; wineserver -w ) 9> "$windows/wine.lock"
fi
[ -n "${check:-}" ] && exit 0
exec wine "$windows/launcher.exe" "$engine"
