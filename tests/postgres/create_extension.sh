#!/usr/bin/env bash
# CREATE EXTENSION keszip against the files a package installs, unpacked in
# a scratch root ROOT (usr/lib/postgresql/N/lib/keszip.so,
# usr/share/postgresql/N/extension/keszip.*), without touching the system's
# PostgreSQL folders. The server finds $libdir and its extension folder
# relative to its own program file, so a copy of the system's `postgres`
# program is put into ROOT's server tree, beside links to the system's own
# server libraries and share files; a private cluster made by the system's
# initdb is started with that copy.
# Usage: create_extension.sh ROOT
# Exit status 77 (skipped) when the PostgreSQL server programs are missing.
set -euo pipefail
root=$(cd "$1" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
control=$(ls "$root"/usr/share/postgresql/*/extension/keszip.control 2>/dev/null | head -n 1 || true)
[ -n "$control" ] || fail "no usr/share/postgresql/*/extension/keszip.control in $root"
version=$(basename "$(dirname "$(dirname "$control")")")
system_bin=/usr/lib/postgresql/$version/bin
if [ ! -x "$system_bin/postgres" ] || [ ! -x "$system_bin/initdb" ]; then
    echo "the PostgreSQL $version server programs are not installed (Debian: postgresql-$version)"
    exit 77
fi
[ -f "$root/usr/lib/postgresql/$version/lib/keszip.so" ] || fail "keszip.so missing in $root"

# The server tree inside ROOT: the program copied (a link would be followed
# back to the system's folders), everything else linked.
bin="$root/usr/lib/postgresql/$version/bin"
mkdir -p "$bin"
cp "$system_bin/postgres" "$bin/postgres"
for file in /usr/lib/postgresql/"$version"/lib/*; do
    [ -e "$root/usr/lib/postgresql/$version/lib/$(basename "$file")" ] ||
        ln -s "$file" "$root/usr/lib/postgresql/$version/lib/"
done
share="$root/usr/share/postgresql/$version"
for file in /usr/share/postgresql/"$version"/*; do
    [ -e "$share/$(basename "$file")" ] || ln -s "$file" "$share/"
done
for file in /usr/share/postgresql/"$version"/extension/*; do
    [ -e "$share/extension/$(basename "$file")" ] || ln -s "$file" "$share/extension/"
done

# A private cluster, run as nobody when this runs as root.
work=$(mktemp -d /tmp/keszip-pgext-XXXXXX)
as=()
if [ "$(id -u)" -eq 0 ]; then chown nobody "$work"; as=(runuser -u nobody --); fi
"${as[@]}" test -r "$root/usr/lib/postgresql/$version/lib/keszip.so" ||
    fail "the server's user cannot read $root (its folders must be readable by all)"
cd "$work"
"${as[@]}" "$system_bin/initdb" -D "$work/data" -U zelko --auth=trust -E UTF8 --no-locale \
    --no-sync > "$work/initdb.log" 2>&1 || { cat "$work/initdb.log"; fail "initdb failed"; }
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"${as[@]}" "$system_bin/pg_ctl" -D "$work/data" -l "$work/log" -w -t 60 -p "$bin/postgres" \
    -o "-p $port -k $work -c listen_addresses=127.0.0.1 -c fsync=off" start > /dev/null ||
    { cat "$work/log"; fail "the server did not start"; }
trap '"${as[@]}" "$system_bin/pg_ctl" -D "$work/data" -m immediate -w stop > /dev/null; cd /; rm -rf "$work"' EXIT
psql=("$system_bin/psql" -X -q -A -t -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" -U zelko -d postgres)
libdir=$("${psql[@]}" -c "SELECT setting FROM pg_config WHERE name = 'PKGLIBDIR'")
[ "$libdir" = "$root/usr/lib/postgresql/$version/lib" ] ||
    fail "the server's \$libdir is $libdir, not the scratch root's"
out=$("${psql[@]}" -c "CREATE EXTENSION keszip" \
    -c "SELECT keszip_code('東京都千代田区霞が関1-2-3') || ' ' || keszip_version()") ||
    fail "CREATE EXTENSION keszip failed: $(tail -n 5 "$work/log")"
[[ "$out" == "1000013 "* ]] || fail "keszip_code after CREATE EXTENSION gave: $out"
echo "CREATE EXTENSION keszip from $root: keszip_code and keszip_version gave $out"
