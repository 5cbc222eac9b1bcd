#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Run as root it
# installs what is missing; otherwise it lists what to install and fails.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev clang-format clang-tidy libgtest-dev libgmock-dev
          libbenchmark-dev libzip-dev libcli11-dev pkg-config imagemagick
          qt6-base-dev qt6-base-dev-tools fonts-noto-cjk qt6-translations-l10n
          libgsf-1-dev libexpat1-dev libsqlite3-dev unixodbc-dev
          postgresql odbc-postgresql python3-xlrd python3-xlwt python3-openpyxl)
# scripts/make-variant-table.py (the default KESZIP.TBL) and its test: the
# variant-character sources.
packages+=(unicode-data kanjidic-xml)
# `make package` and its test: dependency lists of the Debian package, the
# manual pages made from each program's help, and the package's checks.
packages+=(dpkg-dev file help2man man-db lintian desktop-file-utils)
# The Python module, its tests and the Dask recipe.
packages+=(pybind11-dev python3-dev python3-pytest python3-pandas python3-distributed)
# The PostgreSQL extension (its tests use the server of the package postgresql).
packages+=(postgresql-server-dev-15)
# `make windows` and its tests (`install-deps.sh windows`): the MinGW-w64
# cross compilers (posix threads), zlib for them, Tcl for SQLite's single-file
# source, Wine to run the results (wine32 runs the 32-bit programs, from the
# i386 architecture), and a virtual display for the test of Custom's window
# hooks. `make test` installs these with the rest, in one go.
windows=0
if [ "${1:-}" = windows ] || [ "${1:-}" = windows-gui ]; then
    windows=1
    packages+=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev tcl
               wine wine64 wine32:i386 locales xvfb xauth)
fi
# `make windows-gui` (`install-deps.sh windows-gui`): dpkg-dev for the Qt
# sources (apt-get source), and xdotool to open a dialog of the desktop
# program under Wine for its screenshot.
[ "${1:-}" = windows-gui ] && packages+=(dpkg-dev xdotool)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The Windows tests run Wine with LANG=ja_JP.UTF-8 (code page 932 inside
# Wine); without that locale Wine reads the command lines as ASCII.
japanese_locale() {
    locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return 0
    if [ "$(id -u)" -eq 0 ]; then
        localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8 || true
    else
        echo "Missing locale ja_JP.UTF-8: sudo localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8" >&2
    fi
}
if [ ${#missing[@]} -eq 0 ]; then
    [ $windows -eq 0 ] || japanese_locale
    exit 0
fi
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    [ $windows -eq 0 ] || dpkg --print-foreign-architectures | grep -qx i386 ||
        dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
    [ $windows -eq 0 ] || japanese_locale
else
    echo "Missing packages: ${missing[*]}" >&2
    [ $windows -eq 0 ] || dpkg --print-foreign-architectures | grep -qx i386 ||
        echo "wine32 needs the i386 architecture: sudo dpkg --add-architecture i386" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
