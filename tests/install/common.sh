# Shared by the installation tests: sourced, not run.

fail() { echo "FAIL: $*"; exit 1; }

# check_installed_engine ROOT VERSION: the engine under ROOT/usr starts
# through its launcher with the version in its banner, plays (perft 4) and
# answers XBoard's feature request, and XBoard's plugin file names a command
# that ROOT/usr/games holds.
check_installed_engine() {
    out=$(cd "$1" && printf 'perft 4\nxboard\nprotover 2\nquit\n' | "$1/usr/games/morvantix")
    echo "$out" | grep -q "^# Morvantix v$2" || fail "banner without version $2: $out"
    echo "$out" | grep -q "Nodes: 197281" || fail "perft 4: $out"
    echo "$out" | grep -q "^feature done=1" || fail "no feature exchange: $out"
    command=$(sed -n 2p "$1/usr/share/games/plugins/xboard/morvantix.eng")
    [ -x "$1/usr/games/$command" ] || fail "the plugin's command $command is not in /usr/games"
}
