#!/usr/bin/env bash
# Many devices at once: N stand-in devices in one program, each with its own 5 MiB recording,
# all fetched together at W = 100 by download_many, for N = 1, 10, 20, 50, natively and (given a
# Windows build) under Wine; then the idle figures of 100 logged-in devices. Everything runs in a
# private network namespace (nothing leaves the machine). RUNS=5 repeats each line five times;
# COUNTS="20 50" runs only those device counts.
#   run_many.sh NATIVE_BUILD_DIR [WINDOWS_BUILD_DIR]
# Under Wine a second line per run gives the wineserver's CPU per MiB: Wine's sockets go
# through it, so it shows how much of the cost is Wine's own path.
set -euo pipefail
if [ "${VQ_IN_NETNS:-}" != 1 ]; then
  tools=$(dirname "$0")/..
  [ -z "${2:-}" ] || exec "$tools/wine-run" --session "$2" "$tools/netns-run" "$0" "$@"
  exec "$tools/netns-run" "$0" "$@"
fi
native=$(cd "$1" && pwd)
windows=${2:+$(cd "$2" && pwd)}
runs=${RUNS:-1}
standin=$native/bin/standin-device
address=10.77.0.1
first_port=47001
size=$((5 * 1024 * 1024))
work=$(mktemp -d)
standin_pid=
trap '[ -z "$standin_pid" ] || kill "$standin_pid" 2>/dev/null; rm -rf "$work"' EXIT

start_devices() {  # count [recording size]
  local count=$1 recording=${2:-} args=() i
  for i in $(seq 0 $((count - 1))); do
    args+=(--device "bind=$address,port=$((first_port + i)),window_wait_ms=60${recording:+,sized=$recording}")
  done
  "$standin" --quiet --seconds 1200 "${args[@]}" > "$work/standin.out" &
  standin_pid=$!
  for _ in $(seq 100); do
    [ "$(grep -c '^ready' "$work/standin.out")" -ge "$count" ] && return
    sleep 0.1
  done
  echo "run_many: the stand-in devices did not start" >&2
  return 1
}

stop_devices() {
  kill "$standin_pid" 2>/dev/null || true
  wait "$standin_pid" 2>/dev/null || true
  standin_pid=
}

# CPU clock ticks (user and system) of a process.
cpu_ticks() {   # pid
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo 0; return; }
  stat=${stat##*) }
  set -- $stat
  echo $((${12} + ${13}))
}

wineserver_pid() {   # prints nothing until the recorded server runs
  local record pid started
  record=$windows/wine/server-$(printf '%s' "$WINEPREFIX" | md5sum | cut -c1-12)/pid
  [ -f "$record" ] && read -r pid started < "$record" || return 0
  [ "$(cut -d' ' -f22 "/proc/$pid/stat" 2>/dev/null)" = "$started" ] && echo "$pid"
  return 0
}

if [ -n "$windows" ]; then
  # A prefix of our own: its wineserver (which owns Wine's sockets) starts in this namespace.
  export VQ_WINE_PREFIX=$windows/wine/netns/download_many
fi

for build in native ${windows:+windows}; do
  if [ "$build" = native ]; then
    runner=(); bench=$native/bin/download_many
  else
    runner=("$(dirname "$0")/../wine-run"); bench=$windows/bin/download_many.exe
    # A program that waits for a key keeps one wineserver serving every run, so that its CPU
    # time can be read; the key comes after the runs.
    mkfifo "$work/key"
    exec 3<>"$work/key"
    VQ_BUILD_DIR=$windows "${runner[@]}" cmd /c pause <&3 >/dev/null 2>&1 &
    export WINEPREFIX=$VQ_WINE_PREFIX
    for _ in $(seq 100); do [ -n "$(wineserver_pid)" ] && break; sleep 0.1; done
  fi
  echo "=== $build"
  for count in ${COUNTS:-1 10 20 50}; do
    for _ in $(seq "$runs"); do
      start_devices "$count" "$size"
      server=$([ "$build" = windows ] && wineserver_pid || true)
      before=$([ -n "$server" ] && cpu_ticks "$server" || echo 0)
      (cd "$work" && "${runner[@]}" "$bench" --devices "$address:$first_port:$count" \
         --window 100 --size "$size" 2>"$work/bench.err") ||
        { echo "devices $count: failed"; tail -3 "$work/bench.err"; }
      if [ -n "$server" ]; then
        after=$(cpu_ticks "$server")
        awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v mib=$((count * 5)) \
          'BEGIN { printf "  wineserver: CPU %.1f ms/MiB\n", t * 1000 / hz / mib }'
      fi
      stop_devices
    done
  done
  for _ in $(seq "$runs"); do
    start_devices 100
    (cd "$work" && "${runner[@]}" "$bench" --devices "$address:$first_port:100" \
       --idle-seconds 10 2>"$work/bench.err") ||
      { echo "idle: failed"; tail -3 "$work/bench.err"; }
    stop_devices
  done
  [ "$build" = native ] || { echo >&3; wait; }
done
