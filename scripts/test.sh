#!/usr/bin/env bash
# Sets up, builds and runs every test: first the normal build (Qt view
# included), then the same library, driver, Qt view and tests built with
# clang under AddressSanitizer and UndefinedBehaviorSanitizer, with the fuzz
# targets and both soaks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
ctest --test-dir build --output-on-failure -j2

# Configured every time, so a folder made before the view joined gets it.
cmake -S . -B build-check -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLET_DESKTOP=ON -DQUILLET_SANITIZE=ON -DQUILLET_FUZZ=ON >/dev/null
cmake --build build-check
ctest --test-dir build-check --output-on-failure -j2
