#!/usr/bin/env bash
# Downloads Japan Post's postal code data (ken_all.zip and utf_ken_all.zip,
# all addresses in Shift-JIS and in UTF-8, and jigyosyo.zip, large business
# offices) into KESZIP_DATA when they are not there yet. Fails with a message saying what to do by hand when the machine
# is offline or a download goes wrong. The telephone area data (telephone/)
# is not Japan Post's and is not fetched here.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data=${KESZIP_DATA:-$root/../shared/data}
base=${KESZIP_FETCH_BASE:-https://www.post.japanpost.jp/zipcode/dl}
page="https://www.post.japanpost.jp/zipcode/download.html"
declare -A sources=(
    [ken_all.zip]="$base/kogaki/zip/ken_all.zip"
    [utf_ken_all.zip]="$base/utf/zip/utf_ken_all.zip"
    [jigyosyo.zip]="$base/jigyosyo/zip/jigyosyo.zip"
)

fail() {
    echo "fetch-data: $*" >&2
    echo "fetch-data: download ken_all.zip (or utf_ken_all.zip) and jigyosyo.zip by hand from $page" >&2
    echo "fetch-data: and put them in $data (or point KESZIP_DATA at their folder)." >&2
    exit 1
}

download() {  # URL FILE
    if command -v curl >/dev/null; then
        curl --fail --silent --show-error --location --retry 2 --connect-timeout 20 \
            --max-time 300 -o "$2" "$1"
    elif command -v wget >/dev/null; then
        wget --quiet --tries=2 --timeout=20 -O "$2" "$1"
    else
        echo "neither curl nor wget is installed" >&2
        return 1
    fi
}

# A zip archive starts with "PK\3\4"; an error page does not.
is_zip() { [ "$(head -c 4 "$1" | od -An -tx1 | tr -d ' \n')" = 504b0304 ]; }

mkdir -p "$data" 2>/dev/null || fail "cannot create the folder $data"
# One file of all addresses is enough: when one of the two cannot be fetched
# but the other is there, say so and go on.
fetch() {  # NAME
    local name=$1 target="$data/$1" url=${sources[$1]} partial
    if [ -s "$target" ]; then
        echo "fetch-data: $target is there"
        return 0
    fi
    [ -w "$data" ] || { echo "cannot write to $data"; return 1; }
    echo "fetch-data: downloading $url"
    partial=$(mktemp "$data/.$name.XXXXXX")
    if ! download "$url" "$partial"; then
        rm -f "$partial"
        echo "cannot download $url (is this machine online?)"
        return 1
    fi
    if ! is_zip "$partial"; then
        rm -f "$partial"
        echo "$url did not return a zip archive"
        return 1
    fi
    mv "$partial" "$target"
    echo "fetch-data: $target ($(wc -c <"$target") bytes)"
}

mkdir -p "$data" 2>/dev/null || fail "cannot create the folder $data"
problem=$(fetch jigyosyo.zip) || fail "${problem##*$'\n'}"
echo "$problem"
addresses=0
for name in utf_ken_all.zip ken_all.zip; do
    if problem=$(fetch "$name"); then
        echo "$problem"
        addresses=$((addresses + 1))
    else
        last=${problem##*$'\n'}
        echo "fetch-data: note: $last" >&2
    fi
done
[ $addresses -gt 0 ] || fail "${last:-cannot fetch the file of all addresses}"
if [ ! -d "$data/telephone" ]; then
    echo "fetch-data: note: $data/telephone/ (telephone area data) is missing;" \
         "KESTEL.DIC and the dictionaries need it too (see README)" >&2
fi
