#!/usr/bin/env bash
# Opens every workbook a test program writes with LibreOffice (headless, CSV
# export of each sheet, UTF-8) and compares each sheet with what a Python
# reader reads from the same file.
#   interop.sh BIN                        the binary workbooks of test_converter_workbooks, xlrd
#   interop.sh BIN TEST EXTENSION COMPARE  another test program's workbooks
set -euo pipefail
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
test=${2:-test_converter_workbooks}; extension=${3:-xls}; compare=${4:-$here/interop_compare.py}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
mkdir -p "$work/books" "$work/csv"
KESZIP_INTEROP_DIR="$work/books" "$bin/$test" --gtest_brief=1 > "$work/tests.log" 2>&1 ||
    { tail -20 "$work/tests.log"; exit 1; }
count=0; failed=0; pairs=0
# 10th option true: formulas as their text.
formulas='csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,true,false,-1'
for book in "$work"/books/*."$extension"; do
    if [ -f "$book.source" ]; then
        # A converted copy and its source: alike but for the converted cells.
        name=$(basename "$book" ."$extension")
        mkdir -p "$work/pair/$name/source" "$work/pair/$name/copy"
        cp "$book.source" "$work/pair/$name/source/$name.$extension"
        for side in source copy; do
            from=$book; [ $side = source ] && from="$work/pair/$name/source/$name.$extension"
            soffice -env:UserInstallation="file://$work/profile" --headless --convert-to "$formulas" \
                --outdir "$work/pair/$name/$side" "$from" > /dev/null 2>&1 || true
        done
        if /usr/bin/python3 "$here/interop_formulas.py" "$book" "$work/pair/$name/source" \
            "$work/pair/$name/copy" "$book.changed"; then
            pairs=$((pairs + 1))
        else
            failed=$((failed + 1))
        fi
    fi
    name=$(basename "$book" ."$extension")
    mkdir -p "$work/csv/$name"
    # 44,34,76: comma, double quote, UTF-8; then every sheet into its own file.
    soffice -env:UserInstallation="file://$work/profile" --headless \
        --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' \
        --outdir "$work/csv/$name" "$book" > /dev/null 2>&1 || true
    if /usr/bin/python3 "$compare" "$book" "$work/csv/$name"; then
        count=$((count + 1))
    else
        failed=$((failed + 1))
    fi
done
echo "interop ($test): $count .$extension workbooks read alike by LibreOffice and the Python reader, $pairs copies with their sources' formulas, $failed differ"
[ "$failed" -eq 0 ] && [ "$count" -gt 0 ]
