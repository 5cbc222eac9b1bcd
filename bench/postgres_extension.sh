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

# The machine may be shared: besides the wall-clock time each figure gives the
# processor time it took (the command's own, and that of the server's
# backends and workers, which the postmaster collects when they end), and
# from it a bound on the rows per second two free cores would give (the
# processor rate times the processes that work at once, at most two, as if
# they scaled perfectly).
ticks=$(getconf CLK_TCK)
postmaster=$(head -n 1 "$work/data/postmaster.pid")
server_cpu() { awk -v t="$ticks" '{ printf "%.3f", ($14 + $15 + $16 + $17) / t }' "/proc/$postmaster/stat"; }
measure() {  # COMMAND...: "wall-seconds cpu-seconds"
    local before after wall user system
    before=$(server_cpu)
    TIMEFORMAT='%R %U %S'
    { time "$@" > /dev/null || exit 1; } 2> "$work/time"
    sleep 0.5  # the session's backend ends and is collected
    after=$(server_cpu)
    read -r wall user system < <(tail -n 1 "$work/time")
    awk -v w="$wall" -v u="$user" -v s="$system" -v b="$before" -v a="$after" \
        'BEGIN { printf "%.3f %.3f", w, u + s + a - b }'
}
cli=$(measure sh -c "'$bin/keszip' lookup --threads 2 < '$work/addresses.txt' 2>/dev/null")
parallel_settings="SET max_parallel_workers_per_gather = 2; SET parallel_setup_cost = 0;
                   SET min_parallel_table_scan_size = 0;"
query="SELECT count(*) FROM customers WHERE keszip_code(address) <> ''"
"${psql[@]}" -c "$parallel_settings" -c "EXPLAIN $query" | grep -q "Workers Planned: 2" ||
    { echo "the SELECT is not planned with 2 workers" >&2; exit 1; }
# Warm: every backend and worker opens its handle once; the table is cached.
"${psql[@]}" -c "SELECT count(*) FROM customers" > /dev/null
parallel=$(measure "${psql[@]}" -c "$parallel_settings" -c "$query")
serial=$(measure "${psql[@]}" -c "SET max_parallel_workers_per_gather = 0" -c "$query")
update=$(measure "${psql[@]}" -c "UPDATE customers SET zip = keszip_code(address)")
placed=$("${psql[@]}" -c "SELECT count(*) FROM customers WHERE zip <> ''")
awk -v n="$count" -v placed="$placed" -v cli="$cli" -v parallel="$parallel" -v serial="$serial" \
    -v update="$update" 'BEGIN {
    printf "%d real addresses, %d placed; rows/s by the clock, rows per processor-second, and\n", n, placed
    printf "at most what two free cores give (processor rate x the processes working at once, up to 2)\n"
    line("keszip lookup --threads 2", cli, 2)
    line("parallel SELECT count(*) WHERE keszip_code(address) <> \047\047 (2 workers)", parallel, 2)
    line("the same SELECT on one backend", serial, 1)
    line("UPDATE customers SET zip = keszip_code(address)", update, 1) }
function line(name, figures, processes,   f) {
    split(figures, f, " ")
    printf "%-72s %6.2f s %8.0f rows/s, %6.2f cpu-s %8.0f rows/cpu-s, <= %8.0f rows/s on 2 cores\n",
           name, f[1], n / f[1], f[2], n / f[2], n / f[2] * processes }'
