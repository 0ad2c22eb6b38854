#!/usr/bin/env bash
# screenshots.sh BUILD OUTDIR: every effect's GIMP dialog on the sample
# photograph once its preview has rendered, as OUTDIR/gimp-dialog-<effect>.png.
# Run with a display (xvfb-run gives a private one).
set -euo pipefail
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
picture=$(mktemp --suffix=.png)
trap 'rm -f "$picture"' EXIT
# 4:3 at 720 pixels: the fitted preview fills the area's width.
"$build/make-sample-image" "$picture" 720 540 --photo
for effect in BorderStamp Edge FillStamp Frame Patchwork Resurface; do
  DAPPLE_DATA=$build "$build/gimp/dialog/dapple-gimp-dialog-demo" "$effect" "$picture" \
    --screenshot "$out/gimp-dialog-$effect.png"
  echo "$out/gimp-dialog-$effect.png"
done
