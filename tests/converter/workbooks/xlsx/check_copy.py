#!/usr/bin/python3
"""Reads a converted .xlsx copy with openpyxl, a reader we did not write, and
compares it with its source: every cell of every sheet must be equal except
the destination column of the converted sheet, where cells that existed keep
their style. Every package entry other than the converted sheet's part must be
byte for byte the source's. Prints the destination column as "ROW<TAB>VALUE"
lines and exits non-zero on the first difference.

usage: check_copy.py SOURCE COPY SHEET COLUMN-LETTER"""
import re
import sys
import zipfile

import openpyxl
from openpyxl.utils import column_index_from_string

source_path, copy_path, sheet_name, column_letter = sys.argv[1:5]
column = column_index_from_string(column_letter)


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


source = openpyxl.load_workbook(open(source_path, "rb"))
copy = openpyxl.load_workbook(open(copy_path, "rb"))
if source.sheetnames != copy.sheetnames:
    fail(f"sheet names differ: {source.sheetnames} vs {copy.sheetnames}")
for name in source.sheetnames:
    a, b = source[name], copy[name]
    if not hasattr(a, "iter_rows"):
        continue  # chart sheets carry no cells
    # Only the cells either sheet holds (a sheet may reach row 1,048,576).
    for r, c in sorted(set(a._cells) | set(b._cells)):
        x, y = a.cell(r, c), b.cell(r, c)
        if name == sheet_name and c == column:
            if x.has_style and (repr(x.font) != repr(y.font) or repr(x.fill) != repr(y.fill)
                                or x.number_format != y.number_format):
                fail(f"{name}!{y.coordinate}: style not kept")
            continue
        if x.value != y.value:
            fail(f"{name}!{x.coordinate}: {x.value!r} became {y.value!r}")
    if a.merged_cells.ranges != b.merged_cells.ranges:
        fail(f"{name}: merged cells differ")
if list(source.defined_names.definedName if hasattr(source.defined_names, "definedName")
        else source.defined_names) != list(copy.defined_names.definedName
                                           if hasattr(copy.defined_names, "definedName")
                                           else copy.defined_names):
    fail("defined names differ")

target = copy[sheet_name]
for r, c in sorted(target._cells):
    value = target.cell(r, c).value
    if c == column and value is not None:
        print(f"{r}\t{value}")

# The converted sheet's part is the only entry allowed to change, but for the
# workbook part's request for a full calculation on opening (its calcPr) and
# the calculation chain, which the copy leaves out with its relationship and
# content type.
CALC = re.compile(rb"<(\w+:)?calcPr\b[^>]*?(/>|>.*?</(\w+:)?calcPr>)", re.S)
CHAIN = re.compile(rb"<(\w+:)?(Relationship|Override)\b[^>]*?calcChain[^>]*?(/>|>\s*</[^>]*>)")


def normal(name, data):
    if name.endswith("workbook.xml"):
        data = CALC.sub(b"", data)
    return CHAIN.sub(b"", data)


with zipfile.ZipFile(source_path) as a, zipfile.ZipFile(copy_path) as b:
    if sorted(n for n in a.namelist() if "calcChain" not in n) != sorted(b.namelist()):
        fail("package entries differ")
    changed = [n for n in b.namelist() if normal(n, a.read(n)) != normal(n, b.read(n))]
    if len(changed) > 1:
        fail(f"more than one entry changed: {changed}")
    workbook = [n for n in b.namelist() if n.endswith("workbook.xml")]
    if workbook and not re.search(rb"<(\w+:)?calcPr\b[^>]*fullCalcOnLoad=\"(1|true)\"",
                                  b.read(workbook[0])):
        fail("the copy does not ask for a calculation on opening")
