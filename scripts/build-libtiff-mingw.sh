#!/usr/bin/env bash
# build-libtiff-mingw.sh ARCH   (ARCH: x86_64 or i686)
# Builds the static libtiff for Windows with mingw-w64 from Debian's tiff
# source package, once, into .cache/mingw-ARCH/{include,lib}: with Deflate
# (through libdeflate, scripts/build-libdeflate-mingw.sh, and the mingw zlib
# of libz-mingw-w64-dev) and LZW, without the codecs the command never
# writes nor meets in photographs' TIFF files (JPEG-in-TIFF, JBIG, LERC,
# LZMA, ZSTD, WebP). Later runs find it there and do nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
arch=${1:?usage: build-libtiff-mingw.sh x86_64|i686}
case "$arch" in x86_64|i686) ;; *) echo "build-libtiff-mingw: unknown arch $arch" >&2; exit 2 ;; esac

prefix=$root/.cache/mingw-$arch
stamp=$prefix/lib/libtiff.a
[ -f "$stamp" ] && [ -f "$prefix/include/tiffio.h" ] && exit 0
scripts/build-libdeflate-mingw.sh "$arch"

sources=$root/.cache/src
mkdir -p "$sources"
source_dir=$(find "$sources" -maxdepth 1 -mindepth 1 -type d -name 'tiff-*' | sort | tail -n 1)
if [ -z "$source_dir" ]; then
  source_dir=$(scripts/fetch-debian-source.sh tiff "$sources")
fi

build=$root/.cache/build-libtiff-$arch
rm -rf "$build"
cmake -S "$source_dir" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF \
  -Dtiff-docs=OFF -Dcxx=OFF -Djpeg=OFF -Dold-jpeg=OFF -Djbig=OFF -Dlerc=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF \
  -Dzlib=ON -Dlibdeflate=ON -DDeflate_INCLUDE_DIR="$prefix/include" -DDeflate_LIBRARY="$prefix/lib/libdeflate.a" \
  > "$build.log" 2>&1 || { cat "$build.log" >&2; exit 1; }
cmake --build "$build" -j"${JOBS:-2}" --target tiff >> "$build.log" 2>&1 || { tail -n 50 "$build.log" >&2; exit 1; }

mkdir -p "$prefix/include" "$prefix/lib"
cp "$source_dir/libtiff/tiff.h" "$source_dir/libtiff/tiffio.h" "$source_dir/libtiff/tiffvers.h" \
  "$build/libtiff/tiffconf.h" "$prefix/include/"
library=$(find "$build/libtiff" -maxdepth 1 -name 'libtiff*.a' | head -n 1)
[ -n "$library" ] || { echo "build-libtiff-mingw: no static library built" >&2; exit 1; }
# Copy the library last: its presence marks a finished build.
cp "$library" "$prefix/lib/libtiff.a.part"
mv "$prefix/lib/libtiff.a.part" "$stamp"
rm -rf "$build" "$build.log"
echo "libtiff for $arch built into $prefix"
