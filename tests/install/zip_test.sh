#!/bin/sh
# Packs the Windows zip from the Windows programs already built, checks its
# list of files and the Windows line ends of its texts, and runs the 64-bit
# engine from the unpacked folder under wine (perft 4).
# Usage: zip_test.sh SOURCE_DIR   (status 77: no Windows build or no wine)
set -eu
src=$1
. "$(dirname "$0")/common.sh"
windows="$src/build-windows"
[ -f "$windows/engine-w32.exe" ] && [ -f "$windows/engine-x64.exe" ] || { echo "no Windows build"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

version=$(cat "$src/VERSION")
zip="$work/morvantix.zip"
make -s -C "$src" windows-zip WIN_ZIP="$zip" > /dev/null
folder="morvantix-$version"
expected="$folder/
$folder/README.txt
$folder/egbb/
$folder/egbb/w32/
$folder/egbb/w32/egbbdll.dll
$folder/egbb/x64/
$folder/egbb/x64/egbbdll.dll
$folder/engine-w32.exe
$folder/engine-x64-popcnt.exe
$folder/engine-x64.exe
$folder/morvantix.ini"
listed=$(unzip -Z1 "$zip" | sort)
[ "$listed" = "$expected" ] || fail "the zip holds: $listed"

cd "$work" && unzip -q "$zip"
for text in README.txt morvantix.ini; do
    lines=$(wc -l < "$folder/$text")
    crlf=$(grep -c "$(printf '\r')\$" "$folder/$text" || true)
    [ "$lines" -gt 0 ] && [ "$lines" = "$crlf" ] || fail "$text: $crlf of $lines lines end in CR LF"
done
grep -q "Morvantix $version for Windows" "$folder/README.txt" || fail "readme without version"

"$src/tests/windows/wine-engine.sh" --check || exit 77
out=$(cd "$folder" && printf 'perft 4\nquit\n' | "$src/tests/windows/wine-engine.sh" "$work/$folder/engine-x64.exe")
echo "$out" | grep -q "Nodes: 197281" || fail "engine-x64.exe from the zip: $out"
echo "zip $folder: ok"
