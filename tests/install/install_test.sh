#!/bin/sh
# Installs into a scratch root with make install-files, checks what a user
# gets (the launcher plays, XBoard's plugin names a command that exists, the
# manual carries the version) and that make uninstall takes every file away.
# Usage: install_test.sh SOURCE_DIR BUILD_DIR
set -eu
src=$1
build=$2
. "$(dirname "$0")/common.sh"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

make -s -C "$src" install-files BUILD="$build" DESTDIR="$root" PREFIX=/usr > /dev/null
for f in usr/games/morvantix usr/lib/morvantix/engine-x64 usr/lib/morvantix/engine-x64-popcnt \
         usr/lib/morvantix/egbb/egbbdll.so usr/share/man/man6/morvantix.6.gz \
         usr/share/games/plugins/xboard/morvantix.eng usr/share/doc/morvantix/morvantix.ini \
         usr/share/doc/morvantix/gnome-chess-engines.conf; do
    [ -f "$root/$f" ] || fail "$f not installed"
done

version=$(cat "$src/VERSION")
check_installed_engine "$root" "$version"
zcat "$root/usr/share/man/man6/morvantix.6.gz" | grep -q "Morvantix $version" || fail "manual without version"

# The engine loads the installed bitbase library.
egbb="$root/usr/lib/morvantix/egbb/"
out=$(cd "$root" && printf 'uci\nsetoption name Egbb Path value %s\nsetoption name Use Egbb value true\nquit\n' "$egbb" |
      "$root/usr/games/morvantix")
echo "$out" | grep -q "info string bitbases loaded from \"$egbb\"" || fail "bitbases: $out"

make -s -C "$src" uninstall DESTDIR="$root" PREFIX=/usr > /dev/null
left=$(find "$root" -type f)
[ -z "$left" ] || fail "left after uninstall: $left"
echo "install and uninstall under $root: ok"
