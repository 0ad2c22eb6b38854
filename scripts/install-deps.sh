#!/usr/bin/env bash
# Installs the Debian packages the native build, tests and benchmarks need:
# clang with its sanitizer runtimes builds the fuzz targets, and GIMP opens
# the Paint Shop Pro files our writers make, as an independent reader;
# python3's json module reads the command's JSON output in the tests; GNU
# time measures the whole-run benchmark's peak memory; Little CMS gives the
# colour differences of the Patchwork benchmark; man-db shows the installed
# manual pages in the install test; libgimp2.0-dev builds the GIMP plug-in,
# and Xvfb gives GIMP and its dialog a display in the tests, where the X
# test extension (libxtst6) presses GIMP's keys and buttons; xwininfo
# (x11-utils) finds the dialog.
# Does nothing when everything is present; needs root (or sudo) otherwise.
set -euo pipefail

packages=(g++ cmake make ninja-build pkg-config libgtest-dev libgmock-dev man-db
          libbenchmark-dev libpng-dev libjpeg62-turbo-dev zlib1g-dev libdeflate-dev libtiff-dev
          clang-format clang libclang-rt-dev gimp libgimp2.0-dev xvfb libxtst6 x11-utils python3 time liblcms2-dev)
# --bench: also the peers bench/compare-peers.sh times us against
# (ImageMagick, and OpenCV from Python); the build and tests never need them.
if [ "${1:-}" = "--bench" ]; then
  packages+=(imagemagick python3-opencv libvips-tools)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root to install ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
