#!/usr/bin/env bash
# Rows per second of the Python module and of the Dask recipe against
# `keszip lookup`, on COUNT real addresses: `lookup_many` on one process
# against one thread (target at least 0.8 times), the recipe on 2 worker
# processes against 2 threads (target at least 0.6 times, the cluster's start
# timed apart). Every run's answers must equal the command line's.
# Usage: python_throughput.sh BIN_DIR PYTHON_DIR DATA_DIR [COUNT]
set -euo pipefail
bin=$(cd "$1" && pwd); pydir=$(cd "$2" && pwd); data=$3; count=${4:-1000000}
root=$(cd "$(dirname "$0")/.." && pwd)
python=/usr/bin/python3
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
"$bin/make_addresses" "$data/ken_all.zip" "$count" > "$work/addresses.txt"
awk '{ print NR ",\"" $0 "\"" }' "$work/addresses.txt" > "$work/addresses.csv"
echo "load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

# keszip lookup with $1 threads: prints "wall cpu" in seconds.
cli() {
    /usr/bin/time -f "%e %U %S" -o "$work/time" "$bin/keszip" lookup --threads "$1" \
        < "$work/addresses.txt" > "$work/cli$1.txt"
    awk '{ printf "%.3f %.3f", $1, $2 + $3 }' "$work/time"
}
read -r cli1_wall cli1_cpu <<<"$(cli 1)"
read -r cli2_wall cli2_cpu <<<"$(cli 2)"
cmp -s "$work/cli1.txt" "$work/cli2.txt" || { echo "keszip lookup: threads differ" >&2; exit 1; }

# lookup_many on one engine, the list read beforehand and the engine open.
read -r many_wall many_cpu <<<"$(PYTHONPATH="$pydir" "$python" - "$work" <<'PY'
import sys, time, keszip
work = sys.argv[1]
lines = open(f"{work}/addresses.txt", encoding="utf-8").read().splitlines()
engine = keszip.Engine()
engine.lookup(lines[0])
wall, cpu = time.perf_counter(), time.process_time()
results = engine.lookup_many(lines)
wall, cpu = time.perf_counter() - wall, time.process_time() - cpu
with open(f"{work}/many.txt", "w", encoding="utf-8") as out:
    out.writelines("\t".join(map(str, r)) + "\n" for r in results)
print(f"{wall:.3f} {cpu:.3f}")
PY
)"
cmp -s "$work/cli1.txt" "$work/many.txt" || { echo "lookup_many: answers differ" >&2; exit 1; }

# The Dask recipe with 2 workers; it prints its cluster start and its run apart.
PYTHONPATH="$pydir" "$python" "$root/examples/dask_postal_codes.py" "$work/addresses.csv" \
    "$work/dask.csv" --column 2 --encoding utf-8 --workers 2 2> "$work/dask.log" ||
    { cat "$work/dask.log" >&2; exit 1; }
start=$(sed -n 's/^cluster of .* started in \([0-9.]*\) s$/\1/p' "$work/dask.log")
dask_wall=$(sed -n 's/^.* written in \([0-9.]*\) s = .*$/\1/p' "$work/dask.log")
dask_cpu=$(sed -n 's/^.* processor time \([0-9.]*\) s$/\1/p' "$work/dask.log")
cut -d, -f3- "$work/dask.csv" | tr ',' '\t' | cmp -s - "$work/cli1.txt" ||
    { echo "Dask recipe: answers differ" >&2; exit 1; }

awk -v n="$count" -v c1w="$cli1_wall" -v c1c="$cli1_cpu" -v c2w="$cli2_wall" -v c2c="$cli2_cpu" \
    -v mw="$many_wall" -v mc="$many_cpu" -v dw="$dask_wall" -v dc="$dask_cpu" -v ds="$start" 'BEGIN {
    printf "keszip lookup --threads 1: %d rows in %.2f s = %.0f rows/s (%.2f s CPU)\n", n, c1w, n / c1w, c1c
    printf "keszip lookup --threads 2: %d rows in %.2f s = %.0f rows/s (%.2f s CPU)\n", n, c2w, n / c2w, c2c
    printf "lookup_many, one process:  %d rows in %.2f s = %.0f rows/s (%.2f s CPU)\n", n, mw, n / mw, mc
    printf "  %.2fx of --threads 1 (target 0.8x); by CPU time %.2fx\n", c1w / mw, c1c / mc
    printf "Dask recipe, 2 workers:    %d rows in %.2f s = %.0f rows/s (%.2f s CPU), CSV read and written (cluster start %.2f s apart)\n", n, dw, n / dw, dc, ds
    printf "  %.2fx of --threads 2 (target 0.6x); by CPU time %.2fx\n", c2w / dw, c2c / dc
    printf "all answers equal to keszip lookup\n" }'
echo "load average after the runs: $(cut -d' ' -f1-3 /proc/loadavg)"
