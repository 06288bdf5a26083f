#!/bin/sh
# Makes sure the Debian packages of tests/packages.txt are installed. As root
# it installs the missing ones (apt-get update once, then apt-get install);
# as another user it prints the line that would, and fails, so that nothing
# is built until they are there.
set -eu
list="$(dirname "$0")/../tests/packages.txt"
packages=$(sed 's/#.*//' "$list" | tr -s ' \t' '\n\n' | grep -v '^$')

missing=""
for p in $packages; do
    status=$(dpkg-query -W -f '${Status}' "$p" 2> /dev/null || true)
    [ "$status" = "install ok installed" ] || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "The tests need Debian packages that are not installed. Install them with:"
    echo "  sudo apt-get install$missing"
    echo "then run make test again."
    exit 1
fi
echo "Installing the packages the tests need:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq $missing
