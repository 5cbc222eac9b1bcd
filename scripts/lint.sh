#!/usr/bin/env bash
# The house checks of `make lint`: the layering of includes, the formatting of
# every C++ source, and the bugprone clang-tidy profile (.clang-tidy) over the
# C++ sources a change touches.
#   lint.sh BUILD [BASE]   BUILD holds compile_commands.json; BASE is the
#                          commit the change is measured from (default: the
#                          files the last commit itself changed; a merge
#                          commit changes none of its own).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
base=${2:-}
python3 scripts/check-layering.py
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
echo "format: every C++ source is formatted"
if [ -n "$base" ]; then
    files() { git diff --name-only --diff-filter=AM "$base" -- '*.cpp'; }
else
    base=HEAD
    files() { git diff-tree -r --no-commit-id --name-only --diff-filter=AM HEAD -- '*.cpp'; }
fi
mapfile -t changed < <(files |
    while read -r file; do grep -qF "\"file\": \"$PWD/$file\"" "$build/compile_commands.json" && echo "$file"; done)
if [ ${#changed[@]} -eq 0 ]; then
    echo "tidy: no compiled C++ source changed (measured from $(git rev-parse --short "$base"))"
    exit 0
fi
if ! report=$(clang-tidy -p "$build" --quiet "${changed[@]}" 2>&1); then
    grep -v 'warnings generated\|^Suppressed\|Use -header-filter' <<< "$report"
    echo "tidy: findings above"
    exit 1
fi
echo "tidy: ${#changed[@]} changed source(s) pass the bugprone profile"
