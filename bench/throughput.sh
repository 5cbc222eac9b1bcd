#!/usr/bin/env bash
# Addresses per second through `keszip lookup`, whole process included:
# COUNT real addresses are generated once, then looked up from standard input.
set -euo pipefail
bin=$1; data=$2; count=${3:-1000000}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
"$bin/make_addresses" "$data/ken_all.zip" "$count" > "$work/addresses.txt"
start=$(date +%s.%N)
"$bin/keszip" lookup < "$work/addresses.txt" > "$work/results.txt"
end=$(date +%s.%N)
lines=$(wc -l < "$work/results.txt")
found=$(awk -F'\t' '$1 != 0' "$work/results.txt" | wc -l)
awk -v n="$lines" -v f="$found" -v s="$start" -v e="$end" 'BEGIN {
    t = e - s; printf "keszip lookup: %d addresses in %.2f s = %.0f addresses/s (%d placed)\n", n, t, n / t, f }'
