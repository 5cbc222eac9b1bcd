#!/usr/bin/env bash
# A PostgreSQL table converted in place through ODBC: a private server is
# started in a temporary folder on a free port (as the user nobody when run
# as root), COUNT real addresses are loaded, `zelko7 convert table` converts
# them and the CSV run of the same addresses is timed beside it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd); data=$2; count=${3:-20000}
pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
driver=$(ls /usr/lib/*/odbc/psqlodbcw.so /usr/lib/odbc/psqlodbcw.so 2>/dev/null | head -n 1 || true)
[ -n "$pgbin" ] && [ -n "$driver" ] || { echo "needs the packages postgresql and odbc-postgresql" >&2; exit 1; }
work=$(mktemp -d /tmp/keszip-pgbench-XXXXXX)
as=(); if [ "$(id -u)" -eq 0 ]; then chown nobody "$work"; as=(runuser -u nobody --); fi
cd "$work"
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"${as[@]}" "$pgbin/initdb" -D "$work/data" -U zelko --auth=trust -E UTF8 --no-locale --no-sync > /dev/null
"${as[@]}" "$pgbin/pg_ctl" -D "$work/data" -l "$work/log" -w \
    -o "-p $port -k $work -c listen_addresses=127.0.0.1" start > /dev/null
trap '"${as[@]}" "$pgbin/pg_ctl" -D "$work/data" -m fast -w stop > /dev/null; cd /; rm -rf "$work"' EXIT
psql=("$pgbin/psql" -X -q -A -t -h 127.0.0.1 -p "$port" -U zelko -d postgres)
"$bin/make_addresses" "$data/ken_all.zip" "$count" > "$work/addresses.txt"
iconv -f UTF-8 -t CP932 "$work/addresses.txt" > "$work/addresses.csv"
"${psql[@]}" -c "CREATE TABLE addresses (id serial PRIMARY KEY, address text, zip varchar(8))"
"${psql[@]}" -c "\\copy addresses (address) FROM '$work/addresses.txt'"
source "$here/csv_reference.sh"
csv=$(csv_seconds "$bin" "$work")
connection="odbc:DRIVER=$driver;SERVER=127.0.0.1;PORT=$port;DATABASE=postgres;UID=zelko;PWD=;"
table=$(seconds "$bin/zelko7" convert table --database "$connection" --table addresses \
        --fields address --dest-field zip "${common[@]}")
written=$("${psql[@]}" -c "SELECT count(*) FROM addresses WHERE zip IS NOT NULL")
awk -v n="$count" -v c="$csv" -v t="$table" -v w="$written" 'BEGIN {
    printf "zelko7 convert csv:              %d records in %.2f s = %.0f records/s\n", n, c, n / c
    printf "zelko7 convert table (ODBC, pg): %d records in %.2f s = %.0f records/s (%d written)\n", n, t, n / t, w
    printf "table / csv: %.2f\n", t / c }'
