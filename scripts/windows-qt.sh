#!/usr/bin/env bash
# Cross-builds Qt's qtbase (Core, Gui, Widgets and the Windows platform
# plugin, nothing else) for 64-bit Windows from Debian's own qt6-base source
# package, as static libraries, into BUILD_DIR/third-party/qt/prefix. The host
# Qt of the same version (qt6-base-dev, qt6-base-dev-tools) runs moc, rcc and
# uic. The sources come through the private source list the other Windows
# libraries use: the system's apt setup is not changed. Runs once per build
# folder; later runs find the stamp and return.
#
#   scripts/windows-qt.sh BUILD_DIR
set -euo pipefail
triplet=x86_64-w64-mingw32
build=$(mkdir -p "$1" && cd "$1" && pwd)
root=$build/third-party/qt
prefix=$root/prefix
stamp=$prefix/.built
[ -f "$stamp" ] && exit 0

jobs=${JOBS:-2}
sources=$build/third-party/src
apt_dir=$build/third-party/apt
mkdir -p "$root" "$sources"
log=$root/build.log
: > "$log"
started=$(date +%s)
stage() { echo "Windows Qt: $1 ($(( $(date +%s) - started )) s; log: $log)"; }

# The host Qt's version is the one to build: its moc and rcc write code for it.
host_version=$(dpkg-query -W -f '${source:Version}' qt6-base-dev 2>/dev/null || true)
if [ -z "$host_version" ]; then
    echo "Windows Qt: the host Qt is missing (Debian's qt6-base-dev and qt6-base-dev-tools)" >&2
    exit 1
fi
stage "fetching the sources of qt6-base $host_version"
. "$(dirname "$0")/debian-sources.sh"
debian_sources "$apt_dir" "$log"
if ! ls -d "$sources"/qt6-base-[0-9]* > /dev/null 2>&1; then
    # (An archive that has moved on to a later revision of the same Qt
    # release serves that one.)
    (cd "$sources" && { apt-get "${apt_options[@]}" source --only-source "qt6-base=$host_version" ||
                        apt-get "${apt_options[@]}" source --only-source qt6-base; } >> "$log" 2>&1)
fi
qt_src=$(find "$sources" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)

# Debian's source leaves out src/3rdparty/wintab (its licence forbids
# changes), which the Windows platform plugin's tablet support includes: the
# plugin is built without that support (mouse, keyboard and touch as usual).
windows_plugin=$qt_src/src/plugins/platforms/windows
if [ ! -f "$qt_src/src/3rdparty/wintab/wintab.h" ] &&
   grep -q 'CONDITION QT_FEATURE_tabletevent$' "$windows_plugin/CMakeLists.txt"; then
    sed -i 's/CONDITION QT_FEATURE_tabletevent$/CONDITION QT_FEATURE_tabletevent AND QT_WINDOWS_WINTAB/' \
        "$windows_plugin/CMakeLists.txt"
    sed -i 's/QT_CONFIG(tabletevent)/QT_CONFIG(tabletevent) \&\& defined(QT_WINDOWS_WINTAB)/' \
        "$windows_plugin"/qwindowscontext.cpp "$windows_plugin"/qwindowspointerhandler.cpp \
        "$windows_plugin"/qwindowspointerhandler.h
fi
# The plugin's test for a software OpenGL asks for dynamic OpenGL alone, which
# stays on when OpenGL is off: it also needs OpenGL.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$windows_plugin/qwindowswindow.cpp"
# The DirectWrite font database (asked for with fontengine=directwrite) is
# built into QtGui only with Direct2D, which is off; the plugin's default,
# GDI's font database, is the one used.
sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$windows_plugin/qwindowsintegration.cpp"

# Static libraries: zelko7.exe and zelko7-setup.exe then start alone, as the
# other Windows programs do (runtimes linked in), with the Windows platform
# plugin linked into them instead of a platforms/ folder of DLLs beside them.
# Only what the desktop programs use is built; the rest of qtbase is off.
toolchain=$(cd "$(dirname "$0")/.." && pwd)/cmake/windows/$triplet.cmake
host_cmake=$(dirname "$(dpkg -L qt6-base-dev | grep -m1 '/cmake/Qt6/Qt6Config.cmake$')")
host_cmake=$(dirname "$host_cmake")
qt_build=$root/build
features=(sql network dbus opengl opengles2 vulkan printsupport concurrent xml testlib
          freetype fontconfig harfbuzz jpeg gif ico zstd icu glib sessionmanager
          imageformat_bmp imageformat_ppm imageformat_xbm imageformatplugin movie
          direct2d androiddeployqt macdeployqt windeployqt qmake)
feature_options=()
for feature in "${features[@]}"; do
    feature_options+=(-DFEATURE_$feature=OFF)
done
stage "configuring qtbase for $triplet"
nice -n 10 cmake -S "$qt_src" -B "$qt_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
      -DCMAKE_C_COMPILER_LAUNCHER= -DCMAKE_CXX_COMPILER_LAUNCHER= \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
      -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
      -DQT_BUILD_BENCHMARKS=OFF -DQT_BUILD_MANUAL_TESTS=OFF \
      -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
      -DFEATURE_system_doubleconversion=OFF -DFEATURE_png=ON -DFEATURE_widgets=ON \
      -DFEATURE_gui=ON "${feature_options[@]}" >> "$log" 2>&1
stage "building qtbase (about 35 minutes on 2 busy cores)"
nice -n 10 cmake --build "$qt_build" -j "$jobs" >> "$log" 2>&1
stage "installing qtbase into $prefix"
cmake --install "$qt_build" >> "$log" 2>&1
touch "$stamp"
stage "qtbase for $triplet in $prefix"
