# Compares the CSV files LibreOffice wrote for each sheet of a workbook with
# the cells xlrd reads from it.  interop_compare.py BOOK CSV_FOLDER
import csv, glob, os, struct, sys
import xlrd
from xlrd.compdoc import CompDoc


def formula_cells(path):
    """The (row, column) of every FORMULA record of each worksheet, in the
    order of the worksheets' BOUNDSHEET records."""
    doc = CompDoc(open(path, "rb").read())
    stream = doc.get_named_stream("Workbook") or doc.get_named_stream("Book")
    sheets, at = [], 0
    while at + 4 <= len(stream):
        kind, size = struct.unpack_from("<HH", stream, at)
        if kind == 0x0085 and stream[at + 9] == 0:  # a worksheet's BOUNDSHEET
            sheets.append(struct.unpack_from("<I", stream, at + 4)[0])
        at += 4 + size
        if kind == 0x000A:
            break
    out = []
    for at in sheets:
        cells = set()
        while at + 4 <= len(stream):
            kind, size = struct.unpack_from("<HH", stream, at)
            if kind == 0x0006:
                cells.add(struct.unpack_from("<HH", stream, at + 4))
            at += 4 + size
            if kind == 0x000A:
                break
        out.append(cells)
    return out

book_path, folder = sys.argv[1], sys.argv[2]
book = xlrd.open_workbook(book_path)
files = sorted(glob.glob(os.path.join(folder, "*.csv")))
problems = []
if not files:
    problems.append("LibreOffice wrote nothing")
stem = os.path.splitext(os.path.basename(book_path))[0]
# A formula's cell holds the result it had when last calculated; LibreOffice
# calculates it again, and a converted cell that feeds it changes the result.
# Formulas are compared as their text with the source's instead.
formulas = formula_cells(book_path)
for s in range(book.nsheets):
    sheet = book.sheet_by_index(s)
    name = os.path.join(folder, "%s-%s.csv" % (stem, sheet.name))
    if not os.path.exists(name):
        name = os.path.join(folder, stem + ".csv") if book.nsheets == 1 else name
    if not os.path.exists(name):
        if sheet.nrows:
            problems.append("no CSV for sheet %r" % sheet.name)
        continue
    rows = list(csv.reader(open(name, encoding="utf-8", newline="")))
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            if s < len(formulas) and (r, c) in formulas[s]:
                continue
            got = rows[r][c] if r < len(rows) and c < len(rows[r]) else ""
            if cell.ctype == xlrd.XL_CELL_TEXT:
                # An empty text is a formula stored without its result,
                # which LibreOffice calculates.
                ok = got == cell.value or cell.value == ""
            elif cell.ctype == xlrd.XL_CELL_NUMBER:
                try:
                    ok = abs(float(got) - cell.value) < 1e-9 * max(1, abs(cell.value))
                except ValueError:
                    ok = False
            elif cell.ctype == xlrd.XL_CELL_BOOLEAN:
                ok = got.upper() in ("TRUE", "FALSE", "1", "0")
            else:
                ok = True
            if not ok:
                problems.append("%s %r!%d,%d: xlrd %r, LibreOffice %r" %
                                (stem, sheet.name, r, c, cell.value, got))
for p in problems[:10]:
    print(p)
sys.exit(1 if problems else 0)
