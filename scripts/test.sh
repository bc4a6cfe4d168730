#!/usr/bin/env bash
# Sets up, builds and runs every test: first the normal build (Qt view
# included) and the Debian package made from it, then the Windows build
# (Win32 view and installer) under Wine, then the same library, driver, Qt
# view and tests built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, with the fuzz targets and both soaks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
ctest --test-dir build --output-on-failure -j2
bash scripts/check_package.sh

# The calculator core, the driver, the unit tests and the scenarios built
# for Windows with MinGW-w64 and run under Wine, headless; the Win32 view's
# tests and the installer's on headless X servers of their own. Configured
# every time, so a folder made before the view joined gets it.
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQUILLET_DESKTOP=ON >/dev/null
cmake --build build-windows
wine_prefix="$PWD/build-windows/wine-prefix"
bash cmake/wine-run.sh "$wine_prefix" --start
trap 'bash cmake/wine-run.sh "$wine_prefix" --stop' EXIT
ctest --test-dir build-windows --output-on-failure -j2
bash cmake/wine-run.sh "$wine_prefix" --stop

# Configured every time, so a folder made before the view joined gets it.
cmake -S . -B build-check -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLET_DESKTOP=ON -DQUILLET_SANITIZE=ON -DQUILLET_FUZZ=ON >/dev/null
cmake --build build-check
ctest --test-dir build-check --output-on-failure -j2
