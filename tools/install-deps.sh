#!/usr/bin/env bash
# Installs the Debian packages the builds, the tests and the programs need (as root), only
# when something is missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build git python3 pkg-config
  googletest libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 fonts-wine xvfb xauth x11-utils locales fonts-wqy-microhei imagemagick
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  iproute2 util-linux
  libsqlite3-dev sqlite3 unixodbc unixodbc-dev libsqliteodbc odbc-postgresql postgresql
)
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
