#!/usr/bin/env bash
# The Debian package as a user meets it: installed with dpkg into a scratch
# root (its own dpkg database, so nothing of this machine changes; the
# dependencies are checked against this machine with apt-get --simulate),
# `man zelko7` reads the installed manual page, the desktop entry validates,
# the HTML manual lies under share/doc, installed programs carry only
# relative run paths, and lintian finds no error.
# Usage: debian_package_test.sh BUILD_DIR
# Exit status 77 (reported as skipped) when a tool the checks need is missing.
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg dpkg-deb man lintian desktop-file-validate readelf; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done

echo "== cpack (DEB) from $build"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/packages" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$scratch"/packages/*.deb | head -n 1)
[ -n "$deb" ] || fail "no .deb package"
listing=$(dpkg-deb -c "$deb" | awk '{print $NF}')

for path in usr/share/doc/zelko7/manual/zelko7.html usr/share/doc/keszip/copyright \
            usr/share/man/man1/keszip.1.gz usr/share/man/man1/keszip-mkdic.1.gz \
            usr/share/man/man1/zelko7.1.gz usr/share/man/man1/zelko7-setup.1.gz \
            usr/share/applications/zelko7.desktop usr/share/icons/hicolor/32x32/apps/zelko7.png; do
    grep -q "^\./$path\$" <<<"$listing" || fail "$path missing from $(basename "$deb")"
done
if grep -q '^\./usr/bin/.*\.html$' <<<"$listing"; then fail "a manual in usr/bin"; fi

echo "== dependencies resolve on this machine (apt-get --simulate)"
if command -v apt-get >/dev/null; then
    apt-get install --simulate "$deb" >"$scratch/apt.log" 2>&1 ||
        { cat "$scratch/apt.log"; fail "apt-get cannot install the package"; }
fi

echo "== dpkg -i into a scratch root"
root="$scratch/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --instdir="$root" --admindir="$root/var/lib/dpkg" --force-depends \
     --force-script-chrootless --force-not-root -i "$deb" >"$scratch/dpkg.log" 2>&1 ||
    { cat "$scratch/dpkg.log"; fail "dpkg -i failed"; }

echo "== man zelko7"
for program in keszip keszip-mkdic zelko7 zelko7-setup; do
    page=$(MANPATH="$root/usr/share/man" MANWIDTH=100 man -P cat "$program" 2>&1) ||
        fail "man $program: $page"
    grep -q "$program" <<<"$page" || fail "man $program shows no page"
done
MANPATH="$root/usr/share/man" man -P cat zelko7 | grep -q -- "convert" ||
    fail "man zelko7 does not describe zelko7 convert"

echo "== desktop entry"
desktop-file-validate "$root/usr/share/applications/zelko7.desktop" || fail "desktop entry invalid"
grep -q '^Exec=zelko7$' "$root/usr/share/applications/zelko7.desktop" || fail "Exec is not zelko7"
grep -q '^Icon=zelko7$' "$root/usr/share/applications/zelko7.desktop" || fail "Icon is not zelko7"

echo "== run paths of the installed programs and libraries"
for file in "$root"/usr/bin/* "$root"/usr/lib/*.so*; do
    [ -f "$file" ] || continue
    readelf -h "$file" >/dev/null 2>&1 || continue
    paths=$(readelf -d "$file" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p; s/.*(RPATH).*\[\(.*\)\]/\1/p')
    IFS=: read -r -a entries <<<"$paths"
    for entry in "${entries[@]}"; do
        [[ "$entry" == '$ORIGIN'* ]] || fail "$(basename "$file") has the run path entry '$entry'"
    done
    [[ "$paths" != *: && "$paths" != *::* ]] || fail "$(basename "$file") has an empty run path entry"
done
"$root/usr/bin/zelko7" --help >/dev/null || fail "installed zelko7 --help fails"

echo "== lintian"
lintian --no-tag-display-limit "$deb" >"$scratch/lintian.log" 2>&1 || true
cat "$scratch/lintian.log"
if grep -q '^E:' "$scratch/lintian.log"; then fail "lintian reports errors"; fi
echo "debian package test passed"
