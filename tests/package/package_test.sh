#!/usr/bin/env bash
# Builds the packages from a finished build, unpacks the Debian package into
# a scratch root and uses it from there: pkg-config and find_package(KesZip)
# find the engine, `keszip lookup` finds its dictionaries with no environment
# variable set, and so does a copy installed by `zelko7-setup --target DIR`.
# Usage: package_test.sh BUILD_DIR HAVE_DATA RELEASE_TIME
# Exit status 77 (reported as skipped) when the build has no dictionaries.
set -euo pipefail
build=$(cd "$1" && pwd); have_data=$2; release_time=${3:-}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
clean_env=(env -i PATH=/usr/bin:/bin HOME="$scratch/home" XDG_DATA_HOME="$scratch/xdg"
           QT_QPA_PLATFORM=offscreen)

echo "== cpack (DEB and TGZ) from $build"
if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch/packages" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"; fail "cpack failed"
fi
deb=$(ls "$scratch"/packages/*.deb 2>/dev/null | head -n 1)
tgz=$(ls "$scratch"/packages/*.tar.gz 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no .deb package"
[ -n "$tgz" ] || fail "no .tar.gz package"

listing=$(tar -tzf "$tgz")
expected=(bin/keszip lib/libkeszip.so lib/libkesbar.so include/keszip.h include/kesbar.h
          lib/pkgconfig/keszip.pc lib/cmake/KesZip/KesZipConfig.cmake)
[ "$have_data" = ON ] && expected+=(share/keszip/KESZIP.DIC share/keszip/KESCMP.DIC
                                    share/keszip/KESTEL.DIC)
for path in "${expected[@]}"; do
    grep -q "/$path\$" <<<"$listing" || fail "$path missing from $(basename "$tgz")"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
[ -x "$root/usr/bin/keszip" ] || fail "usr/bin/keszip missing from $(basename "$deb")"

echo "== pkg-config and find_package(KesZip) against the unpacked package"
cat >"$scratch/use.c" <<'C'
#include <keszip.h>
#include <stdio.h>
int main(void) { printf("%d\n", SetHyphenMode(1) + GetHyphenMode()); return 0; }
C
# shellcheck disable=SC2046
cc -o "$scratch/use-pc" "$scratch/use.c" \
    $(PKG_CONFIG_PATH="$root/usr/lib/pkgconfig" pkg-config --cflags --libs keszip)
[ "$("$scratch/use-pc")" = 2 ] || fail "program built with pkg-config does not run"
mkdir -p "$scratch/project"
cp "$scratch/use.c" "$scratch/project/"
cat >"$scratch/project/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.20)
project(use_keszip C)
find_package(KesZip 1.5 REQUIRED)
add_executable(use use.c)
target_link_libraries(use PRIVATE KesZip::keszip)
CMAKE
cmake -S "$scratch/project" -B "$scratch/project/build" -G Ninja \
    -DCMAKE_PREFIX_PATH="$root/usr" >"$scratch/project.log" 2>&1 &&
    cmake --build "$scratch/project/build" >>"$scratch/project.log" 2>&1 ||
    { cat "$scratch/project.log"; fail "find_package(KesZip) project does not build"; }
[ "$("$scratch/project/build/use")" = 2 ] || fail "program built with find_package does not run"

if [ "$have_data" != ON ]; then
    echo "packages built and usable; no dictionaries in this build: lookups skipped"
    exit 77
fi

address="東京都千代田区霞が関1-2-3"
check_lookup() {  # PROGRAM WHERE
    local out
    out=$("${clean_env[@]}" "$1" lookup "$address") || fail "keszip lookup failed $2"
    [[ "$out" == 1$'\t'1000013$'\t'* ]] || fail "keszip lookup $2 gave: $out"
    echo "keszip lookup $2: $out"
}
check_lookup "$root/usr/bin/keszip" "from the unpacked package"

# The Python module, where the build has one, from the package's dist-packages.
if [ -d "$build/python/keszip" ]; then
    modules="$root/usr/lib/python3/dist-packages"
    [ -d "$modules/keszip" ] || fail "the Python module keszip is missing from $(basename "$deb")"
    out=$("${clean_env[@]}" PYTHONPATH="$modules" /usr/bin/python3 -c \
        "import keszip; print(keszip.Engine().lookup('$address'))") ||
        fail "import keszip from the unpacked package failed"
    [[ "$out" == *"code='1000013'"* ]] || fail "keszip.Engine().lookup from the package gave: $out"
    echo "python3 keszip from the unpacked package: $out"
fi

# The PostgreSQL extension, where the build has one: CREATE EXTENSION keszip
# on a server that takes its extension folders from the unpacked package.
if [ -f "$build/postgres/keszip.so" ]; then
    chmod a+rx "$scratch"  # the server runs as nobody when this runs as root
    set +e
    bash "$(dirname "$0")/../postgres/create_extension.sh" "$root"
    status=$?
    set -e
    [ "$status" = 0 ] || [ "$status" = 77 ] || fail "CREATE EXTENSION keszip from the unpacked package"
fi

# Dictionaries elsewhere: found through KESZIP_DICTIONARY_DIR, and only so.
mv "$root/usr/share/keszip" "$scratch/dictionaries"
if "${clean_env[@]}" "$root/usr/bin/keszip" lookup "$address" >/dev/null 2>&1; then
    fail "keszip lookup found dictionaries that were moved away"
fi
out=$("${clean_env[@]}" KESZIP_DICTIONARY_DIR="$scratch/dictionaries" \
      "$root/usr/bin/keszip" lookup "$address") || fail "KESZIP_DICTIONARY_DIR not used"
[[ "$out" == 1$'\t'1000013$'\t'* ]] || fail "lookup with KESZIP_DICTIONARY_DIR gave: $out"
echo "keszip lookup with KESZIP_DICTIONARY_DIR: $out"
mv "$scratch/dictionaries" "$root/usr/share/keszip"

if [ -x "$root/usr/bin/zelko7-setup" ]; then
    echo "== zelko7-setup --target DIR from the unpacked package"
    target="$scratch/installed folder"
    "${clean_env[@]}" "$root/usr/bin/zelko7-setup" --target "$target" >"$scratch/setup.log" 2>&1 ||
        { cat "$scratch/setup.log"; fail "zelko7-setup --target failed"; }
    check_lookup "$target/keszip" "from the folder zelko7-setup filled"
    stamp=$(date -d "$release_time" +%s)
    for file in keszip libkeszip.so KESZIP.DIC; do
        [ "$(stat -c %Y "$target/$file")" = "$stamp" ] || fail "$file not stamped $release_time"
    done
    if [ -e "$target/zelko7" ]; then
        grep -q "^Exec=\"$target/zelko7\"\$" "$scratch/xdg/applications/zelko7.desktop" ||
            fail "no desktop entry for $target/zelko7"
    fi
fi
echo "package test passed"
