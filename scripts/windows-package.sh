#!/usr/bin/env bash
# Packs one Windows build into BUILD_DIR/packages/keszip-VERSION-ARCH.zip:
# bin/ (programs, DLLs, dictionaries, manual), include/ (the headers), lib/
# (import libraries and .def files), README.md.
#
#   scripts/windows-package.sh BUILD_DIR ARCH DICTIONARY_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
arch=$2
dictionaries=$3
source_dir=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(keszip VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
name=keszip-$version-$arch
stage=$build/packages/$name
rm -rf "$stage" "$build/packages/$name.zip"
mkdir -p "$stage/bin" "$stage/include" "$stage/lib"
cp "$build"/bin/keszip.dll "$build"/bin/kesbar.dll "$build"/bin/Custom.dll \
   "$build"/bin/keszip.exe "$build"/bin/keszip-mkdic.exe "$build"/bin/zelko7.exe "$stage/bin/"
# Without the debugging sections the DLLs and programs are a tenth of the size.
strip_tool=x86_64-w64-mingw32-strip
[ "$arch" = win32 ] && strip_tool=i686-w64-mingw32-strip
"$strip_tool" --strip-debug "$stage"/bin/*.dll "$stage"/bin/*.exe
cp "$source_dir/converter/resources/manual/zelko7.html" "$stage/bin/"
for file in KESZIP.DIC KESZIP.TBL KESZIP.PRM KESCMP.DIC KESTEL.DIC; do
    if [ -f "$dictionaries/$file" ]; then
        cp "$dictionaries/$file" "$stage/bin/"
    else
        echo "windows-package: no $file in $dictionaries; the package has no dictionaries" >&2
    fi
done
cp "$source_dir/engine/include/keszip.h" "$source_dir/barcode/include/kesbar.h" \
   "$source_dir/setup-helper/include/custom.h" "$stage/include/"
cp "$build"/bin/keszip.def "$build"/bin/kesbar.def "$build"/bin/Custom.def "$stage/lib/"
find "$build" -name '*.dll.a' -not -path '*/packages/*' -not -path '*/third-party/*' \
     -exec cp {} "$stage/lib/" \;
cp "$source_dir/README.md" "$stage/"
(cd "$build/packages" && cmake -E tar cf "$name.zip" --format=zip "$name")
echo "$build/packages/$name.zip"
