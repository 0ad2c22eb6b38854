#!/usr/bin/env bash
# Installs what the Windows cross build and its tests need: the mingw-w64
# compilers (posix thread model, for std::thread), zlib for mingw, Wine with
# its own fonts (the window captions draw their buttons in Marlett) and Xvfb
# from Debian, then builds libjpeg, libpng, libdeflate, libtiff and
# GoogleTest for mingw into .cache/ (once). Does nothing that is already done. Needs root or sudo for
# the Debian packages.
#   scripts/install-windows-deps.sh [ARCH...]   (default: x86_64 i686)
set -euo pipefail
cd "$(dirname "$0")/.."
archs=("$@")
[ ${#archs[@]} -gt 0 ] || archs=(x86_64 i686)

packages=(cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 libz-mingw-w64-dev googletest wine64 xvfb
          fonts-wine)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-windows-deps: need root to install ${missing[*]}" >&2; exit 1; }
    sudo=sudo
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

for arch in "${archs[@]}"; do
  scripts/build-libjpeg-mingw.sh "$arch"
  # Only the x86-64 build runs tests (the host's tests drive the core
  # through the command-line host, which reads image files); the i686 build
  # compiles and links the plug-in, which reads none.
  if [ "$arch" = x86_64 ]; then
    scripts/build-libpng-mingw.sh "$arch"
    scripts/build-libtiff-mingw.sh "$arch"
    scripts/build-googletest-mingw.sh "$arch"
  fi
done
exit 0
