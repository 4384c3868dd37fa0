#!/usr/bin/env bash
# The system's main job, from a fresh machine: installs what is missing, builds the shipped
# station (Windows, Release, stripped) and the stand-in recording devices (native), then runs the
# station under Wine against the stand-ins inside a private network namespace, and ends it as a
# log-off would. Each run's stand-ins hold new calls of today and yesterday, so a second run
# fetches more. The station window shows on $DISPLAY, or on a private Xvfb display that ends with
# the run; recordings arrive in build/release/station-run/Data and their calls in
# build/release/station-run/DB/CallLog.db.
#   tools/run-demo.sh [devices] [recordings per device] [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}
devices=${1:-3}; recordings=${2:-10}; seconds=${3:-300}
step() { printf '\n== %s\n' "$*"; }

step "Checking the packages (installs what is missing: the first time, several minutes)"
"$root/tools/install-deps.sh"

step "Building the stand-in recording devices (native, in $build/demo-native)"
cmake -S "$root" -B "$build/demo-native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/demo-native" --target standin-device

step "Building the shipped programs (Windows, Release, in $build/release/shipped; the first time, several minutes)"
cmake -S "$root" -B "$build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/release" --target shipped

step "Running the station (the first time Wine prepares its prefix first: about a minute)"
"$root/tools/run-station.sh" "$build/release" "$build/demo-native" "$devices" "$recordings" "$seconds"
