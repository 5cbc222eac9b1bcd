#!/usr/bin/env bash
# Addresses per second through `keszip lookup`, whole process included:
# COUNT real addresses are generated once, then looked up from standard input
# by one engine and by one engine per core. Both runs must print the same.
# Then the same through the CSV conversion, one engine against one per core.
set -euo pipefail
bin=$1; data=$2; count=${3:-1000000}; threads=${4:-$(nproc)}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
"$bin/make_addresses" "$data/ken_all.zip" "$count" > "$work/addresses.txt"

# Runs the lookup with $1 threads into $2 and prints the seconds it took.
run() {
    local start end
    start=$(date +%s.%N)
    "$bin/keszip" lookup --threads "$1" < "$work/addresses.txt" > "$2"
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }'
}
single=$(run 1 "$work/single.txt")
multi=$(run "$threads" "$work/multi.txt")
if ! cmp -s "$work/single.txt" "$work/multi.txt"; then
    echo "keszip lookup: $threads threads printed other results than one thread" >&2
    exit 1
fi
lines=$(wc -l < "$work/single.txt")
found=$(awk -F'\t' '$1 != 0' "$work/single.txt" | wc -l)
awk -v n="$lines" -v f="$found" -v t1="$single" -v tn="$multi" -v k="$threads" 'BEGIN {
    printf "keszip lookup, 1 thread: %d addresses in %.2f s = %.0f addresses/s (%d placed)\n", n, t1, n / t1, f
    printf "keszip lookup, %d threads: %d addresses in %.2f s = %.0f addresses/s (%.2f times one thread, same output)\n", k, n, tn, n / tn, t1 / tn }'

# The same addresses as a CSV file through `zelko7 convert csv`, with one
# engine and with $threads engines looking up ahead: the files must be equal.
iconv -f UTF-8 -t CP932 "$work/addresses.txt" | awk '{ print NR "," $0 ",-" }' > "$work/addresses.csv"
convert() {
    local start end
    start=$(date +%s.%N)
    "$bin/zelko7" convert csv --source "$work/addresses.csv" --dest "$work/$2.csv" --fields 2 \
        --mode 7 --no-max-errors --error-file "$work/$2.err" --yes --threads "$1" > /dev/null 2>&1
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }'
}
single=$(convert 1 csv1)
multi=$(convert "$threads" csvn)
if ! cmp -s "$work/csv1.csv" "$work/csvn.csv" || ! cmp -s "$work/csv1.err" "$work/csvn.err"; then
    echo "zelko7 convert csv: $threads threads wrote other files than one thread" >&2
    exit 1
fi
awk -v n="$lines" -v t1="$single" -v tn="$multi" -v k="$threads" 'BEGIN {
    printf "zelko7 convert csv, 1 thread: %d records in %.2f s = %.0f records/s\n", n, t1, n / t1
    printf "zelko7 convert csv, %d threads: %d records in %.2f s = %.0f records/s (%.2f times one thread, same files)\n", k, n, tn, n / tn, t1 / tn }'
