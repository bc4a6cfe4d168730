#!/usr/bin/env bash
# Runs the Windows view's tests under Wine on a headless X server of their
# own; the pictures they save as BMP become PNG in the same folder.
#   run_gui_tests.sh PREFIX PICTURES TESTS.exe [ARGS...]
set -uo pipefail
source "$(dirname "$0")/gui_session.sh"
start_session "$1"
pictures=$2
shift 2
rm -f "$pictures"/win32-*.bmp
status=0
QUILLET_SHOT_DIR=$(windows_path "$pictures") timeout 900 "$wine" "$@" || status=$?
[ "$status" -ne 124 ] || echo "the tests did not end within 15 minutes" >&2
for bitmap in "$pictures"/win32-*.bmp; do
  [ -f "$bitmap" ] || continue
  convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap" || status=1
done
exit "$status"
