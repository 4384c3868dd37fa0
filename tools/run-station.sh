#!/usr/bin/env bash
# Runs the station of a Windows build tree against stand-in recording devices, inside a private
# network namespace (the transfer library needs a host address that is not loopback), and shows
# it on $DISPLAY, or on the build's Xvfb when none is set.
#   run-station.sh <windows build dir> <native build dir> [devices] [recordings] [seconds]
# The station's folder is <windows build dir>/station-run; recordings arrive in its Data folder.
set -euo pipefail
win=$(cd "$1" && pwd); native=$(cd "$2" && pwd)
devices=${3:-2}; recordings=${4:-5}; seconds=${5:-300}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
if [ "${VQ_IN_NETNS:-}" != 1 ]; then
  exec "$source_dir/tools/netns-run" "$0" "$win" "$native" "$devices" "$recordings" "$seconds"
fi
run=$win/station-run
mkdir -p "$run"
cp "$win/bin/Velquist.exe" "$win/bin/tarnlink.dll" "$run/"
address=10.77.0.1
{
  printf '[Network]\r\nCount=%d\r\n' "$devices"
  for i in $(seq 1 "$devices"); do
    printf 'IP%d=%s\r\nPort%d=%d\r\nSaveFolder%d=Device%d\r\n' "$i" $address "$i" $((30000 + i)) "$i" "$i"
  done
  printf '[LocalIP]\r\nIP=%s\r\nPort=30100\r\n[FTPInfo]\r\nConnMode=1\r\n' $address
} > "$run/tarnlib.ini"
[ -f "$run/Velquist.ini" ] || printf '[DB]\r\nConnMode=1\r\nLocalAccess=1\r\n' > "$run/Velquist.ini"
args=()
for i in $(seq 1 "$devices"); do
  # Serials of their own, and calls at other times, so other file names.
  args+=(--device "label=device$i,bind=$address,port=$((30000 + i)),serial=SN$i,device_id=STANDIN-$i,first_recording=$(( (i - 1) * recordings + 1 )),wav_pcm=$recordings")
done
"$native/bin/standin-device" "${args[@]}" --seconds "$seconds" --quiet &
standin=$!
trap 'kill $standin 2>/dev/null || true' EXIT
VQ_BUILD_DIR=$win timeout "$seconds" "$source_dir/tools/wine-run" "$run/Velquist.exe" || true
