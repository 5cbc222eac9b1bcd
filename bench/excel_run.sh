#!/usr/bin/env bash
# The Excel run against the CSV run over the same real addresses: ROWS
# addresses (default 65,536, a full BIFF8 sheet) in one column of a workbook
# and of a CSV file; prints both times and peak memory and checks that the
# Excel run takes at most twice as long and that its peak memory stays below
# three times the workbook's size above the CSV run's (which holds the
# dictionary and the program itself).
set -euo pipefail
bin=$(cd "$1" && pwd); data=$2; rows=${3:-65536}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
"$bin/make_addresses" "$data/ken_all.zip" "$rows" > "$work/addresses.txt"
/usr/bin/python3 - "$work" <<'PY'
import sys, xlwt
work = sys.argv[1]
lines = open(work + "/addresses.txt", encoding="utf-8").read().splitlines()
book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("Addresses")
for i, line in enumerate(lines[:65536]):
    sheet.write(i, 0, line)
book.save(work + "/book.xls")
with open(work + "/book.csv", "wb") as f:
    for line in lines[:65536]:
        f.write(line.replace(",", "").encode("cp932", "replace") + b"\r\n")
PY
cd "$work"
common=(--yes --no-max-errors --no-error-file --mode 7)
/usr/bin/time -f "%e %M" -o csv.time "$bin/zelko7" convert csv --source book.csv --dest out.csv \
    --fields 1 "${common[@]}" > csv.log 2>&1 || true
/usr/bin/time -f "%e %M" -o xls.time "$bin/zelko7" convert excel --source book.xls --dest out.xls \
    --sheet Addresses --columns A --dest-column B "${common[@]}" > xls.log 2>&1 || true
size=$(stat -c %s book.xls)
dict=$(stat -c %s "$bin/KESZIP.DIC")
read -r csvTime csvKb < csv.time
read -r xlsTime xlsKb < xls.time
rowsOut=$(/usr/bin/python3 -c "import xlrd,sys; s=xlrd.open_workbook('out.xls').sheet_by_index(0); print(sum(1 for r in range(s.nrows) if s.cell_type(r,1)==1))")
awk -v ct="$csvTime" -v ck="$csvKb" -v xt="$xlsTime" -v xk="$xlsKb" -v size="$size" -v dict="$dict" \
    -v rows="$rows" -v out="$rowsOut" 'BEGIN {
    printf "rows %d, workbook %.1f MB, dictionary %.1f MB\n", rows, size / 1e6, dict / 1e6
    printf "csv run:   %.2f s, peak %.1f MB\n", ct, ck / 1024
    printf "excel run: %.2f s, peak %.1f MB (%d result cells; xlrd read the copy)\n", xt, xk / 1024, out
    ratio = ct > 0 ? xt / ct : 0
    extra = (xk - ck) * 1024
    printf "time ratio %.2f (limit 2), memory above the csv run %.1f MB = %.2f x workbook (limit 3)\n", \
        ratio, extra / 1e6, extra / size
    exit (ratio <= 2 && extra < 3 * size && out > 0) ? 0 : 1 }'
