#!/usr/bin/env bash
# An installed program in a folder its user cannot write: the settings go
# to the user's configuration folder, the first start writes the defaults
# there without a word (nothing was lost), later starts read them, a
# damaged file is still reported, and the settings window saves there.
# Usage: per_user_settings.sh QUILLET_SCRIPT
# As root (who writes anywhere) the program runs as the user nobody.
set -euo pipefail
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
chmod 755 "$root"
program="$root/bin"
home="$root/home"
mkdir -p "$program" "$home"
# Installed as a package would: the user may run the program, not write
# beside it (and the build folder may be out of the user's reach).
driver="$program/quillet-script"
cp "$1" "$driver"
chmod 555 "$program"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody:nogroup "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

# Plays standard input as the user, from a folder that is not the program's.
play() {
  (cd "$home" && "${as_user[@]}" env -i HOME="$home" XDG_CONFIG_HOME="$home/.config" \
     "$driver" --program-folder "$program" --now "12/6/2026 9:30:00 AM" -)
}

failures=0
check() {
  local name=$1 expected=$2 actual=$3
  if [ "$expected" == "$actual" ]; then
    echo "ok - $name"
  else
    echo "FAILED - $name"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") || true
    failures=$((failures + 1))
  fi
}

restore='msgbox style=48 title="Invalid Initialization file" text="Initiation file \"Quillet32.ini\" was altered, erased or is not valid.\nThe file will be restored with initial values" answer=1'

check "first start writes the defaults silently" "file=\"1,0,24,7,0.1\\r\\n\"" "$(play <<'SCRIPT'
messages
file Quillet32.ini
messages
SCRIPT
)"
check "the file lands in the user's configuration folder" "1,0,24,7,0.1" \
  "$(tr -d '\r' < "$home/.config/Quillet/Quillet32.ini")"
check "nothing is written beside the program" "quillet-script" "$(ls -A "$program")"

check "second start reads the file silently" 'CmdUnit.caption="m"' "$(play <<'SCRIPT'
messages
print CmdUnit.caption
SCRIPT
)"

check "the settings window saves" 'EffCon.shown=0
file="0,0,8,7,0.1\r\n"' "$(play <<'SCRIPT'
click Command2
settext EffCon.Text1 "8"
click EffCon.System
click EffCon.Command1
messages
print EffCon.shown
file Quillet32.ini
SCRIPT
)"

cp "$home/.config/Quillet/Quillet32.ini" "$root/saved.ini"
printf '1,0,24' > "$home/.config/Quillet/Quillet32.ini"
check "a damaged file is reported and restored" "$restore
file=\"1,0,24,7,0.1\\r\\n\"" "$(play <<'SCRIPT'
messages
file Quillet32.ini
SCRIPT
)"
cp "$root/saved.ini" "$home/.config/Quillet/Quillet32.ini"

check "the next start reads what was saved" 'CmdUnit.caption="FT"
HoursPerDay=8' "$(play <<'SCRIPT'
messages
print CmdUnit.caption
state HoursPerDay
SCRIPT
)"

# A portable copy: a writable program folder keeps the file beside it.
chmod 777 "$program"
rm -rf "$home/.config"
play <<< 'messages' > /dev/null
check "a writable program folder keeps the file" "Quillet32.ini" "$(ls -A "$program" | grep -v quillet-script)"
check "and no configuration folder is made" "" "$(ls -A "$home")"

[ "$failures" -eq 0 ]
