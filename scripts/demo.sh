#!/usr/bin/env bash
# Shows the engine at work: its version and the matching keys of a few addresses.
set -euo pipefail
bin=$1
echo "== keszip version"
"$bin/keszip" version
echo
echo "== Matching keys (keszip fold)"
for address in "東京都千代田区霞が関一丁目" "とうきょうと ちよだく かすみがせき" \
               "北海道札幌市中央区北一条西二丁目" "京都府京都市中京区寺町通御池上る上本能寺前町" \
               "大阪府大阪市北区梅田３－１－１" "髙島屋"; do
    printf '%s\n    -> %s\n' "$address" "$("$bin/keszip" fold "$address")"
done
