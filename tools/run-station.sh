#!/usr/bin/env bash
# Runs the station of a Windows build tree against stand-in recording devices, inside a private
# network namespace (the transfer library needs a host address that is not loopback), until
# every recording of the run is stored or [seconds] have passed; then ends the station's
# session as the user's log-off would and prints a summary.
#   run-station.sh <windows build dir> <native build dir> [devices] [recordings] [seconds]
# The station runs from <windows build dir>/station-run (the shipped programs of a Release tree,
# else the tree's own); recordings arrive in its Data folder. The window shows on $DISPLAY, or on
# a private Xvfb display that ends with the run, as does everything else the run started.
set -euo pipefail
win=$(cd "$1" && pwd); native=$(cd "$2" && pwd)
devices=${3:-2}; recordings=${4:-5}; seconds=${5:-300}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
if [ "${VQ_IN_NETNS:-}" != 1 ]; then
  exec "$source_dir/tools/wine-run" --session "$win" \
    "$source_dir/tools/netns-run" "$0" "$win" "$native" "$devices" "$recordings" "$seconds"
fi
say() { printf '%s\n' "$*"; }

run=$win/station-run
mkdir -p "$run"
programs=$win/shipped; [ -f "$programs/Velquist.exe" ] || programs=$win/bin
cp "$programs/Velquist.exe" "$programs/tarnlink.dll" "$run/"

# The station at the namespace's first address, each device at an address of its own.
station_address=10.77.0.1
device_port=30001
device_address() { echo "10.77.0.$((10 + $1))"; }
for i in $(seq 1 "$devices"); do ip addr add "$(device_address "$i")/24" dev vq0; done
{
  printf '[Network]\r\nCount=%d\r\n' "$devices"
  for i in $(seq 1 "$devices"); do
    printf 'IP%d=%s\r\nPort%d=%d\r\nSaveFolder%d=Device%d\r\n' "$i" "$(device_address "$i")" "$i" $device_port "$i" "$i"
  done
  printf '[LocalIP]\r\nIP=%s\r\nPort=30100\r\n[FTPInfo]\r\nConnMode=1\r\n' $station_address
} > "$run/tarnlib.ini"
[ -f "$run/Velquist.ini" ] || printf '[DB]\r\nConnMode=1\r\nLocalAccess=1\r\n' > "$run/Velquist.ini"

stored() { [ -d "$run/Data" ] && find "$run/Data" -name '*.wav' | wc -l || echo 0; }
calls() {
  [ -f "$run/DB/CallLog.db" ] && sqlite3 "$run/DB/CallLog.db" 'SELECT COUNT(*) FROM CallLogTable' 2>/dev/null || echo 0
}
stored_before=$(stored)
expected=$((stored_before + devices * recordings))

args=()
for i in $(seq 1 "$devices"); do
  args+=(--device "label=device$i,serial=SN$(printf %04d "$i"),device_id=VQ-DEMO-$(printf %04d "$i"),bind=$(device_address "$i"),allow=$station_address,port=$device_port,recent_calls=$recordings")
done
"$native/bin/standin-device" "${args[@]}" --seconds "$((seconds + 60))" --quiet > "$run/standin.log" &
standin=$!
trap 'kill $standin 2>/dev/null || true' EXIT

display=${DISPLAY:-$("$source_dir/tools/wine-run" --display "$win")}
export DISPLAY=$display
say "Station window on display $display."
say "  To watch it: x11vnc -display $display -localhost -viewonly, then a VNC viewer at localhost:5900;"
say "  or run the demo with DISPLAY set to your own screen to see the window there."
say "Devices: $devices stand-ins (serial numbers VQ-DEMO-0001..., addresses $(device_address 1)...), $recordings new calls each."

VQ_BUILD_DIR=$win "$source_dir/tools/wine-run" "$run/Velquist.exe" > "$run/wine.log" 2>&1 &
station=$!

# Progress until every recording of the run is stored, the station ends, or time is up.
deadline=$((SECONDS + seconds)); last=-1
while [ $SECONDS -lt $deadline ] && kill -0 $station 2>/dev/null; do
  now=$(stored)
  if [ "$now" != "$last" ]; then say "  recordings stored: $((now - stored_before)) of $((devices * recordings))"; last=$now; fi
  [ "$now" -ge "$expected" ] && break
  sleep 2
done

# The main window as the user sees it, then the end of the session (as at log-off): the station
# saves its settings and logs its exit.
screenshot=$run/main-window.png
window=$(xwininfo -root -tree 2>/dev/null | awk '/BRELDOX/ {print $1; exit}')
if [ -n "$window" ] && import -window "$window" "$screenshot" 2>/dev/null; then :; else screenshot="(no main window shown)"; fi
if kill -0 $station 2>/dev/null; then
  VQ_BUILD_DIR=$win "$source_dir/tools/wine-run" wineboot --end-session >/dev/null 2>&1 || true
  for _ in $(seq 200); do kill -0 $station 2>/dev/null || break; sleep 0.1; done
fi
wait $station 2>/dev/null || true

log=$(ls -t "$run"/Logs/* 2>/dev/null | head -n 1 || true)
say ""
say "Summary"
say "  devices:             $devices"
say "  recordings stored:   $(($(stored) - stored_before)) this run, $(stored) in all, in $run/Data"
say "  calls in database:   $(calls), in $run/DB/CallLog.db"
say "  station log:         ${log:-none}"
[ -n "$log" ] && say "    last line:         $(iconv -f GBK -t UTF-8 "$log" 2>/dev/null | tr -d '\r' | tail -n 1)"
say "  main window:         $screenshot"
