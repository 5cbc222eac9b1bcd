# Shared by the table benchmarks (sourced): `seconds COMMAND...` prints how
# long a command took, and `csv_seconds BIN WORK` times the CSV run over
# WORK/addresses.csv that the table runs are compared with.
common=(--mode 7 --no-max-errors --no-error-file --yes)
seconds() {
    local s e; s=$(date +%s%N); "$@" > /dev/null 2>&1; e=$(date +%s%N)
    awk -v d=$((e - s)) 'BEGIN { printf "%.3f", d / 1e9 }'
}
csv_seconds() {
    seconds "$1/zelko7" convert csv --source "$2/addresses.csv" --dest "$2/out.csv" \
        --fields 1 --no-quote "${common[@]}"
}
