#!/usr/bin/env python3
"""Draws a seeded sample of deliberate faults and sees which the fast tests catch.

Each fault changes one line of the sources of the given folders (an operator
flipped, a comparison changed, a number nudged, a condition negated, a
truth value turned) in a scratch copy of the tree, which is built
incrementally and run against the fast tests: the normal build's ctest
without the desktop view, the soaks, the fuzzers, Wine and the package,
built with the standard library's bounds checks.
Each fault is reported as killed, survived or did not build, then
"K killed of M" counts the ones that built.  The scratch copy's file is put
back after every fault, whatever ends it, a signal too; the working tree is
never touched.

    python3 scripts/fault_sample.py --seed 7 --count 60 src/core src/input
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
TARGETS = ["quillet-unit-tests", "quillet-script", "quillet-schedule"]
# Soaks run minutes and catch what the scenarios and unit tests catch faster.
SLOW_TESTS = "[Ss]oak"
# A fault that makes a test hang is caught by this.
TEST_TIMEOUT = "120"
BUILD_SECONDS = 900
TEST_SECONDS = 300

# Binary operators written with a space each side, as the sources are
# formatted: a template's angle brackets, a pointer's star and a unary
# minus never are.
SWAPS = [
    (" <= ", " < "), (" >= ", " > "), (" < ", " <= "), (" > ", " >= "),
    (" == ", " != "), (" != ", " == "), (" && ", " || "), (" || ", " && "),
    (" + ", " - "), (" - ", " + "), (" * ", " / "), (" / ", " * "),
]
NUMBER = re.compile(r"(?<![\w.])(\d+\.\d*|\d+)(?:[eE][-+]?\d+)?[fFuUlL]*(?![\w.])")
CONDITION = re.compile(r"\b(if|while) \(")
TRUTH = re.compile(r"\b(true|false)\b")
NOT = re.compile(r"(?<![!=<>])!(?!=)")
# Lines that only declare or arrange code, whose change cannot alter
# behaviour without failing to build.
INERT = re.compile(r"^\s*(#|namespace\b|using\b|template\b|static_assert\b|public:|private:|protected:|case\b.*:$)")


@dataclass
class Fault:
    path: Path
    line: int  # from 1
    original: str
    changed: str
    what: str


def code_only(line, in_comment):
    """The line with comments and string and character literals blanked
    to spaces, so columns still match; and whether a block comment is still open."""
    out = []
    i, n = 0, len(line)
    while i < n:
        if in_comment:
            end = line.find("*/", i)
            if end < 0:
                out.append(" " * (n - i))
                return "".join(out), True
            out.append(" " * (end + 2 - i))
            i, in_comment = end + 2, False
        elif line.startswith("//", i):
            out.append(" " * (n - i))
            break
        elif line.startswith("/*", i):
            in_comment = True
        elif line[i] in "\"'":
            quote, j = line[i], i + 1
            while j < n and line[j] != quote:
                j += 2 if line[j] == "\\" else 1
            out.append(" " * (min(j, n - 1) + 1 - i))
            i = j + 1
        else:
            out.append(line[i])
            i += 1
    return "".join(out), in_comment


def nudged(number):
    digits = re.match(r"[\d.]+", number).group(0)
    suffix = number[len(digits):]
    if "." in digits:
        value = float(digits.rstrip(".") or "0")
        return f"{value * 1.01 if value else 0.01:.6g}" + suffix
    return str(int(digits) + 1) + suffix


def sites(code):
    """Each change the line allows: (start, end, replacement, description)."""
    found = []
    for old, new in SWAPS:
        for m in re.finditer(re.escape(old), code):
            found.append((m.start(), m.end(), new, f"'{old.strip()}' to '{new.strip()}'"))
    for m in NUMBER.finditer(code):
        found.append((m.start(), m.end(), nudged(m.group(0)), f"{m.group(0)} to {nudged(m.group(0))}"))
    for m in TRUTH.finditer(code):
        other = "false" if m.group(1) == "true" else "true"
        found.append((m.start(), m.end(), other, f"{m.group(1)} to {other}"))
    for m in NOT.finditer(code):
        found.append((m.start(), m.end(), "", "'!' dropped"))
    for m in CONDITION.finditer(code):
        close = closing_paren(code, m.end() - 1)
        if close is not None:
            # None: the line's own text between, wrapped in a negation.
            found.append((m.end(), close, None, f"{m.group(1)} condition negated"))
    return found


def closing_paren(code, opening):
    depth = 0
    for i in range(opening, len(code)):
        depth += {"(": 1, ")": -1}.get(code[i], 0)
        if depth == 0:
            return i
    return None


def sources(folders, revision):
    """Each source file of the folders with its text, as it is now or as it was at a revision."""
    if revision is None:
        for folder in folders:
            for path in sorted((ROOT / folder).rglob("*")):
                if path.suffix in (".cpp", ".h"):
                    yield path, path.read_text(encoding="utf-8")
        return
    names = subprocess.run(["git", "ls-tree", "-r", "--name-only", revision, "--", *folders], cwd=ROOT,
                           capture_output=True, text=True, check=True).stdout.split()
    for name in sorted(names, key=lambda n: (folders.index(next(f for f in folders if n.startswith(f))), n)):
        if name.endswith((".cpp", ".h")):
            text = subprocess.run(["git", "show", f"{revision}:{name}"], cwd=ROOT, capture_output=True,
                                  text=True, check=True).stdout
            yield ROOT / name, text


def candidates(folders, revision):
    for path, text in sources(folders, revision):
            in_comment = False
            for number, line in enumerate(text.splitlines(), 1):
                code, in_comment = code_only(line, in_comment)
                if not code.strip() or INERT.match(code):
                    continue
                if sites(code):
                    yield path, number, line, code


def draw(folders, count, seed, revision=None):
    lines = list(candidates(folders, revision))
    chooser = random.Random(seed)
    picked = chooser.sample(lines, min(count, len(lines)))
    faults = []
    for path, number, line, code in picked:
        start, end, new, what = chooser.choice(sites(code))
        if new is None:
            new = f"!({line[start:end]})"
        faults.append(Fault(path.relative_to(ROOT), number, line, line[:start] + new + line[end:], what))
    return faults


def run(command, cwd, seconds):
    # A session of its own, so a hung test is stopped with the ctest that started it.
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        return process.wait(timeout=seconds) == 0
    except subprocess.TimeoutExpired:
        return False
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


class Scratch:
    """A copy of the tracked files with its own build folder."""

    def __init__(self, where):
        self.tree = Path(where)
        self.build = self.tree / "build"

    def prepare(self):
        files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, capture_output=True, check=True).stdout
        for name in filter(None, files.decode().split("\0")):
            source, copy = ROOT / name, self.tree / name
            if not source.is_file():
                continue
            copy.parent.mkdir(parents=True, exist_ok=True)
            if not copy.exists() or copy.read_bytes() != source.read_bytes():
                shutil.copy2(source, copy)
        # The library's bounds checks, as the sanitizer build has them: a
        # fault that reads past an array's end is caught, not read as garbage.
        subprocess.run(["cmake", "-S", str(self.tree), "-B", str(self.build), "-G", "Ninja",
                        "-DQUILLET_DESKTOP=OFF", "-DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS"],
                       check=True, stdout=subprocess.DEVNULL)

    def builds(self):
        return run(["cmake", "--build", str(self.build), "--target", *TARGETS], self.tree, BUILD_SECONDS)

    def passes(self):
        return run(["ctest", "--test-dir", str(self.build), "-j2", "-E", SLOW_TESTS, "--timeout", TEST_TIMEOUT,
                    "--stop-on-failure"],
                   self.tree, TEST_SECONDS)


def where_now(lines, fault):
    """The index of the fault's line in today's file: a sample drawn at an
    earlier revision finds its lines where later edits have moved them."""
    found = [i for i, line in enumerate(lines) if line == fault.original]
    return min(found, key=lambda i: abs(i + 1 - fault.line)) if found else None


def try_fault(scratch, fault):
    target = scratch.tree / fault.path
    kept = target.read_text(encoding="utf-8") if target.is_file() else ""
    lines = kept.split("\n")
    at = where_now(lines, fault)
    if at is None:
        return "gone"
    lines[at] = fault.changed
    try:
        target.write_text("\n".join(lines), encoding="utf-8")
        if not scratch.builds():
            return "did not build"
        return "survived" if scratch.passes() else "killed"
    finally:
        target.write_text(kept, encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("folders", nargs="*", default=["src/core", "src/input", "src/schedule", "src/workbench"])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=60)
    parser.add_argument("--scratch", default="/tmp/quillet-fault-sample")
    parser.add_argument("--list", action="store_true", help="print the faults drawn without trying them")
    parser.add_argument("--revision", help="draw from the sources as they were at this git revision")
    parser.add_argument("--only", help="try only these faults of the sample, by number: 3,14,22")
    args = parser.parse_args()

    faults = draw(args.folders, args.count, args.seed, args.revision)
    only = {int(n) for n in args.only.split(",")} if args.only else None
    if args.list:
        for f in faults:
            print(f"{f.path}:{f.line}: {f.what}\n    {f.changed.strip()}")
        return 0

    # A signal ends the run through the same clean-up as an error.
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, lambda *_: sys.exit(130))
    scratch = Scratch(args.scratch)
    scratch.prepare()
    if not scratch.builds() or not scratch.passes():
        print("the unchanged tree does not build or pass its fast tests; nothing to measure", file=sys.stderr)
        return 2
    killed = built = 0
    for n, fault in enumerate(faults, 1):
        if only is not None and n not in only:
            continue
        outcome = try_fault(scratch, fault)
        if outcome in ("survived", "killed"):
            built += 1
            killed += outcome == "killed"
        print(f"{n:3}. {outcome:13} {fault.path}:{fault.line}: {fault.what}\n"
              f"                   {fault.changed.strip()}", flush=True)
    tried = len(only) if only is not None else len(faults)
    print(f"{killed} killed of {built} (seed {args.seed}, {tried - built} did not build or are gone)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
