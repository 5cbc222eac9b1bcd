#!/usr/bin/env bash
# Builds the static MinGW-w64 libraries the Windows build needs and Debian
# ships for Linux only (libzip, expat, SQLite) from Debian's own source
# packages, into BUILD_DIR/third-party/{src,prefix}. The sources come through a
# private source list kept in the build folder: the system's apt setup is not
# changed. Runs once per build folder; later runs find the stamp and return.
#
#   scripts/windows-third-party.sh TRIPLET BUILD_DIR
#   (TRIPLET: i686-w64-mingw32 or x86_64-w64-mingw32)
set -euo pipefail
triplet=$1
build=$(mkdir -p "$2" && cd "$2" && pwd)
root=$build/third-party
prefix=$root/prefix
stamp=$prefix/.built
[ -f "$stamp" ] && exit 0

jobs=${JOBS:-$(nproc)}
sources=$root/src
apt_dir=$root/apt
mkdir -p "$sources" "$prefix"
log=$root/build.log
: > "$log"
echo "Windows ($triplet): fetching the sources of libzip, expat and sqlite3 (log: $log)"
. "$(dirname "$0")/debian-sources.sh"
debian_sources "$apt_dir" "$log"
for package in libzip expat sqlite3; do
    ls -d "$sources/$package"-[0-9]* > /dev/null 2>&1 ||
        (cd "$sources" && apt-get "${apt_options[@]}" source "$package" >> "$log" 2>&1)
done

toolchain=$(cd "$(dirname "$0")/.." && pwd)/cmake/windows/$triplet.cmake
zlib_root=/usr/$triplet
cmake_common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
              -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF
              -DCMAKE_C_COMPILER_LAUNCHER= -DCMAKE_CXX_COMPILER_LAUNCHER=)

echo "Windows ($triplet): building expat"
expat_src=$(find "$sources" -maxdepth 1 -type d -name 'expat-*' | head -1)
[ -d "$expat_src/expat" ] && expat_src=$expat_src/expat
cmake -S "$expat_src" -B "$root/build-expat" "${cmake_common[@]}" -DEXPAT_BUILD_TOOLS=OFF \
      -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF \
      -DEXPAT_BUILD_PKGCONFIG=ON -DEXPAT_SHARED_LIBS=OFF >> "$log" 2>&1
# Debian's patches test "XML_DTD == 1", as its configure script defines it;
# the CMake files define it empty.
sed -i 's/^#define XML_DTD$/#define XML_DTD 1/' "$root/build-expat/expat_config.h"
cmake --build "$root/build-expat" -j "$jobs" --target install >> "$log" 2>&1

echo "Windows ($triplet): building libzip"
libzip_src=$(find "$sources" -maxdepth 1 -type d -name 'libzip-*' | head -1)
cmake -S "$libzip_src" -B "$root/build-libzip" "${cmake_common[@]}" \
      -DZLIB_INCLUDE_DIR="$zlib_root/include" -DZLIB_LIBRARY="$zlib_root/lib/libz.a" \
      -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_GNUTLS=OFF \
      -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF \
      -DENABLE_WINDOWS_CRYPTO=ON -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF \
      -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF >> "$log" 2>&1
cmake --build "$root/build-libzip" -j "$jobs" --target install >> "$log" 2>&1

# SQLite: the source package holds the full tree; its makefile writes the
# single-file amalgamation (needs tclsh), which is then compiled alone.
echo "Windows ($triplet): building SQLite"
sqlite_src=$(find "$sources" -maxdepth 1 -type d -name 'sqlite3-*' | head -1)
sqlite_build=$root/build-sqlite
mkdir -p "$sqlite_build"
if [ ! -f "$sqlite_build/sqlite3.c" ]; then
    (cd "$sqlite_build" && "$sqlite_src/configure" --disable-tcl > /dev/null 2>>"$log" &&
        make -j "$jobs" sqlite3.c >> "$log" 2>&1)
fi
"$triplet-gcc-posix" -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION \
    -c "$sqlite_build/sqlite3.c" -o "$sqlite_build/sqlite3.o" >> "$log" 2>&1
"$triplet-ar" rcs "$prefix/lib/libsqlite3.a" "$sqlite_build/sqlite3.o"
mkdir -p "$prefix/include"
cp "$sqlite_build/sqlite3.h" "$sqlite_build/sqlite3ext.h" "$prefix/include/"

# The zlib of the cross compiler's folder, static, for libzip's users.
cp "$zlib_root/lib/libz.a" "$prefix/lib/libz.a"
touch "$stamp"
echo "Windows ($triplet): static libraries in $prefix"
