#!/usr/bin/env bash
# build-libdeflate-mingw.sh ARCH   (ARCH: x86_64 or i686)
# Builds the static libdeflate for Windows with mingw-w64 from Debian's
# libdeflate source package, once, into .cache/mingw-ARCH/{include,lib}.
# Later runs find it there and do nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
arch=${1:?usage: build-libdeflate-mingw.sh x86_64|i686}
case "$arch" in x86_64|i686) ;; *) echo "build-libdeflate-mingw: unknown arch $arch" >&2; exit 2 ;; esac

prefix=$root/.cache/mingw-$arch
stamp=$prefix/lib/libdeflate.a
[ -f "$stamp" ] && [ -f "$prefix/include/libdeflate.h" ] && exit 0

sources=$root/.cache/src
mkdir -p "$sources"
source_dir=$(find "$sources" -maxdepth 1 -mindepth 1 -type d -name 'libdeflate-*' | sort | tail -n 1)
if [ -z "$source_dir" ]; then
  source_dir=$(scripts/fetch-debian-source.sh libdeflate "$sources")
fi

# The library alone, out of the source folder (shared by both architectures).
build=$root/.cache/build-libdeflate-$arch
rm -rf "$build"
cp -r "$source_dir" "$build"
# For mingw its Makefile names the static library libdeflatestatic.lib.
make -C "$build" -j"${JOBS:-2}" CC="$arch-w64-mingw32-gcc-posix" AR="$arch-w64-mingw32-ar" libdeflatestatic.lib \
  > "$build.log" 2>&1 || { tail -n 50 "$build.log" >&2; exit 1; }

mkdir -p "$prefix/include" "$prefix/lib"
cp "$source_dir/libdeflate.h" "$prefix/include/"
# Copy the library last: its presence marks a finished build.
cp "$build/libdeflatestatic.lib" "$prefix/lib/libdeflate.a.part"
mv "$prefix/lib/libdeflate.a.part" "$stamp"
rm -rf "$build" "$build.log"
echo "libdeflate for $arch built into $prefix"
