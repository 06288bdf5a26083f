#!/bin/sh
# Starts the Morvantix engine built for this processor: the build that uses
# the popcnt instruction where the processor has it, the generic one
# elsewhere. The engines live in ../lib/morvantix beside this script's
# folder, so that the same script serves /usr/games, /usr/local/games and a
# staged copy of either.
here=$(dirname "$(readlink -f "$0")")
engines="$here/../lib/morvantix"
if grep -qw popcnt /proc/cpuinfo 2>/dev/null; then
    exec "$engines/engine-x64-popcnt" "$@"
fi
exec "$engines/engine-x64" "$@"
