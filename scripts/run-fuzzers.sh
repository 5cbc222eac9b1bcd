#!/usr/bin/env bash
# Runs every fuzz target in BIN_DIR for SECONDS each, starting from its seed
# corpus in fuzz/corpus/<name>. Fails on the first finding.
set -euo pipefail
bin=$(cd "$1" && pwd); seconds=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0; count=0
for target in "$bin"/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    work=$(mktemp -d)
    seeds="$root/fuzz/corpus/${name#fuzz_}"
    [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/ 2>/dev/null || true
    echo "== $name (${seconds}s)"
    if ! (cd "$work" && "$target" -max_total_time="$seconds" -max_len=12000 -len_control=0 -rss_limit_mb=2048 \
            -print_final_stats=0 "$work" >"$work.log" 2>&1); then
        tail -n 60 "$work.log"; status=1
    else
        grep -E "^#[0-9]+.*DONE" "$work.log" | tail -n 1 || true
        count=$((count + 1))
    fi
    rm -rf "$work" "$work.log"
done
if [ $status -eq 0 ]; then echo "fuzz: $count passed, 0 failed"; else echo "fuzz: a target failed"; fi
exit $status
