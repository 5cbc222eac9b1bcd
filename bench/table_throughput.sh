#!/usr/bin/env bash
# A database table converted in place against the CSV run of the same
# addresses: COUNT real addresses go into a SQLite table and into a CSV file,
# then `zelko7 convert table` and `zelko7 convert csv` each convert them once.
# The table run may take at most twice as long as the CSV run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$1; data=$2; count=${3:-100000}
python=/usr/bin/python3
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
"$bin/make_addresses" "$data/ken_all.zip" "$count" > "$work/addresses.txt"
iconv -f UTF-8 -t CP932 "$work/addresses.txt" > "$work/addresses.csv"
"$python" - "$work/addresses.txt" "$work/addresses.db" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[2])
db.execute("CREATE TABLE addresses (id INTEGER PRIMARY KEY, address TEXT, zip VARCHAR(8))")
with open(sys.argv[1], encoding="utf-8") as lines:
    db.executemany("INSERT INTO addresses (address) VALUES (?)", ((l.rstrip("\n"),) for l in lines))
db.commit()
PY
source "$here/csv_reference.sh"
csv=$(csv_seconds "$bin" "$work")
table=$(seconds "$bin/zelko7" convert table --database "$work/addresses.db" --table addresses \
        --fields address --dest-field zip "${common[@]}")
written=$("$python" -c "import sqlite3,sys; print(sqlite3.connect(sys.argv[1]).execute(
    'SELECT count(*) FROM addresses WHERE zip IS NOT NULL').fetchone()[0])" "$work/addresses.db")
placed=$(grep -vc '^,' "$work/out.csv" || true)
awk -v n="$count" -v c="$csv" -v t="$table" -v w="$written" -v p="$placed" 'BEGIN {
    printf "zelko7 convert csv:   %d records in %.2f s = %.0f records/s (%d placed)\n", n, c, n / c, p
    printf "zelko7 convert table: %d records in %.2f s = %.0f records/s (%d written)\n", n, t, n / t, w
    printf "table / csv: %.2f (at most 2)\n", t / c
    exit (t <= 2 * c && w == p) ? 0 : 1 }'
