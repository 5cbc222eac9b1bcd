#!/usr/bin/env bash
# Runs every fuzz target in BIN_DIR for SECONDS each, starting from its seed
# corpus in fuzz/corpus/<name>, JOBS targets at a time (default: one per
# core; each target is one process). Fails when any target finds a fault.
set -euo pipefail
bin=$(cd "$1" && pwd); seconds=${2:-20}; jobs=${3:-$(nproc)}
root=$(cd "$(dirname "$0")/.." && pwd)
results=$(mktemp -d); trap 'rm -rf "$results"' EXIT

# Runs one target; its report goes to $results/NAME.log, its status to NAME.status.
run_one() {
    local target=$1 name work seeds status=0
    name=$(basename "$target")
    work=$(mktemp -d)
    seeds="$root/fuzz/corpus/${name#fuzz_}"
    [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/ 2>/dev/null || true
    (cd "$work" && "$target" -max_total_time="$seconds" -max_len=12000 -len_control=0 -rss_limit_mb=2048 \
        -print_final_stats=0 "$work" >"$work.log" 2>&1) || status=1
    {
        echo "== $name (${seconds}s)"
        if [ $status -eq 0 ]; then grep -E "^#[0-9]+.*DONE" "$work.log" | tail -n 1 || true
        else tail -n 60 "$work.log"; fi
    } > "$results/$name.log"
    echo $status > "$results/$name.status"
    rm -rf "$work" "$work.log"
}
export -f run_one; export root seconds results
find "$bin" -maxdepth 1 -name 'fuzz_*' -type f -perm -u+x | sort |
    xargs -r -P "$jobs" -I{} bash -c 'run_one "$1"' _ {}
passed=0; failed=0
for log in "$results"/*.log; do
    [ -e "$log" ] || continue
    cat "$log"
    if [ "$(cat "${log%.log}.status")" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "fuzz: $passed passed, $failed failed"
[ $failed -eq 0 ] && [ $passed -gt 0 ]
