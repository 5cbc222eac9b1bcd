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

# DspHook and DspUnHook on a window of the test's own, which needs a display:
# a virtual one of 1152 x 864 (the decoration's design size) with a Wine
# server of its own that ends with it; without xvfb-run, Wine's null display
# driver (1024 x 768, painting into memory), set for this run only.
log=$work/test_windows_custom_hook.log
"$wineserver" -k 2>/dev/null || true
if command -v xvfb-run > /dev/null 2>&1; then
    display="a virtual display"
    (cd "$win64/bin" && xvfb-run -a -s '-screen 0 1152x864x24' \
        sh -c "'$wine64' ./test_windows_custom_hook.exe; '$wineserver' -k" > "$log" 2>&1)
else
    display="Wine's null display driver"
    drivers='HKCU\Software\Wine\Drivers'
    "$wine64" reg add "$drivers" /v Graphics /d null /f > /dev/null 2>&1
    "$wineserver" -w 2>/dev/null || true  # the next program must find the driver set
    (cd "$win64/bin" && DISPLAY= "$wine64" ./test_windows_custom_hook.exe > "$log" 2>&1)
    "$wine64" reg delete "$drivers" /v Graphics /f > /dev/null 2>&1
    "$wineserver" -k 2>/dev/null || true
fi
if grep -q '^\[  PASSED  \]' "$log" && ! grep -q '^\[  FAILED  \]' "$log"; then
    pass "test_windows_custom_hook (on $display): $(grep '^\[  PASSED  \]' "$log" | sed 's/.*PASSED  \] //')"
else
    fail "test_windows_custom_hook (on $display)" <(grep -E '^\[  FAILED  \]|Failure|error|Expected|Which is' "$log" | head -40)
fi

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

# convert table through ODBC under Wine against the Linux build, over a
# PostgreSQL server started here (as the user nobody when run as root: the
# server refuses root).
odbc_test() {
    local pg driver root port as_server=() i
    pg=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
    driver=$(ls /usr/lib/*/odbc/psqlodbcw.so 2>/dev/null | head -1)
    if [ -z "$pg" ] || [ -z "$driver" ]; then
        skip "zelko7.exe convert table (ODBC): needs the Debian packages postgresql and odbc-postgresql"
        return
    fi
    root=$(mktemp -d /tmp/keszip-wine-pg-XXXXXX)
    if [ "$(id -u)" -eq 0 ]; then
        chown nobody "$root"
        as_server=(runuser -u nobody --)
    fi
    port=$(( 20000 + RANDOM % 20000 ))
    (cd "$root" && "${as_server[@]}" "$pg/initdb" -D "$root/data" -U zelko --auth=trust -E UTF8 \
        --no-locale --no-sync > "$work/pg.log" 2>&1 &&
        "${as_server[@]}" "$pg/pg_ctl" -D "$root/data" -l "$root/log" -w -t 60 \
        -o "-p $port -k $root -c listen_addresses=127.0.0.1 -c fsync=off" start >> "$work/pg.log" 2>&1)
    psql() { "$pg/psql" -X -q -A -t -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" -U zelko -d postgres "$@"; }
    {
        for side in linux windows; do
            echo "CREATE TABLE 顧客_$side (id serial PRIMARY KEY, 住所 text, 郵便番号 varchar(8) DEFAULT 'old');"
            echo "INSERT INTO 顧客_$side (住所) VALUES"
            head -n 1000 "$work/addresses.txt" | sed "s/'/''/g; s/.*/('&'),/"
            echo "('どこでもない');"
        done
    } > "$work/odbc.sql"
    psql -f "$work/odbc.sql" >> "$work/pg.log" 2>&1
    local database="odbc:DRIVER=$driver;SERVER=127.0.0.1;PORT=$port;DATABASE=postgres;UID=zelko;PWD=;"
    local options=(--fields 住所 --dest-field 郵便番号 --mode 7 --hyphen --no-max-errors --yes)
    (cd "$work" && "$linux_bin/zelko7" convert table --database "$database" --table 顧客_linux \
        --error-file odbc-err-linux.txt "${options[@]}" > odbc-linux.log 2>&1)
    (cd "$work" && "$wine64" "$win64/bin/zelko7.exe" convert table --database "$database" \
        --table 顧客_windows --error-file odbc-err-windows.txt "${options[@]}" > odbc-windows.log 2>&1)
    for side in linux windows; do
        psql -c "SELECT id || ':' || coalesce(郵便番号, '-') FROM 顧客_$side ORDER BY id" \
            > "$work/odbc-$side.txt" 2>&1
    done
    local placed
    placed=$(grep -c -- '-[0-9]' "$work/odbc-linux.txt" || true)
    if [ "$placed" -gt 800 ] && cmp -s "$work/odbc-linux.txt" "$work/odbc-windows.txt" &&
       cmp -s "$work/odbc-err-linux.txt" "$work/odbc-err-windows.txt"; then
        pass "zelko7.exe convert table (ODBC, Wine's odbc32 and unixODBC): 1001 records, $placed codes, as on Linux"
    else
        fail "zelko7.exe convert table (ODBC) ($placed codes on Linux)" \
            <(cat "$work/pg.log" "$work/odbc-windows.log"
              diff "$work/odbc-linux.txt" "$work/odbc-windows.txt" | head)
    fi
    (cd "$root" && "${as_server[@]}" "$pg/pg_ctl" -D "$root/data" -m immediate -w stop > /dev/null 2>&1)
    rm -rf "$root"
}

