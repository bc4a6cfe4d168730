"""The schedule's workbook read back with a real reader (openpyxl) against
the CSV output of the same file: every cell the same, figures typed as
numbers with every digit (up to the writer's 16), the headings and the tag frozen, a filter, the
failing cells coloured; the drawing schedule as its second sheet; the
window's export the same workbook; a workbook given to read refused.

usage: schedule_workbook.py TOOL DRIVER EXAMPLE WORKDIR [EMULATOR...]
"""
import csv
import re
import shutil
import subprocess
import sys
from pathlib import Path

import openpyxl

TOOL, DRIVER, EXAMPLE, WORKDIR = sys.argv[1:5]
EMULATOR = sys.argv[5:]
# Columns whose cells are names even where they read as numbers: a
# system "3", a size "12", a trade size "1".
NAME_COLUMNS = {"system", "size", "raceway_size"}
NUMBER = re.compile(r"^-?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def run(*args):
    return subprocess.run([*EMULATOR, *args], capture_output=True, text=True, timeout=300)


def in_sixteen_digits(text):
    """The CSV's figure as libxlsxwriter writes a number: to 16 significant
    digits, so a double's 17th digit (a load in VA) is the one it can lose."""
    return float(f"{float(text):.16G}")


work = Path(WORKDIR)
shutil.rmtree(work, ignore_errors=True)
work.mkdir(parents=True)
shutil.copy(EXAMPLE, work / "feeders.csv")

as_csv = run(TOOL, "-o", str(work / "tool.csv"), str(work / "feeders.csv"))
as_xlsx = run(TOOL, "-o", str(work / "tool.xlsx"), str(work / "feeders.csv"))
check(as_xlsx.returncode == as_csv.returncode, f"exit status {as_xlsx.returncode}, as CSV {as_csv.returncode}")
check(as_xlsx.stderr == as_csv.stderr, f"summary {as_xlsx.stderr!r}, as CSV {as_csv.stderr!r}")
with open(work / "tool.csv", newline="", encoding="utf-8") as f:
    rows = list(csv.reader(f))
header, records = rows[0], rows[1:]

book = openpyxl.load_workbook(work / "tool.xlsx")
check(book.sheetnames == ["Schedule", "Feeder schedule"], f"sheets {book.sheetnames}")
sheet = book["Schedule"]
names = [cell.value for cell in sheet[2]]
check(sorted(names) == sorted(header), "the second heading row is not the CSV's header")
check(names[0] == "tag", "the tag is not the first column")
# The headings in bold, the CSV names under them in grey.
check(all(cell.font.b for cell in sheet[1] if cell.value), "a heading is not bold")
check(all(cell.font.b and cell.font.color.rgb == "FF808080" for cell in sheet[2]), "a name is not bold grey")
check(sheet.freeze_panes == "B3", f"frozen at {sheet.freeze_panes}")
last = openpyxl.utils.get_column_letter(len(header))
check(sheet.auto_filter.ref == f"A2:{last}{len(records) + 2}", f"filter on {sheet.auto_filter.ref}")

figures = 0
red = "FFFF0000"
for record, row in zip(records, sheet.iter_rows(min_row=3)):
    cells = {name: cell for name, cell in zip(names, row)}
    failing = record[header.index("error")] != ""
    for name in ("tag", "error"):
        coloured = cells[name].font.color is not None and cells[name].font.color.rgb == red
        # A fifth of the red over white: 255 - 255 * 0.2 = 204 in green and blue.
        filled = cells[name].fill.fill_type == "solid" and cells[name].fill.fgColor.rgb == "FFFFCCCC"
        check(coloured == failing and filled == failing, f"{record[0]} {name}: coloured {coloured}, filled {filled}")
    for name, text in zip(header, record):
        value = cells[name].value
        where = f"{record[0]} {name}"
        if text == "":
            check(value is None, f"{where}: {value!r} for a blank")
        elif NUMBER.match(text) and name not in NAME_COLUMNS:
            figures += 1
            check(isinstance(value, (int, float)) and not isinstance(value, bool), f"{where}: {value!r} not a number")
            check(value == in_sixteen_digits(text), f"{where}: {value!r}, the CSV has {text}")
        else:
            check(value == text, f"{where}: {value!r}, the CSV has {text!r}")
check(figures > 1000, f"only {figures} figures")

first = {name: cell for name, cell in zip(names, sheet[3])}
shown_as = {"load_ratio": "0.00", "vd_pct": "0.00", "current_a": "#,##0", "calculated_va": "0.00,"}
for name, number_format in shown_as.items():
    check(first[name].number_format == number_format, f"{name} shown as {first[name].number_format}")

drawing = book["Feeder schedule"]
headings = [cell.value for cell in drawing[1]]
check(headings[0] == "Tag" and headings[-1] == "Check", f"drawing headings {headings}")
check(drawing.freeze_panes == "B2", f"drawing frozen at {drawing.freeze_panes}")
drawn = {row[0].value: row for row in drawing.iter_rows(min_row=2)}
check(sorted(drawn) == sorted(r[0] for r in records), "the drawing's tags are not the schedule's")
fed_from = header.index("fed_from")
for record in records:
    row = drawn.get(record[0])
    if row is None:
        continue
    indented = (row[0].alignment.indent or 0) > 0
    check(indented == (record[fed_from] != ""), f"{record[0]}: indented {indented}")
    drop = row[headings.index("Drop (%)")].value
    vd_pct = record[header.index("vd_pct")]
    check(drop == (float(vd_pct) if vd_pct else None), f"{record[0]}: drop {drop!r}, the CSV has {vd_pct}")

# A chain deeper than a spreadsheet indents: each level one step in, down to
# the fifteenth, and the rows below it no further.
chain = ["tag,voltage,current,length,fed_from"] + [f"L{d},480,10,10,{f'L{d - 1}' if d else ''}" for d in range(18)]
(work / "chain.csv").write_text("\n".join(chain) + "\n")
run(TOOL, "-o", str(work / "chain.xlsx"), str(work / "chain.csv"))
if (work / "chain.xlsx").exists():
    levels = [row[0].alignment.indent or 0 for row in openpyxl.load_workbook(work / "chain.xlsx")["Feeder schedule"].iter_rows(min_row=2)]
    check(levels == [min(d, 15) for d in range(18)], f"the chain is indented {levels}")
else:
    check(False, "the chain's workbook was not written")

script = work / "export.script"
script.write_text("shortcut Ctrl+E\nschedule import feeders.csv\nschedule export window.xlsx\nmessages\n")
window = run(DRIVER, "--folder", str(work), str(script))
check(window.returncode == 0, f"the window's export: {window.stderr}")
if window.returncode == 0:
    exported = openpyxl.load_workbook(work / "window.xlsx")
    for name in book.sheetnames:
        same = list(exported[name].values) == list(book[name].values)
        check(same, f"the window's {name} sheet differs")

shutil.copy(work / "tool.xlsx", work / "renamed.csv")
for given in ("tool.xlsx", "renamed.csv"):
    refused = run(TOOL, "-o", str(work / "never.csv"), str(work / given))
    check(refused.returncode == 2, f"{given} read: status {refused.returncode}")
    check("save it as CSV" in refused.stderr, f"{given} read: {refused.stderr!r}")
    check(not (work / "never.csv").exists(), f"{given} read: an output was written")

for failure in failures[:30]:
    print(failure)
sys.exit(1 if failures else 0)
