#!/bin/sh
# The console engine builds with make, cmake and g++ alone: make's engine
# target (what make run builds) in a scratch folder, with GTest hidden and
# without the 32-bit engine, configures, says what it skipped, builds only
# the engine and its bitbase library, and the engine plays (perft 4).
# Usage: lean_build_test.sh SOURCE_DIR
set -eu
src=$1
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A clean make: nothing of the make test that may be running this.
out=$(env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS make -s -C "$src" engine BUILD="$work" COMPLETE=OFF \
      CMAKE_EXTRA="-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DMORVANTIX_W32=OFF" 2>&1) || fail "build: $out"
echo "$out" | grep -q "skipped the tests: GTest not found" || fail "no line for the skipped tests: $out"
echo "$out" | grep -q "skipped the 32-bit engine" || fail "no line for the skipped 32-bit engine: $out"

for f in unit-tests e2e-tests search-bench engine-x64-popcnt engine-w32 libmorvantix-w32.a; do
    [ ! -e "$work/$f" ] || fail "the engine target built $f"
done
[ -f "$work/egbb/x64/egbbdll.so" ] || fail "no bitbase library"
result=$(cd "$work" && printf 'perft 4\nquit\n' | ./engine-x64)
echo "$result" | grep -q "Nodes: 197281" || fail "perft 4: $result"
echo "lean engine build: ok"
