"""Exits 0 when two workbooks hold the same sheets with the same cells
(names, types and values), whatever their containers' byte layout. .xls
workbooks are read with xlrd; .xlsx ones with openpyxl, and their zip members
must also be equal byte for byte (the parts a system writes are its own only
in the zip's dates)."""
import sys
import zipfile


def xls_cells(path):
    import xlrd

    book = xlrd.open_workbook(path, formatting_info=False)
    return [(sheet.name, [[(c.ctype, c.value) for c in sheet.row(r)] for r in range(sheet.nrows)])
            for sheet in book.sheets()]


def xlsx_cells(path):
    import openpyxl

    book = openpyxl.load_workbook(path)
    return [(sheet.title, [[(type(c.value).__name__, c.value) for c in row]
                           for row in sheet.iter_rows()]) for sheet in book.worksheets]


def xlsx_members(path):
    with zipfile.ZipFile(path) as z:
        return [(info.filename, z.read(info)) for info in z.infolist()]


a_path, b_path = sys.argv[1], sys.argv[2]
xlsx = a_path.lower().endswith(".xlsx")
cells = xlsx_cells if xlsx else xls_cells
a, b = cells(a_path), cells(b_path)
if a != b:
    print("workbooks differ:", a_path, b_path)
    sys.exit(1)
if xlsx:
    ma, mb = xlsx_members(a_path), xlsx_members(b_path)
    if ma != mb:
        names_a, names_b = [n for n, _ in ma], [n for n, _ in mb]
        print("zip members differ:", a_path, b_path)
        print("  names:", names_a if names_a != names_b else "same")
        print("  bytes differ in:", [n for (n, x), (_, y) in zip(ma, mb) if x != y])
        sys.exit(1)
print("same workbook:", sum(len(rows) for _, rows in a), "rows")
