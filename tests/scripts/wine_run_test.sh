#!/usr/bin/env bash
# tools/wine-run leaves nothing running: after a session that ran Wine programs on two prefixes,
# and after a session interrupted (as by Ctrl-C) while a Wine program runs, no process that the
# session recorded is left.
#   wine_run_test.sh <source dir> <windows build dir>
set -euo pipefail
wine_run=$1/tools/wine-run; build=$2

if [ "${3:-}" = --programs ]; then
  # What a session runs: a program on the build's prefix and one on a second prefix, then (when
  # asked) one that waits until it is interrupted.
  "$wine_run" cmd /c exit 0
  VQ_WINE_PREFIX=$VQ_BUILD_DIR/wine/second "$wine_run" cmd /c exit 0
  if [ "${4:-}" = --wait ]; then
    # Waits for a key from a pipe that never brings one.
    fifo=$VQ_BUILD_DIR/keys
    mkfifo "$fifo"
    exec 3<>"$fifo"
    "$wine_run" cmd /c pause <&3
  fi
  exit 0
fi

tree=$(mktemp -d "$build/wine-run-test.XXXXXX")
trap 'rm -rf "$tree"' EXIT
export VQ_BUILD_DIR=$tree
unset DISPLAY
# The build's prepared prefix spares a Wine set-up of a minute.
mkdir -p "$tree/wine"
if [ -f "$build/wine/prefix/.prepared" ]; then
  flock "$build/wine/.lock" cp -a "$build/wine/prefix" "$tree/wine/"
fi

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# Lines of the recorded processes (pid, start time, kind, what it serves) that still run.
still_running() {
  local pid started kind what
  while read -r pid started kind what; do
    if [ "$(cut -d' ' -f22 "/proc/$pid/stat" 2>/dev/null || true)" = "$started" ]; then
      echo "$pid $kind $what"
    fi
  done < "$tree/wine/processes.last"
}

check_nothing_left() {   # $1: case name
  if [ -e "$tree/wine/processes" ] || [ ! -f "$tree/wine/processes.last" ]; then
    fail "$1: the session did not stop its processes"; return
  fi
  local recorded left
  recorded=$(wc -l < "$tree/wine/processes.last")
  left=$(still_running)
  echo "$1: $recorded processes recorded, $(printf '%s' "$left" | grep -c . || true) left"
  # Two prefixes: a display each, and a wineserver for each run of programs (a server ends
  # with the last program it served, so a later program may start another).
  local displays servers
  displays=$(grep -c ' xvfb ' "$tree/wine/processes.last" || true)
  servers=$(grep -c ' wineserver ' "$tree/wine/processes.last" || true)
  [ "$displays" -eq 2 ] || fail "$1: expected 2 recorded displays, got $displays"
  [ "$servers" -ge 2 ] || fail "$1: expected a recorded wineserver per prefix, got $servers"
  [ -z "$left" ] || fail "$1: still running: $left"
}

# A session that ends by itself.
"$wine_run" --session "$tree" "$0" "$1" "$build" --programs || fail "the session failed"
check_nothing_left "ended session"
rm -f "$tree/wine/processes.last"

# A session interrupted while a program runs: the whole process group gets SIGINT, as from a
# terminal's Ctrl-C.
# (A command started in the background ignores SIGINT; a terminal's foreground one does not.)
setsid env --default-signal=INT "$wine_run" --session "$tree" "$0" "$1" "$build" --programs --wait </dev/null &
session=$!
waiting=0
for _ in $(seq 1200); do
  if pgrep -g "$session" -f 'cmd\.exe /c pause' >/dev/null; then waiting=1; break; fi
  kill -0 "$session" 2>/dev/null || break
  sleep 0.1
done
[ $waiting = 1 ] || fail "the waiting program did not start"
kill -INT -- -"$session"
status=0; wait "$session" || status=$?
[ $status -ne 0 ] || fail "an interrupted session reported success"
check_nothing_left "interrupted session"

[ $failures -eq 0 ] && echo "PASSED"
exit $((failures > 0))
