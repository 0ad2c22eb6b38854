#!/usr/bin/env bash
# build-googletest-mingw.sh ARCH   (ARCH: x86_64 or i686)
# Builds GoogleTest and GoogleMock for Windows with mingw-w64 from Debian's
# googletest sources in /usr/src/googletest, once, into .cache/mingw-ARCH.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
arch=${1:?usage: build-googletest-mingw.sh x86_64|i686}
case "$arch" in x86_64|i686) ;; *) echo "build-googletest-mingw: unknown arch $arch" >&2; exit 2 ;; esac

prefix=$root/.cache/mingw-$arch
stamp=$prefix/lib/cmake/GTest/GTestConfig.cmake
[ -f "$stamp" ] && [ -f "$prefix/lib/libgtest.a" ] && exit 0
[ -f /usr/src/googletest/CMakeLists.txt ] || { echo "build-googletest-mingw: /usr/src/googletest is missing" >&2; exit 1; }

build=$root/.cache/build-googletest-$arch
rm -rf "$build"
cmake -S /usr/src/googletest -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON \
  -DCMAKE_INSTALL_PREFIX="$prefix" > "$build.log" 2>&1 || { cat "$build.log" >&2; exit 1; }
cmake --build "$build" -j"${JOBS:-2}" >> "$build.log" 2>&1 || { tail -n 50 "$build.log" >&2; exit 1; }
cmake --install "$build" >> "$build.log" 2>&1 || { tail -n 50 "$build.log" >&2; exit 1; }
rm -rf "$build" "$build.log"
echo "GoogleTest for $arch built into $prefix"
