#!/usr/bin/env bash
# Refreshes the README's pictures from the ones the Qt view's tests save in
# build/, so what the README shows is what the test build draws. Copies only
# the pictures that changed; look at them before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
QT_QPA_PLATFORM=offscreen build/tests/quillet-qt-tests \
  --gtest_filter='QtViewTest.WindowFitsTheModelsClientArea:ScheduleViewTest.ResultsFirstShowsTheChecksBeforeTheInputsAndSavesAPicture' \
  > /dev/null
mkdir -p docs/images
# What the test saves, and the name the README shows it under.
pictures=("main-window.png main-window.png" "schedule-window-results-first.png schedule-window.png")
for pair in "${pictures[@]}"; do
  read -r saved shown <<< "$pair"
  if ! cmp -s "build/$saved" "docs/images/$shown"; then
    cp "build/$saved" "docs/images/$shown"
    echo "docs/images/$shown changed"
  fi
done
