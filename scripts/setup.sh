#!/usr/bin/env bash
# Installs the Debian packages the build needs (only the missing ones) and
# configures the one build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev qt6-base-dev libgl-dev fonts-liberation poppler-utils
  # the schedule's spreadsheet export, and the reader its test reads it back with
  libxlsxwriter-dev python3-openpyxl
  # the Debian package and its checks
  dpkg-dev desktop-file-utils appstream man-db lintian
  # the Windows cross-build and Wine to run its tests
  g++-mingw-w64-x86-64-posix googletest wine64
  # the Windows program's icon and installer, and its view's tests on a headless X server
  librsvg2-bin imagemagick nsis xvfb)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get -o DPkg::Lock::Timeout=600 update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
fi

[ -f build/build.ninja ] || cmake -S . -B build -G Ninja
cmake --build build
