#!/usr/bin/env bash
# Line coverage of the calculator library (everything in src/ but the Qt
# view) from the unit, scenario and soak tests, in its own build folder.
# Prints the summary; the full report is build-coverage/coverage.html.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if ! dpkg-query -W -f='${Status}' gcovr 2>/dev/null | grep -q "install ok installed"; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends gcovr
fi
[ -f build-coverage/build.ninja ] ||
  cmake -S . -B build-coverage -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLET_DESKTOP=OFF -DQUILLET_COVERAGE=ON
cmake --build build-coverage
find build-coverage -name '*.gcda' -delete
ctest --test-dir build-coverage -j2 --output-on-failure
gcovr --root . --filter 'src/' --exclude 'src/qt/' --object-directory build-coverage \
  --html-details build-coverage/coverage.html --print-summary
