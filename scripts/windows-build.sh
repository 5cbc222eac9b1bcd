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
bash "$source_dir/scripts/windows-third-party.sh" "$triplet" "$build"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DKESZIP_WERROR=ON -DKESZIP_DATA="$data" \
          -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/windows/$triplet.cmake"
fi
if [ $# -gt 0 ]; then
    cmake --build "$build" -j "${JOBS:-$(nproc)}" --target "$@"
else
    cmake --build "$build" -j "${JOBS:-$(nproc)}"
fi
