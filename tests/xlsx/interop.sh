#!/usr/bin/env bash
# Opens every .xlsx copy the workbook tests write with LibreOffice (headless,
# CSV export of each sheet, UTF-8) and compares each sheet with what openpyxl
# reads from the same file.
set -euo pipefail
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
mkdir -p "$work/books" "$work/csv"
KESZIP_INTEROP_DIR="$work/books" "$bin/test_xlsx" --gtest_brief=1 > "$work/tests.log" 2>&1 ||
    { tail -20 "$work/tests.log"; exit 1; }
count=0; failed=0
for book in "$work"/books/*.xlsx; do
    name=$(basename "$book" .xlsx)
    mkdir -p "$work/csv/$name"
    soffice -env:UserInstallation="file://$work/profile" --headless \
        --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' \
        --outdir "$work/csv/$name" "$book" > /dev/null 2>&1 || true
    if /usr/bin/python3 "$here/interop_compare.py" "$book" "$work/csv/$name"; then
        count=$((count + 1))
    else
        failed=$((failed + 1))
    fi
done
echo "interop: $count .xlsx copies read alike by LibreOffice and openpyxl, $failed differ"
[ "$failed" -eq 0 ] && [ "$count" -gt 0 ]
