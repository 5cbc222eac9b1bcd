#!/usr/bin/env bash
# The Windows stage of the tests: the cross-built programs and libraries run
# under Wine (LANG=ja_JP.UTF-8, code page 932 inside Wine) and their output
# is compared with the Linux build's. Every check reads output: Wine can exit
# 0 having run nothing.
#
#   tests/windows/run_windows_tests.sh SOURCE_DIR LINUX_BUILD WIN64_BUILD WIN32_BUILD DATA_DIR
set -uo pipefail
source_dir=$(cd "$1" && pwd)
linux_bin=$(cd "$2/bin" && pwd)
win64=$(cd "$3" && pwd)
win32=$(cd "$4" && pwd)
data=$(cd "$5" 2>/dev/null && pwd || echo "$5")
work=$win64/windows-tests
rm -rf "$work"
mkdir -p "$work"

export WINEPREFIX=$win64/wine-prefix WINEDEBUG=-all LANG=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
wine64=${WINE64:-/usr/lib/wine/wine64}
wine32=${WINE32:-/usr/lib/wine/wine}
wineserver=${WINESERVER:-/usr/lib/wine/wineserver64}
passed=0
failed=0
skipped=0
pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failed=$((failed + 1)); [ -n "${2:-}" ] && sed 's/^/    /' "$2" | head -40; }
skip() { echo "SKIP: $1"; skipped=$((skipped + 1)); }

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Setting up the Wine prefix in $WINEPREFIX"
    "$wine64" wineboot -i > "$win64/wine-prefix.log" 2>&1
fi
"$wineserver" -w 2>/dev/null || true
# 32-bit programs need a kernel that runs 32-bit code and wine32.
can_run_32=0
"$wine32" --version > /dev/null 2>&1 && can_run_32=1

