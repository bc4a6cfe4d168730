#!/usr/bin/env bash
# Runs Windows programs under Wine, headless and quiet, in the Wine prefix
# PREFIX (made on first use):
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]   run one program
#   wine-run.sh PREFIX --start                 keep a server running for a batch
#   wine-run.sh PREFIX --stop                  end it
# Each program otherwise starts and stops its own server, a few seconds each.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

if [ "${1-}" == "--stop" ]; then
  "$wineserver" -k 2> /dev/null || true
  exit 0
fi

# Tests start in parallel; only one makes the prefix. The lock is not
# handed to the server Wine leaves running.
mkdir -p "$prefix"
flock --close "$prefix.lock" bash -c '[ -f "$WINEPREFIX/system.reg" ] || "$0" wineboot --init' "$wine" \
  < /dev/null > /dev/null 2>&1

if [ "${1-}" == "--start" ]; then
  # The server and the services Wine starts with it outlive this script:
  # they get no standard streams, so they hold no caller's output open.
  "$wineserver" -w < /dev/null > /dev/null 2>&1
  "$wineserver" -p < /dev/null > /dev/null 2>&1
  "$wine" wineboot < /dev/null > /dev/null 2>&1
  exit 0
fi
exec "$wine" "$@"
