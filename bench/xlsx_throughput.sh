#!/usr/bin/env bash
# .xlsx conversion against the CSV conversion of the same real addresses:
# COUNT addresses are written once as a one-column Shift-JIS CSV file and as
# a one-column .xlsx workbook (openpyxl), then both are converted with
# `zelko7 convert`; prints the times, their ratio and the peak memory of the
# workbook run.
set -euo pipefail
bin=$1; data=$2; count=${3:-200000}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
"$bin/make_addresses" "$data/ken_all.zip" "$count" > "$work/addresses.txt"
iconv -f UTF-8 -t CP932 "$work/addresses.txt" > "$work/addresses.csv"
/usr/bin/python3 - "$work/addresses.txt" "$work/addresses.xlsx" <<'PY'
import sys
from openpyxl import Workbook
wb = Workbook(write_only=True)
ws = wb.create_sheet("住所")
with open(sys.argv[1], encoding="utf-8") as f:
    for line in f:
        ws.append([line.rstrip("\n")])
wb.save(sys.argv[2])
PY
common=(--mode 7 --no-error-file --no-max-errors --yes)
# Wall seconds and peak resident kilobytes of a command (GNU time).
measure() { /usr/bin/time -f '%e %M' -o "$work/time" "$@" > /dev/null; cat "$work/time"; }
read -r csv csvMemory < <(measure "$bin/zelko7" convert csv --source "$work/addresses.csv" \
    --dest "$work/out.csv" --fields 1 "${common[@]}")
read -r xlsx xlsxMemory < <(measure "$bin/zelko7" convert excel --source "$work/addresses.xlsx" \
    --dest "$work/out.xlsx" --sheet 住所 --columns A --dest-column B "${common[@]}")
size=$(stat -c %s "$work/addresses.xlsx")
awk -v n="$count" -v c="$csv" -v cm="$csvMemory" -v x="$xlsx" -v m="$xlsxMemory" -v s="$size" 'BEGIN {
    printf "CSV:   %d records in %.2f s = %.0f records/s, peak memory %.1f MB\n", n, c, n / c, cm / 1024
    printf "xlsx:  %d rows in %.2f s = %.0f rows/s (%.2f times the CSV run)\n", n, x, n / x, x / c
    printf "xlsx:  workbook %.1f MB, peak memory %.1f MB\n", s / 1048576, m / 1024 }'
