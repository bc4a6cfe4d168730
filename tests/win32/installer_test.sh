#!/usr/bin/env bash
# The Windows installer on a fresh machine: a scratch Wine prefix made for
# the run. Installed silently into Program Files with a Start-menu entry,
# the programs work there, the desktop program's first start writes the
# user's settings into %APPDATA%\Quillet without a box, and the silent
# uninstall takes away what was installed and leaves the user's settings.
#   installer_test.sh PREFIX SETUP.exe VERSION
set -uo pipefail
source "$(dirname "$0")/gui_session.sh"
prefix=$1 setup=$2 version=$3
rm -rf "$prefix"
start_session "$prefix"
installed="$WINEPREFIX/drive_c/Program Files/Quillet"
menu_entry="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillet.lnk"
settings="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Quillet/Quillet32.ini"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet'

timeout 300 "$wine" "$(windows_path "$setup")" /S || fail "the silent install failed"
timeout 120 "$wineserver" -w || fail "the installer did not end"
for file in quillet.exe quillet-script.exe quillet-schedule.exe uninstall.exe examples/feeders.csv \
  examples/session.script; do
  [ -f "$installed/$file" ] || fail "not installed: $installed/$file"
done
[ -f "$menu_entry" ] || fail "no Start-menu entry"
timeout 60 "$wine" reg query "$uninstall_key" /v DisplayVersion 2> /dev/null | grep -q "$version" ||
  fail "no uninstall entry for $version"
shown=$(timeout 60 "$wine" "C:\\Program Files\\Quillet\\quillet-script.exe" --version | tr -d '\r')
[ "$shown" == "quillet-script $version" ] || fail "the installed quillet-script says '$shown'"

# The installed program, started as the Start menu starts it, shows its
# first results: no box held them back, and the defaults went to the user's
# own folder, none beside the program.
trace="$session_tmp/trace"
timeout 120 "$wine" "C:\\Program Files\\Quillet\\quillet.exe" --trace-startup 2> "$trace" &
program=$!
for _ in $(seq 600); do
  grep -qs "first results shown" "$trace" && break
  sleep 0.1
done
grep -qs "first results shown" "$trace" || fail "the installed program showed no results: $(cat "$trace")"
timeout 60 "$wineserver" -k
wait "$program" || true
[ "$(cat "$settings" 2> /dev/null)" == $'1,0,24,7,0.1\r' ] || fail "no default settings in $settings"
[ ! -e "$installed/Quillet32.ini" ] || fail "the settings went beside the installed program"

# Uninstalled silently: the programs, the entry and the key go; the user's
# settings stay, and so does one kept beside the program, with its folder.
printf '0,1,8,5,0.25\r\n' > "$installed/Quillet32.ini"
timeout 300 "$wine" "C:\\Program Files\\Quillet\\uninstall.exe" /S || fail "the silent uninstall failed"
timeout 120 "$wineserver" -w || fail "the uninstaller did not end"
for file in quillet.exe quillet-script.exe quillet-schedule.exe uninstall.exe examples; do
  [ ! -e "$installed/$file" ] || fail "left after uninstalling: $installed/$file"
done
[ ! -e "$menu_entry" ] || fail "the Start-menu entry was left"
! timeout 60 "$wine" reg query "$uninstall_key" > /dev/null 2>&1 || fail "the uninstall entry was left"
[ "$(cat "$settings")" == $'1,0,24,7,0.1\r' ] || fail "uninstalling changed $settings"
[ "$(cat "$installed/Quillet32.ini")" == $'0,1,8,5,0.25\r' ] || fail "uninstalling took the settings beside the program"
echo "installed, started and uninstalled $(basename "$setup") ($(stat -c %s "$setup") bytes)"
