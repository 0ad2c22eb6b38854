#!/usr/bin/env bash
# build-libpng-mingw.sh ARCH   (ARCH: x86_64 or i686)
# Builds the static libpng for Windows with mingw-w64 from Debian's libpng1.6
# source package, once, into .cache/mingw-ARCH/{include,lib}, against the
# mingw zlib of libz-mingw-w64-dev. Later runs find it there and do nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
arch=${1:?usage: build-libpng-mingw.sh x86_64|i686}
case "$arch" in x86_64|i686) ;; *) echo "build-libpng-mingw: unknown arch $arch" >&2; exit 2 ;; esac

prefix=$root/.cache/mingw-$arch
stamp=$prefix/lib/libpng.a
[ -f "$stamp" ] && [ -f "$prefix/include/png.h" ] && exit 0

sources=$root/.cache/src
mkdir -p "$sources"
source_dir=$(find "$sources" -maxdepth 1 -mindepth 1 -type d -name 'libpng1.6-*' | sort | tail -n 1)
if [ -z "$source_dir" ]; then
  source_dir=$(scripts/fetch-debian-source.sh libpng1.6 "$sources")
fi

build=$root/.cache/build-libpng-$arch
rm -rf "$build"
cmake -S "$source_dir" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DPNG_HARDWARE_OPTIMIZATIONS=OFF -DSKIP_INSTALL_PROGRAMS=ON > "$build.log" 2>&1 || { cat "$build.log" >&2; exit 1; }
cmake --build "$build" -j"${JOBS:-2}" --target png_static >> "$build.log" 2>&1 || { tail -n 50 "$build.log" >&2; exit 1; }

mkdir -p "$prefix/include" "$prefix/lib"
cp "$source_dir/png.h" "$source_dir/pngconf.h" "$build/pnglibconf.h" "$prefix/include/"
library=$(find "$build" -maxdepth 1 -name 'libpng*.a' | head -n 1)
[ -n "$library" ] || { echo "build-libpng-mingw: no static library built" >&2; exit 1; }
cp "$library" "$prefix/lib/libpng.a.part"
mv "$prefix/lib/libpng.a.part" "$stamp"
rm -rf "$build" "$build.log"
echo "libpng for $arch built into $prefix"
