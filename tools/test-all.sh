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
run() {  # <tree> <ctest args...>
  local tree=$1; shift
  echo "=== tests: $tree"
  ctest --test-dir "$build/$tree" --output-on-failure -j "$jobs" "$@" || status=1
}
run native
run tsan -L tsan
run win
exit $status
