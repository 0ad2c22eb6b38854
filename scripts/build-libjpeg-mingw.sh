#!/usr/bin/env bash
# build-libjpeg-mingw.sh ARCH   (ARCH: x86_64 or i686)
# Builds the static libjpeg (version 62 interface) for Windows with mingw-w64
# from Debian's libjpeg-turbo source package, once, into
# .cache/mingw-ARCH/{include,lib}. Later runs find it there and do nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
arch=${1:?usage: build-libjpeg-mingw.sh x86_64|i686}
case "$arch" in x86_64|i686) ;; *) echo "build-libjpeg-mingw: unknown arch $arch" >&2; exit 2 ;; esac

prefix=$root/.cache/mingw-$arch
stamp=$prefix/lib/libjpeg.a
[ -f "$stamp" ] && [ -f "$prefix/include/jpeglib.h" ] && exit 0

sources=$root/.cache/src
mkdir -p "$sources"
source_dir=$(find "$sources" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo-*' | sort | tail -n 1)
if [ -z "$source_dir" ]; then
  source_dir=$(scripts/fetch-debian-source.sh libjpeg-turbo "$sources")
fi

build=$root/.cache/build-libjpeg-$arch
rm -rf "$build"
# Only the plain C library: no SIMD (it needs nasm), no TurboJPEG API, no tools.
cmake -S "$source_dir" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DWITH_ARITH_DEC=ON -DWITH_ARITH_ENC=ON \
  -DCMAKE_INSTALL_PREFIX="$prefix" > "$build.log" 2>&1 || { cat "$build.log" >&2; exit 1; }
cmake --build "$build" -j"${JOBS:-2}" --target jpeg-static >> "$build.log" 2>&1 || { tail -n 50 "$build.log" >&2; exit 1; }

mkdir -p "$prefix/include" "$prefix/lib"
cp "$source_dir/jpeglib.h" "$source_dir/jmorecfg.h" "$source_dir/jerror.h" "$build/jconfig.h" "$prefix/include/"
# Copy the library last: its presence marks a finished build.
cp "$build/libjpeg.a" "$prefix/lib/libjpeg.a.part"
mv "$prefix/lib/libjpeg.a.part" "$stamp"
rm -rf "$build" "$build.log"
echo "libjpeg for $arch built into $prefix"
