#!/usr/bin/env bash
# Sets up, builds and runs every test: first the normal build (Qt view
# included) and the Debian package made from it, then the same library, driver and tests built with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer, with the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
ctest --test-dir build --output-on-failure -j2
bash scripts/check_package.sh

[ -f build-check/build.ninja ] ||
  cmake -S . -B build-check -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLET_DESKTOP=OFF -DQUILLET_SANITIZE=ON -DQUILLET_FUZZ=ON
cmake --build build-check
ctest --test-dir build-check --output-on-failure -j2
