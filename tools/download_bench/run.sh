#!/usr/bin/env bash
# Runs the download benchmark matrix: W in {10, 100} x {1, 8} messages per datagram x loss
# {0 %, 1 %}, each against a stand-in device program of its own, inside a private network
# namespace (nothing leaves the machine).
#   run.sh NATIVE_BUILD_DIR [WINDOWS_BUILD_DIR]
# The stand-in program comes from the native build; download_bench from each build given
# (the Windows one runs under Wine).
set -euo pipefail
if [ "${VQ_IN_NETNS:-}" != 1 ]; then
  tools=$(dirname "$0")/..
  # The display and wineserver of the Windows run end with it.
  [ -z "${2:-}" ] || exec "$tools/wine-run" --session "$2" "$tools/netns-run" "$0" "$@"
  exec "$tools/netns-run" "$0" "$@"
fi
native=$(cd "$1" && pwd)
windows=${2:+$(cd "$2" && pwd)}
standin=$native/bin/standin-device
address=10.77.0.1
port=47001
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run_one() {  # runner bench window messages loss
  local runner=$1 bench=$2 window=$3 messages=$4 loss=$5
  local size=$((window * 1024 * 150))
  "$standin" --quiet --seconds 600 --device \
    "bind=$address,port=$port,sized=$size,messages_per_datagram=$messages,loss=$loss,loss_seed=7,window_wait_ms=60" \
    > "$work/standin.out" &
  local pid=$!
  for _ in $(seq 50); do grep -q '^ready' "$work/standin.out" && break; sleep 0.1; done
  local label="$runner W$window M$messages loss$loss"
  (cd "$work" && $runner_cmd "$bench" --device "$address:$port" --window "$window" \
     --size "$size" --label "${label// /_}" 2>"$work/bench.err") ||
    { echo "$label: failed"; tail -3 "$work/bench.err"; }
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

if [ -n "$windows" ]; then
  # A prefix of our own: its wineserver (which owns Wine's sockets) starts in this namespace.
  export VQ_WINE_PREFIX=$windows/wine/netns/download_bench
fi

for build in native ${windows:+windows}; do
  if [ "$build" = native ]; then
    runner_cmd=""; bench=$native/bin/download_bench
  else
    runner_cmd="$(dirname "$0")/../wine-run"; bench=$windows/bin/download_bench.exe
  fi
  for window in 10 100; do
    for messages in 1 8; do
      for loss in 0 0.01; do
        run_one "$build" "$bench" "$window" "$messages" "$loss"
      done
    done
  done
done
