# Compares what LibreOffice reads from a converted copy and from its source,
# formulas as formula text: every sheet alike except the converted cells.
# The converted cells are those of the book's first sheet listed in CHANGED_FILE.
#   interop_formulas.py BOOK SOURCE_CSV_FOLDER COPY_CSV_FOLDER CHANGED_FILE
import csv, glob, os, sys
import xlrd

book, source_dir, copy_dir, changed_file = sys.argv[1:5]
first = xlrd.open_workbook(book, on_demand=True).sheet_names()[0]
changed = {tuple(int(v) for v in line.split(":")) for line in open(changed_file) if line.strip()}


stem = os.path.splitext(os.path.basename(book))[0]


def sheets(folder):
    out = {}
    for path in sorted(glob.glob(os.path.join(folder, "*.csv"))):
        # BOOK-SHEET.csv: the sheet's name after the book's.
        name = os.path.basename(path)[len(stem) + 1:-4]
        out[name] = list(csv.reader(open(path, encoding="utf-8", newline="")))
    return out


a, b = sheets(source_dir), sheets(copy_dir)
problems = []
if sorted(a) != sorted(b):
    problems.append("sheets %r != %r" % (sorted(a), sorted(b)))
for name in sorted(set(a) & set(b)):
    rows_a, rows_b = a[name], b[name]
    for r in range(max(len(rows_a), len(rows_b))):
        ra = rows_a[r] if r < len(rows_a) else []
        rb = rows_b[r] if r < len(rows_b) else []
        for c in range(max(len(ra), len(rb))):
            va = ra[c] if c < len(ra) else ""
            vb = rb[c] if c < len(rb) else ""
            if va != vb and not (name == first and (r, c) in changed):
                problems.append("%s!%d,%d: %r != %r" % (name, r, c, va, vb))
for p in problems[:10]:
    print(p)
sys.exit(1 if problems else 0)
