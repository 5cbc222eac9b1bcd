#!/usr/bin/env bash
# Cross-builds one Windows architecture with MinGW-w64: the static
# third-party libraries once per build folder, then the given targets.
#
#   scripts/windows-build.sh TRIPLET BUILD_DIR DATA_DIR [TARGET...]
set -euo pipefail
triplet=$1
build=$2
data=$3
shift 3
source_dir=$(cd "$(dirname "$0")/.." && pwd)
# KESZIP_WINDOWS_DLLS_ONLY=1: only the DLLs and their caller are wanted; they
# need none of the third-party libraries, which are then not built.
dlls_only=OFF
if [ "${KESZIP_WINDOWS_DLLS_ONLY:-0}" = 1 ]; then
    dlls_only=ON
else
    bash "$source_dir/scripts/windows-third-party.sh" "$triplet" "$build"
fi
# KESZIP_WINDOWS_GUI=1: the desktop programs too, against the static Qt that
# scripts/windows-qt.sh builds into the build folder. The folder keeps them
# from then on.
gui_options=()
if [ "${KESZIP_WINDOWS_GUI:-0}" = 1 ]; then
    bash "$source_dir/scripts/windows-qt.sh" "$build"
    gui_options=(-DKESZIP_WINDOWS_GUI=ON)
fi
if [ ! -f "$build/build.ninja" ] ||
   ! grep -qx "KESZIP_WINDOWS_DLLS_ONLY:BOOL=$dlls_only" "$build/CMakeCache.txt" ||
   { [ ${#gui_options[@]} -gt 0 ] && ! grep -qx "KESZIP_WINDOWS_GUI:BOOL=ON" "$build/CMakeCache.txt"; }; then
    cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DKESZIP_WERROR=ON -DKESZIP_DATA="$data" -DKESZIP_WINDOWS_DLLS_ONLY=$dlls_only \
          -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/windows/$triplet.cmake" "${gui_options[@]}"
fi
if [ $# -gt 0 ]; then
    cmake --build "$build" -j "${JOBS:-$(nproc)}" --target "$@"
else
    cmake --build "$build" -j "${JOBS:-$(nproc)}"
fi
