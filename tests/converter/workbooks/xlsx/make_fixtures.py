#!/usr/bin/python3
"""Writes the .xlsx fixtures of the workbook tests (run by hand; the outputs
are checked in). Needs Debian's python3-openpyxl and, for the second
fixture, LibreOffice (soffice)."""
import os
import subprocess
import sys
import tempfile
import zipfile

from openpyxl import Workbook
from openpyxl.chart import BarChart, Reference
from openpyxl.styles import Font, PatternFill
from openpyxl.workbook.defined_name import DefinedName

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "..", "fixtures", "xlsx")


def openpyxl_book():
    wb = Workbook()
    ws = wb.active
    ws.title = "住所録"
    ws.append(["氏名", "番地", "電話", "都道府県市区町村", "備考", "郵便番号"])
    ws.append(["山田", "霞が関1-2-3", "03-0000-0000", "東京都千代田区", None, None])
    ws.append(["佐藤", 1234.6, None, "北海道札幌市中央区北一条西", True, "古い値"])
    ws.append(["鈴木", "=1+1", None, "=CONCAT(\"大阪府\",\"大阪市\")", None, None])
    ws.append(["高橋", "梅田3-1-1", None, "大阪府大阪市北区", None, 12345])
    ws.append([None, None, None, None, "住所のない行", None])
    ws.append(["伊藤", "本町1", None, "架空県架空市", None, None])
    ws.append(["渡辺", "\U00020BB7田1", None, "東京都千代田区", None, None])
    ws["F3"].font = Font(bold=True, color="FF0000")
    ws["F3"].fill = PatternFill("solid", fgColor="FFFF00")
    ws["F5"].font = Font(italic=True)
    ws["F5"].number_format = "@"
    ws.merge_cells("E7:F7")
    ws["A10"] = 1234.4
    other = wb.create_sheet("Other")
    other.append(["品目", "数量"])
    for i in range(1, 6):
        other.append([f"品目{i}", i * 10])
    wb.create_sheet("空")
    chart = BarChart()
    chart.add_data(Reference(other, min_col=2, min_row=1, max_row=6), titles_from_data=True)
    chartsheet = wb.create_chartsheet("グラフ")
    chartsheet.add_chart(chart)
    wb.defined_names.append(DefinedName("住所範囲", attr_text="'住所録'!$A$1:$F$7"))
    wb.properties.title = "テスト用住所録"
    wb.save(os.path.join(out, "openpyxl_book.xlsx"))


def libreoffice_book():
    with tempfile.TemporaryDirectory() as work:
        csv = os.path.join(work, "libreoffice_book.csv")
        with open(csv, "w", encoding="utf-8") as f:
            f.write("住所1,住所2,結果\n")
            f.write("東京都千代田区,霞が関1-2-3,\n")
            f.write("大阪府大阪市北区,梅田3-1-1,旧値\n")
            f.write("沖縄県那覇市,泉崎1-2-2,\n")
        subprocess.run(["soffice", "--headless", "--infilter=CSV:44,34,76", "--convert-to",
                        "xlsx", "--outdir", work, csv], check=True, capture_output=True)
        os.replace(os.path.join(work, "libreoffice_book.xlsx"),
                   os.path.join(out, "libreoffice_book.xlsx"))


SHEET = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><x:dimension ref="A1:B4"/><x:sheetData>
<x:row r="1"><x:c r="A1" t="inlineStr"><x:is><x:t>東京都千代田区</x:t></x:is></x:c><x:c t="inlineStr"><x:is><x:r><x:t>霞が関</x:t></x:r><x:r><x:t xml:space="preserve">1-2-3</x:t></x:r><x:rPh sb="0" eb="3"><x:t>カスミガセキ</x:t></x:rPh></x:is></x:c></x:row>
<x:row r="2"/>
<x:row><x:c t="s"><x:v>0</x:v></x:c><x:c t="s"><x:v>0</x:v></x:c><x:c t="b"><x:v>1</x:v></x:c><x:c t="e"><x:v>#N/A</x:v></x:c><x:c t="str"><x:f>A1</x:f><x:v>x</x:v></x:c><x:c r="F3"><x:v>7.5</x:v></x:c></x:row>
<x:row r="5" spans="1:2"><x:c r="A5" s="0"/><x:c r="B5"><x:v>42</x:v></x:c></x:row>
</x:sheetData></x:worksheet>"""

SHARED = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="1" uniqueCount="1"><si><t>大阪府</t><rPh sb="0" eb="3"><t>オオサカフ</t></rPh></si></sst>"""

WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Inline" sheetId="1" r:id="rId1"/></sheets></workbook>"""

RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>"""

ROOT_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>"""

TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/><Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/><Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/></Types>"""


def bad_index_book():
    """A shared-string index past the end of the table."""
    with zipfile.ZipFile(os.path.join(out, "bad_index.xlsx"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", TYPES)
        z.writestr("_rels/.rels", ROOT_RELS)
        z.writestr("xl/workbook.xml", WORKBOOK)
        z.writestr("xl/_rels/workbook.xml.rels", RELS)
        z.writestr("xl/worksheets/sheet1.xml", SHEET.replace(
            '<x:c r="B5"><x:v>42</x:v></x:c>', '<x:c r="B5" t="s"><x:v>99999999</x:v></x:c>'))
        z.writestr("xl/sharedStrings.xml", SHARED)


def far_rows_book():
    """Rows past 65,536, the last row of binary workbooks."""
    rows = "".join(
        f'<row r="{r}"><c r="A{r}" t="inlineStr"><is><t>{text}</t></is></c></row>'
        for r, text in ((2, "東京都千代田区霞が関1-2-3"), (65536, "大阪府大阪市北区梅田3-1-1"),
                        (65537, "沖縄県那覇市泉崎1-2-2"), (1048576, "北海道札幌市中央区北一条西2")))
    sheet = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
             '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
             f'<dimension ref="A2:A1048576"/><sheetData>{rows}</sheetData></worksheet>')
    with zipfile.ZipFile(os.path.join(out, "far_rows.xlsx"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", TYPES)
        z.writestr("_rels/.rels", ROOT_RELS)
        z.writestr("xl/workbook.xml", WORKBOOK.replace("Inline", "Far"))
        z.writestr("xl/_rels/workbook.xml.rels", RELS)
        z.writestr("xl/worksheets/sheet1.xml", sheet)
        z.writestr("xl/sharedStrings.xml", SHARED)


def inline_book():
    """Inline strings with rich runs and phonetic runs, a prefixed namespace,
    rows and cells without references, an empty row element: things that
    hand-written and generated files hold."""
    with zipfile.ZipFile(os.path.join(out, "inline_book.xlsx"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", TYPES)
        z.writestr("_rels/.rels", ROOT_RELS)
        z.writestr("xl/workbook.xml", WORKBOOK)
        z.writestr("xl/_rels/workbook.xml.rels", RELS)
        z.writestr("xl/worksheets/sheet1.xml", SHEET)
        z.writestr("xl/sharedStrings.xml", SHARED)


os.makedirs(out, exist_ok=True)
openpyxl_book()
inline_book()
bad_index_book()
far_rows_book()
if "--no-libreoffice" not in sys.argv:
    libreoffice_book()
