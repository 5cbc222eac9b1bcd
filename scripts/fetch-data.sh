#!/usr/bin/env bash
# Downloads Japan Post's postal code data (ken_all.zip, all addresses, and
# jigyosyo.zip, large business offices) into KESZIP_DATA when they are not
# there yet. Fails with a message saying what to do by hand when the machine
# is offline or a download goes wrong. The telephone area data (telephone/)
# is not Japan Post's and is not fetched here.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data=${KESZIP_DATA:-$root/../shared/data}
base=${KESZIP_FETCH_BASE:-https://www.post.japanpost.jp/zipcode/dl}
page="https://www.post.japanpost.jp/zipcode/download.html"
declare -A sources=(
    [ken_all.zip]="$base/kogaki/zip/ken_all.zip"
    [jigyosyo.zip]="$base/jigyosyo/zip/jigyosyo.zip"
)

fail() {
    echo "fetch-data: $*" >&2
    echo "fetch-data: download ken_all.zip and jigyosyo.zip by hand from $page" >&2
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
for name in ken_all.zip jigyosyo.zip; do
    target="$data/$name"
    if [ -s "$target" ]; then
        echo "fetch-data: $target is there"
        continue
    fi
    [ -w "$data" ] || fail "cannot write to $data"
    url=${sources[$name]}
    echo "fetch-data: downloading $url"
    partial=$(mktemp "$data/.$name.XXXXXX")
    if ! download "$url" "$partial"; then
        rm -f "$partial"
        fail "cannot download $url (is this machine online?)"
    fi
    if ! is_zip "$partial"; then
        rm -f "$partial"
        fail "$url did not return a zip archive"
    fi
    mv "$partial" "$target"
    echo "fetch-data: $target ($(wc -c <"$target") bytes)"
done
if [ ! -d "$data/telephone" ]; then
    echo "fetch-data: note: $data/telephone/ (telephone area data) is missing;" \
         "KESTEL.DIC and the dictionaries need it too (see README)" >&2
fi
