"""Exits 0 when two .xls workbooks hold the same sheets with the same cells
(names, types and values), whatever their containers' byte layout."""
import sys

import xlrd


def cells(path):
    book = xlrd.open_workbook(path, formatting_info=False)
    return [(sheet.name, [[(c.ctype, c.value) for c in sheet.row(r)] for r in range(sheet.nrows)])
            for sheet in book.sheets()]


a, b = cells(sys.argv[1]), cells(sys.argv[2])
if a != b:
    print("workbooks differ:", sys.argv[1], sys.argv[2])
    sys.exit(1)
print("same workbook:", sum(len(rows) for _, rows in a), "rows")
