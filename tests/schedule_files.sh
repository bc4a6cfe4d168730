#!/usr/bin/env bash
# quillet-schedule writes as a careful Unix tool does, and the schedule
# window's export through the same writer: runs that race for one file,
# a link planted where a temporary file could go, devices and pipes as the
# output, permission bits, interrupts, a missing temporary folder, a full
# disk, a closed output and a name too long for a suffix.
# Usage: schedule_files.sh QUILLET_SCHEDULE QUILLET_SCRIPT EXAMPLE.csv
set -uo pipefail
tool=$(realpath "$1")
driver=$(realpath "$2")
example=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$example" example.csv
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
same() {  # what, actual, expected
  [ "$2" == "$3" ] || fail "$1: expected [$3], got [$2]"
}
same_file() {  # what, file, expected file
  cmp -s "$2" "$3" || fail "$1: $2 differs from $3"
}
no_parts() {
  local left
  left=$(find "$work" -name '*.part')
  [ -z "$left" ] || fail "$1: left behind: $left"
}
# The run's standard error holds the message.
said() {  # what, pattern
  grep -q -- "$2" err.txt || fail "$1: no message [$2] in [$(cat err.txt)]"
}
# Background jobs of a script start with SIGINT ignored; the tool must get
# the signals a terminal sends. A command, not a function: $! is then the
# tool itself.
signalled=(env --default-signal "$tool")

# Files long enough that two runs overlap and that an output overfills a pipe.
long_file() {  # copies of the example's rows
  head -1 example.csv
  for _ in $(seq "$1"); do tail -n +2 example.csv; done
}
long_file 50 > big.csv
long_file 51 > bigger.csv
"$tool" -o expected.csv example.csv 2> /dev/null
"$tool" -o big-out.csv big.csv 2> /dev/null
"$tool" -o bigger-out.csv bigger.csv 2> /dev/null

# Two runs write one file at once: the later rename wins with its whole file
# and neither fails.
for round in 1 2 3; do
  "$tool" -o race.csv big.csv 2> /dev/null &
  first=$!
  "$tool" -o race.csv bigger.csv 2> /dev/null &
  second=$!
  wait $first
  same "race $round, first status" $? 1
  wait $second
  same "race $round, second status" $? 1
  cmp -s race.csv big-out.csv || cmp -s race.csv bigger-out.csv || fail "race $round: race.csv is neither run's output"
done
no_parts "race"

# A link planted where the temporary file used to go is never followed.
echo "not yours" > victim.txt
ln -s victim.txt planted.csv.part
"$tool" -o planted.csv example.csv 2> /dev/null
same "planted link, victim" "$(cat victim.txt)" "not yours"
same_file "planted link, output" planted.csv expected.csv
rm planted.csv.part

# Devices and pipes are written, never replaced. The devices are copies of
# /dev/null and /dev/full where this user may make them.
if mknod null c 1 3 2> /dev/null && mknod full c 1 7 2> /dev/null; then
  "$tool" -o null example.csv 2> /dev/null
  same "device, status" $? 1
  [ -c null ] || fail "device: null was replaced"
  "$tool" -o full example.csv 2> err.txt
  same "full device, status" $? 2
  said "full device" "cannot write full: No space left on device"
  [ -c full ] || fail "full device: full was replaced"
fi
mkfifo pipe.csv
cat pipe.csv > from-pipe.csv &
reader=$!
"$tool" -o pipe.csv example.csv 2> /dev/null
same "pipe, status" $? 1
[ -p pipe.csv ] || { fail "pipe: pipe.csv was replaced"; kill $reader; }
wait $reader
same_file "pipe, output" from-pipe.csv expected.csv
"$tool" -o - example.csv > dash.csv 2> /dev/null
same_file "-o -" dash.csv expected.csv
mkdir folder.csv
"$tool" -o folder.csv example.csv 2> err.txt
same "folder, status" $? 2
said "folder" "cannot write folder.csv: Is a directory"