if [ ! -f "$data/ken_all.zip" ] || [ "$have_dictionaries" = 0 ]; then
    skip "real-data comparisons: no source data in $data"
else
    # 4. keszip-mkdic.exe writes the same dictionaries as the Linux builder.
    mkdir -p "$work/dic"
    # With the same inputs as the Linux build's: the table of municipal
    # changes and the earlier editions' town names, in the same order.
    former=()
    for edition in $(ls "$data"/editions/*.zip 2>/dev/null | LC_ALL=C sort); do
        former+=(--former "Z:$edition")
    done
    (cd "$win64/bin" && "$wine64" ./keszip-mkdic.exe --ken-all "Z:$data/ken_all.zip" \
        --jigyosyo "Z:$data/jigyosyo.zip" --telephone "Z:$data/telephone" \
        --municipal-changes "Z:$source_dir/tools/mkdic/data/municipal_changes.csv" \
        "${former[@]}" --out "Z:$work/dic" > "$work/mkdic.log" 2>&1)
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

    # 7. .xlsx: a book of real addresses and the fixture with formulas, a chart
    # sheet and merged cells; the same workbook as Linux writes, and each side
    # reads the other's.
    "$compare" - "$work/addresses.txt" "$work/addresses.xlsx" <<'PY'
import sys
from openpyxl import Workbook
book = Workbook()
sheet = book.active
sheet.title = "住所録"
sheet.append(["番号", "番地", "電話", "住所", "備考", "郵便番号"])
with open(sys.argv[1], encoding="utf-8") as lines:
    for number, line in enumerate(lines):
        if number == 2000:
            break
        sheet.append([number + 1, None, None, line.rstrip("\n"), None, None])
sheet.append([2001, None, None, "どこでもない", None, None])
book.save(sys.argv[2])
PY
    xlsx_options=(--sheet 住所録 --columns D,B --dest-column F --mode 7 --hyphen
                  --no-error-file --no-max-errors --yes)
    xlsx_failed=""
    for book in "$work/addresses.xlsx" "$source_dir/tests/fixtures/xlsx/openpyxl_book.xlsx"; do
        name=$(basename "$book" .xlsx)
        (cd "$work" && "$linux_bin/zelko7" convert excel --source "$book" --dest "$name-linux.xlsx" \
            "${xlsx_options[@]}" > "$name-linux.log" 2>&1)
        (cd "$work" && "$wine64" "$win64/bin/zelko7.exe" convert excel --source "Z:$book" \
            --dest "$name-windows.xlsx" "${xlsx_options[@]}" > "$name-windows.log" 2>&1)
        (cd "$work" && "$linux_bin/zelko7" convert excel --source "$name-windows.xlsx" \
            --dest "$name-again-linux.xlsx" "${xlsx_options[@]}" >> "$name-linux.log" 2>&1)
        (cd "$work" && "$wine64" "$win64/bin/zelko7.exe" convert excel --source "$name-linux.xlsx" \
            --dest "$name-again-windows.xlsx" "${xlsx_options[@]}" >> "$name-windows.log" 2>&1)
        for pair in "linux windows" "again-linux again-windows" "linux again-windows"; do
            set -- $pair
            "$compare" "$source_dir/tests/windows/same_workbook.py" "$work/$name-$1.xlsx" \
                "$work/$name-$2.xlsx" >> "$work/xlsx-compare.txt" 2>&1 || xlsx_failed="$xlsx_failed $name"
        done
    done
    if [ -z "$xlsx_failed" ]; then
        pass "zelko7.exe convert excel (.xlsx): the same workbooks as on Linux, each reading the other's"
    else
        fail "zelko7.exe convert excel (.xlsx):$xlsx_failed" \
            <(cat "$work"/*-windows.log "$work/xlsx-compare.txt")
    fi

    # 8. convert table over SQLite: the same table and error file as on Linux.
    "$compare" - "$work/addresses.txt" "$work/table-linux.db" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[2])
db.execute("CREATE TABLE 住所録 (id INTEGER PRIMARY KEY, 住所 TEXT, 郵便番号 VARCHAR(8))")
with open(sys.argv[1], encoding="utf-8") as lines:
    rows = [line.rstrip("\n") for line in lines][:3000] + ["どこでもない"]
db.executemany("INSERT INTO 住所録 (住所) VALUES (?)", ((row,) for row in rows))
db.commit()
PY
    cp "$work/table-linux.db" "$work/table-windows.db"
    table_options=(--table 住所録 --fields 住所 --dest-field 郵便番号 --mode 7 --hyphen
                   --no-max-errors --yes --backup)
    (cd "$work" && "$linux_bin/zelko7" convert table --database table-linux.db \
        --error-file table-err-linux.txt "${table_options[@]}" > table-linux.log 2>&1)
    (cd "$work" && "$wine64" "$win64/bin/zelko7.exe" convert table --database table-windows.db \
        --error-file table-err-windows.txt "${table_options[@]}" > table-windows.log 2>&1)
    dump_table() {
        "$compare" -c "import sqlite3, sys
for row in sqlite3.connect(sys.argv[1]).execute('SELECT id, 郵便番号 FROM 住所録 ORDER BY id'):
    print(*row)" "$1"
    }
    dump_table "$work/table-linux.db" > "$work/table-linux.txt" 2>&1
    dump_table "$work/table-windows.db" > "$work/table-windows.txt" 2>&1
    placed=$(grep -c -- '-' "$work/table-linux.txt" || true)
    if [ "$placed" -gt 2500 ] && cmp -s "$work/table-linux.txt" "$work/table-windows.txt" &&
       cmp -s "$work/table-err-linux.txt" "$work/table-err-windows.txt" &&
       [ -s "$work/table-windows.db.BKP" ] && cmp -s "$work/table-linux.db.BKP" "$work/table-windows.db.BKP"; then
        pass "zelko7.exe convert table (SQLite): 3001 records, $placed codes, table, error file and backup copy as on Linux"
    else
        fail "zelko7.exe convert table (SQLite) ($placed codes on Linux)" \
            <(cat "$work/table-windows.log"; diff "$work/table-linux.txt" "$work/table-windows.txt" | head)
    fi

    # 9. convert table through ODBC: Wine's odbc32 hands the calls to the
    # system's unixODBC, which loads the PostgreSQL driver named in the
    # connection text; the server runs here, in a folder of its own.
    odbc_test
fi

"$wineserver" -k 2>/dev/null || true
echo "Windows: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
