#!/usr/bin/env bash
# fetch-photographs.sh [DEST]
# Puts the public-domain photographs of scikit-image's data (Debian's
# python3-skimage) into DEST (default .cache/photographs) and prints DEST.
# The package is downloaded with apt-get and only its pictures are unpacked:
# nothing is installed, so none of its Python dependencies come with it.
# Does nothing when the pictures are there.
set -euo pipefail
cd "$(dirname "$0")/.."
dest=${1:-.cache/photographs}
pictures=(astronaut.png chelsea.png coffee.png motorcycle_left.png rocket.jpg)

have_all() {
  for picture in "${pictures[@]}"; do [ -s "$dest/$picture" ] || return 1; done
}
if have_all; then
  echo "$dest"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! (cd "$work" && apt-get download -qq python3-skimage >/dev/null 2>&1); then
  # A fresh machine has no package lists yet.
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  (cd "$work" && apt-get download -qq python3-skimage >/dev/null)
fi
dpkg-deb -x "$work"/python3-skimage_*.deb "$work/unpacked"
mkdir -p "$dest"
for picture in "${pictures[@]}"; do
  cp "$work/unpacked/usr/lib/python3/dist-packages/skimage/data/$picture" "$dest/"
done
have_all || { echo "fetch-photographs: the package lacks some pictures" >&2; exit 1; }
echo "$dest"
