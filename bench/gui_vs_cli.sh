#!/usr/bin/env bash
# The same CSV file of COUNT real addresses converted by the desktop
# program's run dialog (offscreen) and by `zelko7 convert`: both outputs must
# be equal, and the GUI run may take at most 1.5 times the command line's.
set -euo pipefail
bin=$1; data=$2; count=${3:-100000}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
"$bin/make_addresses" "$data/ken_all.zip" "$count" |
    awk '{ printf "%s,%d\r\n", $0, NR }' | iconv -f UTF-8 -t CP932 > "$work/source.csv"
start=$(date +%s.%N)
"$bin/zelko7" convert csv --source "$work/source.csv" --dest "$work/cli.csv" --fields 1 \
    --mode 7 --no-hyphen --quote --no-marker --strict none --error-file "$work/cli-err.txt" \
    --no-max-errors --yes > /dev/null 2>&1
end=$(date +%s.%N)
cli=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }')
gui=$(QT_QPA_PLATFORM=offscreen "$bin/gui_run_bench" "$work/source.csv" "$work/gui.csv" \
    "$work/gui-err.txt" 2> /dev/null)
cmp "$work/cli.csv" "$work/gui.csv"
cmp "$work/cli-err.txt" "$work/gui-err.txt"
awk -v n="$count" -v c="$cli" -v g="$gui" 'BEGIN {
    printf "zelko7 convert csv: %d records in %.2f s (%.0f records/s)\n", n, c, n / c
    printf "run dialog (GUI):   %d records in %.2f s (%.0f records/s)\n", n, g, n / g
    printf "GUI / command line: %.2f (at most 1.50)\n", g / c
    exit (g / c > 1.5) }'
