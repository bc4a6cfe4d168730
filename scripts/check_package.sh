#!/usr/bin/env bash
# Makes the Debian package from build/ and checks it. lintian finds no error
# or warning and dpkg-shlibdeps found the libraries. dpkg installs it into a
# scratch root folder; there the desktop file and the AppStream metainfo
# validate, every program has its man page and the package's version, and
# the change log's newest release is that version. An ordinary user runs
# the installed programs: the examples print what the build's own programs
# print, and the desktop program starts without a word at its user's first
# start and keeps the user's settings in their configuration folder. Purging the package takes away every file it brought
# and leaves those settings as they were.
# Run as root, or as a user who may sudo (dpkg needs root for the install).
set -euo pipefail
cd "$(dirname "$0")/.."

programs=(quillet quillet-script quillet-schedule)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
fail() { echo "$*" >&2; exit 1; }

rm -f build/quillet_*.deb
(cd build && cpack -G DEB > /dev/null)
deb=$(echo build/quillet_*_amd64.deb)
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6widgets6; do
  [[ "$depends" == *"$library "* ]] || fail "Depends lacks $library: $depends"
done
# lintian's advice against running as root is no finding about the package.
lintian --fail-on error,warning "$deb" 2> >(grep -v "running with root privileges" >&2)

# The scratch root lies in /tmp, where the unprivileged user can reach it.
root=$(mktemp -d /tmp/quillet-package.XXXXXX)
trap '$sudo rm -rf "$root"' EXIT
chmod 755 "$root"
# Its dpkg database lists only the packages quillet depends on, as they are
# installed here, so dpkg checks the real dependencies without a forced
# install, and the programs run on this system's libraries.
admin="$root/var/lib/dpkg"
mkdir -p "$admin/info" "$admin/updates" "$root/var/log"
for dependency in $(tr ',|' '\n\n' <<< "$depends" | sed 's/(.*//'); do
  installed=$(dpkg-query -W -f='${binary:Package}' "$dependency" 2> /dev/null) || continue
  { dpkg-query -s "$installed"; echo; } >> "$admin/status"
  touch "$admin/info/$installed.list"
done
dpkg_log="$root/dpkg-output"
in_root() { $sudo dpkg --root="$root" --log="$root/var/log/dpkg.log" "$@" > "$dpkg_log" 2>&1 ||
  fail "dpkg $*:"$'\n'"$(cat "$dpkg_log")"; }
in_root --install "$deb"
! grep -q "warning" "$dpkg_log" || fail "dpkg --install:"$'\n'"$(cat "$dpkg_log")"

docs="$root/usr/share/doc/quillet"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml > /dev/null
zcat "$docs/changelog.gz" > "$root/changelog"
newest=$(dpkg-parsechangelog -l "$root/changelog" -S Version)
[ "$newest" == "$version" ] || fail "changelog's newest release is $newest, the package is $version"
grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$" "$docs/copyright" ||
  fail "$docs/copyright is not in the machine-readable format"

# The user: nobody when this runs as root, else whoever runs it; a fresh
# home, and nothing of the caller's environment.
home="$root/home/user"
mkdir -p "$home/.config/Quillet" "$home/runtime"
chmod 700 "$home/runtime"
as_user=(env)
if [ -z "$sudo" ]; then
  chown -R nobody:nogroup "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env)
fi
as_user+=(-i "HOME=$home" "XDG_RUNTIME_DIR=$home/runtime" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen)
as_user_in() { (cd "$home" && "${as_user[@]}" "$@"); }

for program in "${programs[@]}"; do
  page="$root/usr/share/man/man1/$program.1.gz"
  [ -f "$page" ] || fail "no man page for $program"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)
  [ -z "$warnings" ] || fail "$program.1: $warnings"
  shown=$(as_user_in "$root/usr/bin/$program" --version)
  [ "$shown" == "$program $version" ] || fail "$program --version: '$shown', package $version"
done

# The examples as the man pages tell a user to run them, beside the build's
# programs on the repository's copies.
status=0
from_package=$(as_user_in "$root/usr/bin/quillet-schedule" "$docs/examples/feeders.csv" 2> /dev/null) || status=$?
expected_status=0
from_build=$(build/quillet-schedule examples/feeders.csv 2> /dev/null) || expected_status=$?
[ -n "$from_package" ] && [ "$from_package" == "$from_build" ] && [ $status == $expected_status ] ||
  fail "package schedule differs (status $status, build $expected_status):"$'\n'"$from_package"$'\n'"build:"$'\n'"$from_build"
mkdir "$root/settings-build"
from_package=$(as_user_in "$root/usr/bin/quillet-script" --folder "$home" "$docs/examples/session.script")
from_build=$(build/quillet-script --folder "$root/settings-build" examples/session.script)
[ -n "$from_package" ] && [ "$from_package" == "$from_build" ] ||
  fail "package session differs:"$'\n'"$from_package"$'\n'"build:"$'\n'"$from_build"

# The desktop program, started by the user until it shows its first results
# (a message box at the start would hold them back).
trace="$root/quillet-trace"
start_desktop() {
  (cd "$home" && exec "${as_user[@]}" "$root/usr/bin/quillet" --trace-startup 2> "$trace") &
  local desktop=$!
  for _ in $(seq 300); do
    grep -q "first results shown" "$trace" && break
    sleep 0.1
  done
  kill "$desktop" 2> /dev/null || true
  wait "$desktop" || true
  grep -q "first results shown" "$trace" || fail "quillet showed no results ($1):"$'\n'"$(cat "$trace")"
}

# Its user's first start writes the defaults into their configuration
# folder without a word: nothing was lost.
settings="$home/.config/Quillet/Quillet32.ini"
start_desktop "first start"
[ "$(cat "$settings")" == $'1,0,24,7,0.1\r' ] || fail "no default settings in $settings: $(cat -A "$settings")"

# Later it reads the user's settings and writes them back (with its own
# line end) at the start, in the configuration folder, since the installed
# program's folder is not the user's to write.
printf '0,1,8,5,0.25\n' > "$settings"
[ -n "$sudo" ] || chown nobody:nogroup "$settings"
start_desktop "settings kept"
[ ! -e "$root/usr/bin/Quillet32.ini" ] || fail "quillet wrote its settings in the installed program's folder"
[ "$(cat "$settings")" == $'0,1,8,5,0.25\r' ] || fail "settings not kept in $settings: $(cat -A "$settings")"

in_root --purge quillet
left=$(cd "$root" && find usr -print 2> /dev/null || true)
[ -z "$left" ] || fail "purging quillet left:"$'\n'"$left"
[ "$(cat "$settings")" == $'0,1,8,5,0.25\r' ] || fail "purging quillet changed $settings"

echo "$deb: no lintian error or warning; installed, run by $(as_user_in id -un) and purged on a scratch root;" \
  "${#programs[@]} programs, Depends: $depends"
