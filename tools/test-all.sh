#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test:
#   native with AddressSanitizer and UndefinedBehaviorSanitizer (all portable code),
#   native with ThreadSanitizer (the threaded parts: the transfer library and the platform),
#   Windows x64 (mingw-w64), run under Wine.
# Build trees go to build/ beside the sources (BUILD_ROOT overrides).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}
jobs=$(nproc)

"$root/tools/install-deps.sh"

configure_and_build() {  # <tree> <cmake args...>
  local tree=$1; shift
  cmake -S "$root" -B "$build/$tree" -G Ninja "$@" >/dev/null
  cmake --build "$build/$tree" -j "$jobs"
}

configure_and_build native -DSANITIZE=address
configure_and_build tsan -DSANITIZE=thread -DVQ_TSAN_ONLY=ON
configure_and_build win -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"

status=0
run() {  # <tree> [command the tests run under...] -- <ctest args...>
  local tree=$1; shift
  local launcher=()
  while [ "$1" != -- ]; do launcher+=("$1"); shift; done; shift
  echo "=== tests: $tree"
  "${launcher[@]}" ctest --test-dir "$build/$tree" --output-on-failure -j "$jobs" "$@" || status=1
}
run native --
run tsan -- -L tsan
# The displays and wineservers the Windows tests start end with them, also when a test fails or
# the run is interrupted.
run win "$root/tools/wine-run" --session "$build/win" --
exit $status
