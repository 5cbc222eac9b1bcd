# Reads workbooks with xlrd, a reader written elsewhere, to check what the
# copy writer produced.
#   xlrd_check.py dump FILE            one line per cell: sheet, row, column, kind, value
#   xlrd_check.py format FILE SHEET ROW COLUMN   bold, vertical alignment, left border
#   xlrd_check.py compare SOURCE COPY [--skip SHEET:COLUMN] [--cell SHEET:ROW:COLUMN]
#                 [--blanked SHEET:ROW:COLUMN]... [--kept]
# compare: every sheet of the copy has the source's name and every cell of
# the source, except the skipped columns and cells and the blanked cells
# (which must be empty). With --kept also the sheet states, merged cells,
# defined names, hyperlinks and comments.
import sys
import xlrd


def cells(book):
    out = {}
    for s in range(book.nsheets):
        sheet = book.sheet_by_index(s)
        for r in range(sheet.nrows):
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                    continue
                out[(s, r, c)] = (cell.ctype, cell.value)
    return out


def main():
    if sys.argv[1] == "format":
        book = xlrd.open_workbook(sys.argv[2], formatting_info=True)
        sheet = book.sheet_by_index(int(sys.argv[3]))
        xf = book.xf_list[sheet.cell_xf_index(int(sys.argv[4]), int(sys.argv[5]))]
        font = book.font_list[xf.font_index]
        print("bold=%d valign=%d left=%d" % (font.bold, xf.alignment.vert_align,
                                             xf.border.left_line_style))
        return 0
    if sys.argv[1] == "dump":
        book = xlrd.open_workbook(sys.argv[2])
        print("biff", book.biff_version)
        for s in range(book.nsheets):
            print("sheet", s, book.sheet_by_index(s).name)
        for (s, r, c), (kind, value) in sorted(cells(book).items()):
            print(s, r, c, kind, value, sep="\t")
        return 0
    kept = "--kept" in sys.argv
    args = [a for a in sys.argv[4:] if a != "--kept"]
    source = xlrd.open_workbook(sys.argv[2], formatting_info=kept)
    copy = xlrd.open_workbook(sys.argv[3], formatting_info=kept)
    skip, ignored, blanked = set(), set(), set()
    for flag, value in zip(args[::2], args[1::2]):
        numbers = tuple(int(v) for v in value.split(":"))
        {"--skip": skip, "--cell": ignored, "--blanked": blanked}[flag].add(numbers)
    problems = []
    if source.sheet_names() != copy.sheet_names():
        problems.append("sheet names %r != %r" % (source.sheet_names(), copy.sheet_names()))
    if source.biff_version // 10 != copy.biff_version // 10 and not (
            source.biff_version >= 80) == (copy.biff_version >= 80):
        problems.append("version %d != %d" % (source.biff_version, copy.biff_version))
    a, b = cells(source), cells(copy)
    for key in sorted(set(a) | set(b)):
        s, r, c = key
        if (s, c) in skip or key in blanked or key in ignored:
            continue
        want = a.get(key)
        if want != b.get(key):
            problems.append("%r: %r != %r" % (key, want, b.get(key)))
    if kept:
        for what, of in (("sheet states", lambda b: [s.visibility for s in b.sheets()]),
                         ("merged cells", lambda b: [sorted(s.merged_cells) for s in b.sheets()]),
                         ("names", lambda b: [(n.name, n.scope, n.raw_formula, n.hidden)
                                              for n in b.name_obj_list]),
                         ("hyperlinks", lambda b: [[(h.frowx, h.fcolx, h.url_or_path)
                                                    for h in s.hyperlink_list] for s in b.sheets()]),
                         ("comments", lambda b: [sorted((k, v.text) for k, v in
                                                        s.cell_note_map.items())
                                                 for s in b.sheets()])):
            if of(source) != of(copy):
                problems.append("%s %r != %r" % (what, of(source), of(copy)))
    for blank in blanked:
        if blank in b:
            problems.append("%r should be empty: %r" % (blank, b[blank]))
    for p in problems:
        print(p)
    return 1 if problems else 0


sys.exit(main())
