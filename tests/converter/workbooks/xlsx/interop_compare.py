#!/usr/bin/python3
"""Compares each worksheet of an .xlsx file as openpyxl reads it with
LibreOffice's CSV export of the same sheet (one file per sheet, named
BOOK-SHEET.csv). Numbers are compared as numbers, texts as texts.

usage: interop_compare.py BOOK.xlsx CSV-FOLDER"""
import csv
import glob
import os
import sys

import openpyxl

book_path, folder = sys.argv[1:3]
book = openpyxl.load_workbook(open(book_path, "rb"))
base = os.path.splitext(os.path.basename(book_path))[0]
exports = glob.glob(os.path.join(folder, "*.csv"))


def same(value, text):
    if value is None:
        return text == ""
    if isinstance(value, bool):
        return text.upper() in ("TRUE", "FALSE", "1", "0")
    if isinstance(value, (int, float)):
        try:
            return abs(float(text) - float(value)) < 1e-9 * max(1.0, abs(float(value)))
        except ValueError:
            return False
    return str(value) == text


problems = 0
for sheet in book.worksheets:
    candidates = [p for p in exports if p.endswith("-" + sheet.title + ".csv")]
    if len(exports) == 1 and len(book.worksheets) == 1:
        candidates = exports
    if not candidates:
        print(f"{base}: no LibreOffice export of sheet {sheet.title}", file=sys.stderr)
        problems += 1
        continue
    with open(candidates[0], encoding="utf-8", newline="") as f:
        rows = list(csv.reader(f))
    # Cells hidden under a merged range: openpyxl gives them no value.
    hidden = {(r, c) for m in sheet.merged_cells.ranges for (r, c) in m.cells
              if (r, c) != (m.min_row, m.min_col)}
    for (r, c) in sorted(sheet._cells):
        if (r, c) in hidden:
            continue
        value = sheet.cell(r, c).value
        if isinstance(value, str) and value.startswith("="):
            continue  # formulas: LibreOffice shows their results
        text = rows[r - 1][c - 1] if r - 1 < len(rows) and c - 1 < len(rows[r - 1]) else ""
        if not same(value, text):
            print(f"{base}!{sheet.title}!{sheet.cell(r, c).coordinate}: openpyxl {value!r}, "
                  f"LibreOffice {text!r}", file=sys.stderr)
            problems += 1
            break
sys.exit(1 if problems else 0)
