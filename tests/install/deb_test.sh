#!/bin/sh
# Builds the Debian package from this build's programs, unpacks it into a
# scratch root and checks what a user gets: the version from VERSION, the
# engine started through the packaged launcher (perft, the XBoard feature
# exchange), XBoard's plugin naming a command the package holds, and, where
# lintian is installed, no lintian error.
# Usage: deb_test.sh SOURCE_DIR BUILD_DIR
set -eu
src=$1
build=$2
. "$(dirname "$0")/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

deb="$work/morvantix.deb"
make -s -C "$src" deb-package BUILD="$build" DEB_ROOT="$work/stage" DEB_FILE="$deb" > /dev/null
version=$(cat "$src/VERSION")
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "architecture"

root="$work/root"
dpkg-deb -x "$deb" "$root"
check_installed_engine "$root" "$version"
[ -f "$root/usr/share/doc/morvantix/copyright" ] || fail "no copyright file"

if command -v lintian > /dev/null; then
    report=$(lintian "$deb" 2>&1 || true)
    if echo "$report" | grep -q "^E:"; then fail "lintian: $report"; fi
    echo "$report"
fi
echo "package $(basename "$deb") $version: ok"
