#!/usr/bin/env bash
# The system's main job, from a fresh machine: installs what is missing, builds the station
# (Windows) and the stand-in recording devices (native), then runs the station under Wine
# against the stand-ins inside a private network namespace. The station window shows on
# $DISPLAY, or on a private Xvfb when none is set; recordings arrive in
# build/win/station-run/Data and their calls in build/win/station-run/DB/CallLog.db.
#   tools/run-demo.sh [devices] [recordings per device] [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}
devices=${1:-3}; recordings=${2:-10}; seconds=${3:-120}

"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build/demo-native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/demo-native" --target standin-device
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/win" --target velquist

"$root/tools/run-station.sh" "$build/win" "$build/demo-native" "$devices" "$recordings" "$seconds"
run=$build/win/station-run
echo "recordings stored: $(find "$run/Data" -name '*.wav' 2>/dev/null | wc -l) (in $run/Data)"
