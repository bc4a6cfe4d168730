#!/usr/bin/env bash
# Makes the Debian package from build/ and checks it: the desktop file and
# the AppStream metainfo validate, dpkg-shlibdeps found the libraries, every
# program and its man page is in it, and the programs run from an extracted
# copy with the package's version.
set -euo pipefail
cd "$(dirname "$0")/.."

programs=(quillet quillet-script quillet-schedule)

rm -f build/quillet_*.deb
(cd build && cpack -G DEB > /dev/null)
deb=$(echo build/quillet_*_amd64.deb)
version=$(dpkg-deb -f "$deb" Version)
root=$(mktemp -d "$PWD/build/package-check.XXXXXX")
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml > /dev/null
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6widgets6; do
  [[ "$depends" == *"$library "* ]] || { echo "Depends lacks $library: $depends" >&2; exit 1; }
done

for program in "${programs[@]}"; do
  page="$root/usr/share/man/man1/$program.1.gz"
  [ -f "$page" ] || { echo "no man page for $program" >&2; exit 1; }
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)
  [ -z "$warnings" ] || { echo "$program.1: $warnings" >&2; exit 1; }
  shown=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/$program" --version)
  [ "$shown" == "$program $version" ] || { echo "$program --version: '$shown', package $version" >&2; exit 1; }
done

# A small session from the package prints what the build's driver prints.
session='type A "100"
select ComWS 6
tick
print VDACL.caption
print VDACPRCL.caption
print Ampacit.caption'
mkdir "$root/settings-package" "$root/settings-build"
from_package=$(printf '%s\n' "$session" | "$root/usr/bin/quillet-script" --folder "$root/settings-package" -)
from_build=$(printf '%s\n' "$session" | build/quillet-script --folder "$root/settings-build" -)
[ -n "$from_package" ] && [ "$from_package" == "$from_build" ] ||
  { echo "package run differs:"$'\n'"$from_package"$'\n'"build:"$'\n'"$from_build" >&2; exit 1; }

# And a small schedule gives the same file from both.
schedule='tag,voltage,current,length,size
P-1,208,100,50,
P-2,480,40,200,6 AWG'
from_package=$(printf '%s\n' "$schedule" | "$root/usr/bin/quillet-schedule" -)
from_build=$(printf '%s\n' "$schedule" | build/quillet-schedule -)
[ -n "$from_package" ] && [ "$from_package" == "$from_build" ] ||
  { echo "package schedule differs:"$'\n'"$from_package"$'\n'"build:"$'\n'"$from_build" >&2; exit 1; }

echo "$deb: ${#programs[@]} programs, Depends: $depends"
printf '%s\n' "$from_package" | cut -d, -f1,6-9
