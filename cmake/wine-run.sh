#!/usr/bin/env bash
# wine-run.sh PREFIX PROGRAM.exe [ARGS...]: runs a Windows program under
# Wine, headless and quiet, in the Wine prefix PREFIX (made on first use).
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  # Tests start in parallel; only one of them makes the prefix.
  flock "$prefix.lock" bash -c '[ -f "$WINEPREFIX/system.reg" ] || "$0" wineboot --init' "$wine" > /dev/null 2>&1
fi
exec "$wine" "$@"