# 1. Every function of the headers under its plain name, in both builds.
for build in "$win32" "$win64"; do
    for pair in keszip:engine/include/keszip.h kesbar:barcode/include/kesbar.h \
                Custom:setup-helper/include/custom.h; do
        dll=${pair%%:*}
        header=$source_dir/${pair#*:}
        exports=$work/exports-$(basename "$build")-$dll.txt
        LC_ALL=C x86_64-w64-mingw32-objdump -p "$build/bin/$dll.dll" |
            sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk 'NR > 1 {print $NF}' > "$exports"
        missing=$(grep -oE '_CALL [A-Za-z0-9_]+\(' "$header" | sed 's/_CALL //; s/($//' |
                  while read -r name; do grep -qx "$name" "$exports" || echo "$name"; done)
        count=$(grep -oE '_CALL [A-Za-z0-9_]+\(' "$header" | wc -l)
        if [ "$count" -gt 0 ] && [ -z "$missing" ]; then
            pass "$(basename "$build")/bin/$dll.dll exports the $count functions of $(basename "$header") by plain name"
        else
            echo "$missing" > "$work/missing.txt"
            fail "$(basename "$build")/bin/$dll.dll lacks plain-name exports" "$work/missing.txt"
        fi
    done
done

# The dictionaries of the Linux build beside the Windows programs.
have_dictionaries=0
if [ -f "$linux_bin/KESZIP.DIC" ]; then
    have_dictionaries=1
    for build in "$win32" "$win64"; do
        cp "$linux_bin"/KESZIP.DIC "$linux_bin"/KESZIP.TBL "$linux_bin"/KESZIP.PRM \
           "$linux_bin"/KESCMP.DIC "$linux_bin"/KESTEL.DIC "$build/bin/"
    done
fi

# 2. The engine's, the platform's and the conversion core's tests.
for test in test_windows_platform test_windows_engine test_windows_converter test_windows_custom; do
    log=$work/$test.log
    # Files of Linux-only behaviour (/dev/full) are left out by name.
    (cd "$win64/bin" && "$wine64" "./$test.exe" --gtest_filter='-*DevFull*:*Device*' > "$log" 2>&1)
    if grep -q '^\[  PASSED  \]' "$log" && ! grep -q '^\[  FAILED  \]' "$log"; then
        pass "$test: $(grep '^\[  PASSED  \]' "$log" | sed 's/.*PASSED  \] //')"
    else
        fail "$test" <(grep -E '^\[  FAILED  \]|Failure|error' "$log" | head -40)
    fi
done

# 3. The caller of a macro: LoadLibrary, GetProcAddress by plain name, stdcall.
expected_caller='KesZipOpen 1
GetZe7DllVersion 1.5.1.7
zelko7 1 1000001
SetHyphenMode 1
zelko57 1 530    530-0001 1
GetJisCodeNow 5 27127
Custom DspHook DspUnHook SetDate'
for build in "$win64" "$win32"; do
    name=$(basename "$build")
    if [ "$have_dictionaries" = 0 ]; then
        skip "$name stdcall caller: no dictionaries (no source data)"
        continue
    fi
    if [ "$build" = "$win32" ] && [ "$can_run_32" = 0 ]; then
        skip "$name stdcall caller: this machine cannot run 32-bit programs ($wine32 does not start)"
        continue
    fi
    loader=$wine64
    [ "$build" = "$win32" ] && loader=$wine32
    out=$work/caller-$name.txt
    (cd "$build/bin" && "$loader" ./stdcall_caller.exe 2>&1 | tr -d '\r' > "$out")
    if [ "$(grep -v '^KesBarStr' "$out")" = "$expected_caller" ] && grep -q '^KesBarStr [0-9] \[STC\]1000001' "$out"; then
        pass "$name stdcall caller: keszip.dll, kesbar.dll and Custom.dll by plain name"
    else
        fail "$name stdcall caller" "$out"
    fi
done

if [ ! -f "$data/ken_all.zip" ] || [ "$have_dictionaries" = 0 ]; then
    skip "real-data comparisons: no source data in $data"
else
    # 4. keszip-mkdic.exe writes the same dictionaries as the Linux builder.
    mkdir -p "$work/dic"
    (cd "$win64/bin" && "$wine64" ./keszip-mkdic.exe --ken-all "Z:$data/ken_all.zip" \
        --jigyosyo "Z:$data/jigyosyo.zip" --telephone "Z:$data/telephone" \
        --out "Z:$work/dic" > "$work/mkdic.log" 2>&1)
    different=""
    for file in KESZIP.DIC KESZIP.TBL KESZIP.PRM KESCMP.DIC KESTEL.DIC; do
        cmp -s "$work/dic/$file" "$linux_bin/$file" || different="$different $file"
    done
    if [ -z "$different" ]; then
        pass "keszip-mkdic.exe: the five dictionary files equal the Linux ones byte for byte"
    else
        fail "keszip-mkdic.exe: differs in$different" "$work/mkdic.log"
    fi

    # 5. keszip.exe lookup over 10,000 real addresses, as on Linux.
    unzip -p "$data/ken_all.zip" | iconv -f CP932 -t UTF-8 |
        awk -F, 'NR % 12 == 1 { gsub(/"/, ""); print $7 $8 $9 }' | head -n 10000 \
        > "$work/addresses.txt"
    "$linux_bin/keszip" lookup < "$work/addresses.txt" > "$work/lookup-linux.txt" 2>&1
    (cd "$win64/bin" && "$wine64" ./keszip.exe lookup < "$work/addresses.txt" 2>&1 |
        tr -d '\r' > "$work/lookup-windows.txt")
    lines=$(wc -l < "$work/lookup-windows.txt")
    if [ "$lines" -eq 10000 ] && cmp -s "$work/lookup-linux.txt" "$work/lookup-windows.txt"; then
        pass "keszip.exe lookup: 10000 real addresses, the same output as Linux"
    else
        fail "keszip.exe lookup ($lines lines)" \
            <(diff "$work/lookup-linux.txt" "$work/lookup-windows.txt" | head -20)
    fi

    # 6. zelko7.exe convert csv and excel write the same files as Linux.
    { head -n 3000 "$work/addresses.txt"; echo "どこでもない"; } | awk '{ print NR "," $0 ",x" }' |
        iconv -f UTF-8 -t CP932 > "$work/in.csv"
    csv_options=(--fields 2 --mode 7 --hyphen --marker NG --no-max-errors --yes)
    (cd "$work" && "$linux_bin/zelko7" convert csv --source in.csv --dest out-linux.csv \
        --error-file err-linux.txt "${csv_options[@]}" > csv-linux.log 2>&1)
    (cd "$work" && "$wine64" "$win64/bin/zelko7.exe" convert csv --source in.csv \
        --dest out-windows.csv --error-file err-windows.txt "${csv_options[@]}" \
        > csv-windows.log 2>&1)
    if [ -s "$work/out-linux.csv" ] && cmp -s "$work/out-linux.csv" "$work/out-windows.csv" &&
       cmp -s "$work/err-linux.txt" "$work/err-windows.txt"; then
        pass "zelko7.exe convert csv: 3001 records, destination and error file as on Linux"
    else
        fail "zelko7.exe convert csv" "$work/csv-windows.log"
    fi

    book=$source_dir/tests/fixtures/workbooks/xlwt_book.xls
    excel_options=(--sheet 住所録 --columns D,B --dest-column F --mode 7 --no-hyphen
                   --no-error-file --no-max-errors --yes)
    (cd "$work" && "$linux_bin/zelko7" convert excel --source "$book" --dest out-linux.xls \
        "${excel_options[@]}" > xls-linux.log 2>&1)
    (cd "$work" && "$wine64" "$win64/bin/zelko7.exe" convert excel --source "Z:$book" \
        --dest out-windows.xls "${excel_options[@]}" > xls-windows.log 2>&1)
    # The container is each system's own (libgsf, ole32); the workbook in it
    # must be the same: every sheet's cells read back equal.
    # Each side also reads the other's container: the copies of the copies agree.
    (cd "$work" && "$linux_bin/zelko7" convert excel --source out-windows.xls \
        --dest again-linux.xls "${excel_options[@]}" >> xls-linux.log 2>&1)
    (cd "$work" && "$wine64" "$win64/bin/zelko7.exe" convert excel --source out-linux.xls \
        --dest again-windows.xls "${excel_options[@]}" >> xls-windows.log 2>&1)
    compare=/usr/bin/python3
    if "$compare" "$source_dir/tests/windows/same_workbook.py" "$work/out-linux.xls" \
           "$work/out-windows.xls" > "$work/xls-compare.txt" 2>&1 &&
       "$compare" "$source_dir/tests/windows/same_workbook.py" "$work/again-linux.xls" \
           "$work/again-windows.xls" >> "$work/xls-compare.txt" 2>&1 &&
       "$compare" "$source_dir/tests/windows/same_workbook.py" "$work/out-linux.xls" \
           "$work/again-windows.xls" >> "$work/xls-compare.txt" 2>&1; then
        pass "zelko7.exe convert excel: the same workbook as on Linux, each reading the other's"
    else
        fail "zelko7.exe convert excel" <(cat "$work/xls-windows.log" "$work/xls-compare.txt")
    fi
fi

"$wineserver" -k 2>/dev/null || true
echo "Windows: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
