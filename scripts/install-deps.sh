#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Run as root it
# installs what is missing; otherwise it lists what to install and fails.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev clang-format clang-tidy libgtest-dev libgmock-dev
          libbenchmark-dev libzip-dev libcli11-dev pkg-config imagemagick
          qt6-base-dev qt6-base-dev-tools fonts-noto-cjk qt6-translations-l10n
          libgsf-1-dev libexpat1-dev libsqlite3-dev unixodbc-dev
          postgresql odbc-postgresql python3-xlrd python3-xlwt python3-openpyxl)
# `make package` and its test: dependency lists of the Debian package, the
# manual pages made from each program's help, and the package's checks.
packages+=(dpkg-dev file help2man man-db lintian desktop-file-utils)
# The Python module, its tests and the Dask recipe.
packages+=(pybind11-dev python3-dev python3-pytest python3-pandas python3-distributed)
# The PostgreSQL extension (its tests use the server of the package postgresql).
packages+=(postgresql-server-dev-15)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
else
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
