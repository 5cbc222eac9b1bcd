#!/usr/bin/env bash
# The keszip PostgreSQL extension over COUNT real addresses on a private
# server (a temporary folder, a free port, the user nobody when run as root):
# UPDATE ... SET zip = keszip_code(address) (one backend), a parallel
# SELECT count(*) ... WHERE keszip_code(address) <> '' (two workers besides
# the leader) and the same SELECT on one backend, against
# `keszip lookup --threads 2` on the same addresses.
# Usage: postgres_extension.sh BUILD_DIR DATA_DIR [COUNT]
set -euo pipefail
build=$(cd "$1" && pwd); data=$2; count=${3:-1000000}
bin=$build/bin
script=$build/postgres/keszip_build_tree.sql
[ -f "$script" ] || { echo "no $script: build the target keszip_postgres (needs postgresql-server-dev-15)" >&2; exit 1; }
pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
[ -n "$pgbin" ] || { echo "needs the package postgresql" >&2; exit 1; }
work=$(mktemp -d /tmp/keszip-pgext-bench-XXXXXX)
as=(); if [ "$(id -u)" -eq 0 ]; then chown nobody "$work"; as=(runuser -u nobody --); fi
cd "$work"
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"${as[@]}" "$pgbin/initdb" -D "$work/data" -U zelko --auth=trust -E UTF8 --no-locale --no-sync > /dev/null
"${as[@]}" "$pgbin/pg_ctl" -D "$work/data" -l "$work/log" -w \
    -o "-p $port -k $work -c listen_addresses=127.0.0.1 -c fsync=off -c shared_buffers=256MB" \
    start > /dev/null
trap '"${as[@]}" "$pgbin/pg_ctl" -D "$work/data" -m fast -w stop > /dev/null; cd /; rm -rf "$work"' EXIT
psql=("$pgbin/psql" -X -q -A -t -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" -U zelko -d postgres)
"${psql[@]}" -f "$script"
"$bin/make_addresses" "$data/ken_all.zip" "$count" > "$work/addresses.txt"
"${psql[@]}" -c "CREATE TABLE customers (id serial PRIMARY KEY, address text, zip text)"
"${psql[@]}" -c "\\copy customers (address) FROM '$work/addresses.txt'"
"${psql[@]}" -c "VACUUM ANALYZE customers"

seconds() {  # COMMAND...: wall-clock seconds of the command
    local start end
    start=$(date +%s.%N); "$@" > /dev/null || exit 1; end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }'
}
cli=$(seconds sh -c "'$bin/keszip' lookup --threads 2 < '$work/addresses.txt' 2>/dev/null")
parallel_settings="SET max_parallel_workers_per_gather = 2; SET parallel_setup_cost = 0;
                   SET min_parallel_table_scan_size = 0;"
query="SELECT count(*) FROM customers WHERE keszip_code(address) <> ''"
"${psql[@]}" -c "$parallel_settings" -c "EXPLAIN $query" | grep -q "Workers Planned: 2" ||
    { echo "the SELECT is not planned with 2 workers" >&2; exit 1; }
# Warm: every backend and worker opens its handle once; the table is cached.
"${psql[@]}" -c "SELECT count(*) FROM customers" > /dev/null
parallel=$(seconds "${psql[@]}" -c "$parallel_settings" -c "$query")
serial=$(seconds "${psql[@]}" -c "SET max_parallel_workers_per_gather = 0" -c "$query")
update=$(seconds "${psql[@]}" -c "UPDATE customers SET zip = keszip_code(address)")
placed=$("${psql[@]}" -c "SELECT count(*) FROM customers WHERE zip <> ''")
awk -v n="$count" -v c="$cli" -v p="$parallel" -v s="$serial" -v u="$update" -v placed="$placed" 'BEGIN {
    printf "%d real addresses, %d placed\n", n, placed
    printf "keszip lookup --threads 2:                          %7.2f s = %8.0f rows/s\n", c, n / c
    printf "SELECT count(*) ... keszip_code, 2 workers + leader: %7.2f s = %8.0f rows/s (%.2fx the command line)\n", p, n / p, c / p
    printf "SELECT count(*) ... keszip_code, one backend:        %7.2f s = %8.0f rows/s\n", s, n / s
    printf "UPDATE ... SET zip = keszip_code(address):           %7.2f s = %8.0f rows/s\n", u, n / u }'