# A replaced file keeps its permission bits; a link keeps pointing at the
# file it names, which is replaced.
echo old > private.csv
chmod 600 private.csv
"$tool" -o private.csv example.csv 2> /dev/null
same "permissions" "$(stat -c %a private.csv)" 600
same_file "permissions, output" private.csv expected.csv
echo old > real.csv
ln -s real.csv link.csv
"$tool" -o link.csv example.csv 2> /dev/null
[ -L link.csv ] || fail "link: link.csv is no longer a link"
same_file "link, output" real.csv expected.csv

# Interrupted while it waits for more rows: the output file stays as it
# was, no temporary file remains, and the signal ends the run.
mkdir spool
for signal in INT TERM HUP; do
  echo old > kept.csv
  rm -f feed
  mkfifo feed
  "${signalled[@]}" -o kept.csv feed 2> /dev/null &
  pid=$!
  exec 3> feed
  head -5 example.csv >&3
  for _ in $(seq 100); do
    compgen -G "kept.csv.*.part" > /dev/null && break
    sleep 0.05
  done
  compgen -G "kept.csv.*.part" > /dev/null || fail "$signal: no temporary file while running"
  kill -s "$signal" $pid
  { wait $pid; } 2> /dev/null
  same "$signal, status" $? $((128 + $(kill -l "$signal")))
  exec 3>&-
  same "$signal, output kept" "$(cat kept.csv)" old
  no_parts "$signal"
done
# Standard output is held in a file that has no name in the temporary
# folder, so not even SIGKILL leaves it there.
for signal in INT KILL; do
  rm -f feed
  mkfifo feed
  TMPDIR=$work/spool "${signalled[@]}" feed > spooled.csv 2> /dev/null &
  pid=$!
  exec 3> feed
  head -5 example.csv >&3
  sleep 0.3
  kill -s "$signal" $pid
  { wait $pid; } 2> /dev/null
  same "$signal on standard output, status" $? $((128 + $(kill -l "$signal")))
  exec 3>&-
  same "$signal on standard output, spool" "$(ls -A spool)" ""
  same "$signal on standard output, output" "$(cat spooled.csv)" ""
done
# A reader that goes away early: the run ends on the closed pipe.
TMPDIR=$work/spool "${signalled[@]}" big.csv 2> /dev/null | head -c 100 > /dev/null
same "closed pipe, status" "${PIPESTATUS[0]}" 141
same "closed pipe, spool" "$(ls -A spool)" ""

# No temporary folder, a full disk, a closed standard output, a file-size
# limit (met by the rows kept aside or by the output): exit status 2 with a
# message, and nothing half written.
TMPDIR=$work/missing "$tool" example.csv > out.csv 2> err.txt
same "missing TMPDIR, status" $? 2
said "missing TMPDIR" "temporary folder $work/missing: No such file or directory"
same "missing TMPDIR, output" "$(cat out.csv)" ""
"$tool" example.csv > /dev/full 2> err.txt
same "full disk, status" $? 2
said "full disk" "cannot write standard output: No space left on device"
"$tool" example.csv >&- 2> err.txt
same "closed standard output, status" $? 2
said "closed standard output" "cannot write standard output: Bad file descriptor"
echo old > kept.csv
(ulimit -f 8 && "$tool" -o kept.csv big.csv 2> err.txt)
same "file-size limit, status" $? 2
said "file-size limit" "File too large"
same "file-size limit, output kept" "$(cat kept.csv)" old
no_parts "file-size limit"

# A name as long as a file system takes leaves no room for a suffix.
long=$(printf 'n%.0s' $(seq 251)).csv
"$tool" -o "$long" example.csv 2> /dev/null
same "long name, status" $? 1
same_file "long name" "$long" expected.csv

# The window's export goes through the same writer.
echo "not yours" > victim.txt
mkdir window
cp example.csv window/in.csv
echo old > window/out.csv
chmod 640 window/out.csv
ln -s ../victim.txt window/out.csv.part
printf 'shortcut Ctrl+E\nschedule import in.csv\nschedule export out.csv\nmessages\n' > window.script
"$driver" --folder window window.script > /dev/null || fail "window: quillet-script failed"
same_file "window" window/out.csv expected.csv
same "window, permissions" "$(stat -c %a window/out.csv)" 640
same "window, victim" "$(cat victim.txt)" "not yours"

exit $((failures > 0))
