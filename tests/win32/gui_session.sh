# Sourced by the tests of the Windows programs that show windows: a headless
# X server of their own (Xvfb takes the first free display number and says
# which once it listens), a Wine prefix of their own with Arial served by
# Liberation Sans (as fontconfig serves it to the Qt view), and both stopped
# when the test ends, however it ends. Every wait is bounded.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

fail() {
  echo "$*" >&2
  exit 1
}

# A Unix path as Wine's Z: drive names it.
windows_path() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

stop_session() {
  [ -z "${WINEPREFIX-}" ] || timeout 60 "$wineserver" -k 2> /dev/null || true
  if [ -n "${xvfb_pid-}" ]; then
    kill "$xvfb_pid" 2> /dev/null || true
    wait "$xvfb_pid" 2> /dev/null || true
  fi
  [ -z "${session_tmp-}" ] || rm -rf "$session_tmp"
}

# start_session PREFIX
start_session() {
  session_tmp=$(mktemp -d)
  trap stop_session EXIT
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$session_tmp/display" > "$session_tmp/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 150); do
    [ -s "$session_tmp/display" ] && break
    kill -0 "$xvfb_pid" 2> /dev/null || break
    sleep 0.1
  done
  [ -s "$session_tmp/display" ] || fail "Xvfb did not start: $(cat "$session_tmp/xvfb.log")"
  export DISPLAY=":$(tr -dc 0-9 < "$session_tmp/display")"
  unset WAYLAND_DISPLAY
  # No Mono or Gecko (their installers would ask), and no menu entries made
  # on this machine's desktop for what the installer puts in the Start menu.
  export WINEPREFIX
  WINEPREFIX=$(realpath -m "$1")
  export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 "$wine" wineboot --init > "$session_tmp/wineboot.log" 2>&1 ||
      fail "the Wine prefix $WINEPREFIX could not be made: $(tail -5 "$session_tmp/wineboot.log")"
  fi
  # Type smoothed in grey, as the Qt view draws it; windows Wine manages
  # itself, as no window manager runs here to answer it (a window hidden
  # would wait two seconds for one).
  cat > "$session_tmp/settings.reg" << 'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"FontSmoothing"="2"
"FontSmoothingType"=dword:00000001
REG
  timeout 120 "$wine" regedit /S "$(windows_path "$session_tmp/settings.reg")" ||
    fail "the fonts and windows of $WINEPREFIX could not be set up"
}
