#!/usr/bin/env bash
# A UCI session of the engine built with ThreadSanitizer (make tsan), with four
# search threads: an infinite search that answers isready and ends at stop, a
# ponder search ended by ponderhit, the table cleared and the helpers ended and
# started again between searches, three lines at a fixed time, and a quit that
# arrives during a search. Fails on any ThreadSanitizer report, on a non-zero
# exit, and on a go without its bestmove.
# Usage: tests/tsan/uci_threads.sh ENGINE
set -u
engine=$(readlink -f "$1")
dir=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2> /dev/null; rm -rf "$dir"' EXIT
# Every report is written, not only the first; a run with reports exits with 66.
export TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 exitcode=66 ${TSAN_OPTIONS:-}"
mkfifo "$dir/in"
(cd "$dir" && exec "$engine") < "$dir/in" > "$dir/out" 2> "$dir/err" &
pid=$!
exec 3> "$dir/in"
# An engine that ends early fails the test with its output, not a broken pipe.
trap '' PIPE

fail() {
    echo "FAIL: $*"
    echo "--- the engine's output"; cat "$dir/out"
    echo "--- its standard error"; cat "$dir/err"
    exit 1
}
send() { printf '%s\n' "$@" >&3; }
count() { grep -c "^$1" "$dir/out"; }
# Waits up to $3 seconds for the output to hold $2 lines that begin with $1.
waitLines() {
    local deadline=$((SECONDS + $3))
    until [ "$(count "$1")" -ge "$2" ]; do
        kill -0 "$pid" 2> /dev/null || fail "the engine ended before line $2 beginning \"$1\""
        [ $SECONDS -lt $deadline ] || fail "no line $2 beginning \"$1\" within $3 s"
        sleep 0.1
    done
}

send uci "setoption name Threads value 4" isready
waitLines readyok 1 30
grep -q "^info string Threads 4$" "$dir/out" || fail "four threads were not started"

# isready is answered while the infinite search runs; stop ends it.
send "position startpos moves e2e4 c7c5" "go infinite"
sleep 1
send isready
waitLines readyok 2 5
[ "$(count bestmove)" -eq 0 ] || fail "the infinite search ended before stop"
send stop
waitLines bestmove 1 10

# A ponder search goes on until ponderhit, then plays on its clock.
send "position startpos moves e2e4 c7c5 g1f3" "go ponder wtime 3000 btime 3000"
sleep 1
[ "$(count bestmove)" -eq 1 ] || fail "the ponder search ended before ponderhit"
send ponderhit
waitLines bestmove 2 15

# Between searches: the table cleared, the helpers ended, then started again.
send "setoption name Clear Hash" "setoption name Threads value 2" "position startpos moves d2d4" "go movetime 500"
waitLines bestmove 3 15
send "setoption name Threads value 4" "setoption name MultiPV value 3" "go movetime 1000"
waitLines bestmove 4 15
grep -q "^info depth [0-9]* seldepth [0-9]* multipv 3 " "$dir/out" || fail "no third line at MultiPV 3"

# A search stopped at once, and quit during a search: the move, then the end.
send "setoption name MultiPV value 1" "go infinite" stop "go infinite"
waitLines bestmove 5 10
sleep 0.5
send quit
waitLines bestmove 6 10
deadline=$((SECONDS + 20))
while kill -0 "$pid" 2> /dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the engine did not end after quit"
    sleep 0.1
done
wait "$pid"
status=$?
pid=
grep -q "WARNING: ThreadSanitizer" "$dir/err" && fail "ThreadSanitizer reported $(grep -c "WARNING: ThreadSanitizer" "$dir/err") problem(s)"
[ "$status" -eq 0 ] || fail "the engine exited with status $status"
echo "six searches with helper threads, no ThreadSanitizer report"
