#!/usr/bin/env bash
# Shows the engine at work: its version, then a handful of real addresses
# looked up through `keszip lookup` and printed as a table.
set -euo pipefail
bin=$1
echo "== keszip version"
"$bin/keszip" version
echo
echo "== Address lookups (keszip lookup --hyphen)"
addresses=(
    "東京都千代田区霞が関１丁目２番３号"
    "とうきょうと ちよだく ながたちょう 2-1"
    "北海道札幌市中央区北三条西六丁目"
    "新宿区西新宿2-8-1"
    "東京都港区六本木6-10-1 六本木ヒルズ森タワー 23階"
    "京都府京都市中京区寺町通御池上る上本能寺前町488"
    "大阪府大阪市北区梅田3-1-1"
    "府中市元町"
    "沖縄県那覇市泉崎1-2-2"
    "東京都千代田区どこにもない町"
    "架空県架空市"
)
printf '%-6s %-9s %-7s %-14s %-6s %s\n' "flags" "code" "old" "number" "local" "address"
for address in "${addresses[@]}"; do
    # Empty fields stay fields: split at "|" rather than at whitespace.
    IFS='|' read -r flags code old number jis < <("$bin/keszip" lookup --hyphen "$address" | tr '\t' '|')
    printf '%-6s %-9s %-7s %-14s %-6s %s\n' "$flags" "$code" "$old" "${number:--}" "$jis" "$address"
done
cat <<'NOTE'

flags: 1 placed, 2 Kyoto street description, 4 generic code of the area,
       8 prefecture name missing, 16 city or county name missing;
       0 not placed (the code column then holds the error text).
NOTE

# The main job: a whole address list converted by the batch converter.
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(cd "$bin/.." && pwd)/demo
mkdir -p "$work"
cp "$root/scripts/demo/addresses.csv" "$work/addresses.csv"
rm -f "$work/result.csv" "$work/errors.txt"
echo
echo "== Converting an address list (zelko7 convert csv)"
echo "source: scripts/demo/addresses.csv, Shift-JIS CSV, address in fields 3 and 4;"
echo "7-digit codes with hyphen; records without a prefecture or only on a"
echo "municipality's generic code count as errors (--strict ken,ikanashi)"
echo
"$bin/zelko7" convert csv --source "$work/addresses.csv" --dest "$work/result.csv" \
    --fields 3,4 --mode 7 --hyphen --strict ken,ikanashi --marker "*ERROR*" \
    --error-file "$work/errors.txt" --no-max-errors --yes </dev/null 2>&1 | sed 's/^/  /'
echo
echo "-- result ($work/result.csv) beside its source record"
paste -d '\t' <(iconv -f CP932 -t UTF-8 "$work/result.csv" | cut -d, -f1 | tr -d '"\r') \
              <(iconv -f CP932 -t UTF-8 "$work/addresses.csv" | tr -d '\r') |
    head -n 20 | awk -F '\t' '{ printf "  %-9s <- %s\n", $1, $2 }'
echo
echo "-- error file ($work/errors.txt)"
if [ -f "$work/errors.txt" ]; then
    iconv -f CP932 -t UTF-8 "$work/errors.txt" | tr -d '\r' | sed '/^$/d; s/^/  /'
else
    echo "  (no record failed)"
fi
