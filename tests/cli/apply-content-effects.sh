#!/usr/bin/env bash
# apply-content-effects.sh DAPPLE MAKE_SAMPLE COMPARE
# The dapple command applies the effects that draw on content (Border Stamp,
# Fill Stamp, Frame, Patchwork, Resurface) with the default content pack
# beside it and with another file of the pack given by --set Path=, at full
# size and as a preview: each run succeeds and changes the picture; naming
# the default file gives the default's pixels; a file of the wrong kind is
# refused with its message and nothing is written.
set -euo pipefail
dapple=${1:?usage: apply-content-effects.sh DAPPLE MAKE_SAMPLE COMPARE}
make_sample=${2:?}
compare=${3:?}

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-content-effects.XXXXXX")
trap 'rm -rf "$work"' EXIT
sample="$work/sample.png"
"$make_sample" "$sample" 320 240

fail() { echo "apply-content-effects: $*" >&2; exit 1; }

# apply NAME EFFECT [OPTION...]: writes $work/NAME.png and checks it changed.
apply() {
  local name=$1 effect=$2
  shift 2
  local out="$work/$name.png"
  "$dapple" apply "$effect" "$sample" "$out" --quiet "$@" || fail "$name: dapple apply $effect $* failed"
  [ -f "$out" ] || fail "$name: no output"
  if "$compare" "$sample" "$out" >/dev/null 2>&1; then fail "$name: the picture did not change"; fi
}

apply border borderstamp
apply border-hearts borderstamp --set Path=Tubes/Hearts.tub
apply border-stars borderstamp --set Path=Tubes/Stars.tub
apply border-preview borderstamp --preview-scale 2
apply fill fillstamp
apply fill-bubbles fillstamp --set Path=Tubes/Bubbles.tub --set "Fl  =fiB2"
apply fill-preview fillstamp --preview-scale 3
apply frame frame
apply frame-modern frame --set Path=Frames/Modern.rfr --set "BrdT=40 pixels"
apply frame-preview frame --preview-scale 2
apply patchwork patchwork
apply patchwork-large patchwork --set "Wdth=14 pixels"
apply patchwork-preview patchwork --preview-scale 4
apply resurface resurface
apply resurface-canvas resurface --set Path=Textures/Canvas.jpg
apply resurface-paper resurface --set Path=Textures/Paper.jpg
apply resurface-brick resurface --set Path=Textures/Brick.jpg
apply resurface-stucco resurface --set Path=Textures/Stucco.jpg
apply resurface-preview resurface --preview-scale 2

"$compare" "$work/border.png" "$work/border-stars.png" || fail "naming the default tube changed the result"
if "$compare" "$work/border.png" "$work/border-hearts.png" >/dev/null 2>&1; then
  fail "another tube gave the default's result"
fi
"$compare" "$work/resurface.png" "$work/resurface-canvas.png" || fail "naming the default texture changed the result"
# Every texture gives a surface of its own (the outputs of one command, compared as files).
for a in canvas paper brick stucco; do
  for b in canvas paper brick stucco; do
    if [ "$a" \< "$b" ] && cmp -s "$work/resurface-$a.png" "$work/resurface-$b.png"; then
      fail "the $a and $b textures gave the same result"
    fi
  done
done
if cmp -s "$work/patchwork.png" "$work/patchwork-large.png"; then fail "the tile size changed nothing"; fi

# A picture tube is not a frame file (its grid is not 3 x 3).
if "$dapple" apply frame "$sample" "$work/refused.png" --quiet --set Path=Tubes/Stars.tub 2>"$work/err.txt"; then
  fail "a picture tube was taken for a frame"
fi
grep -q "a frame is a picture tube of 3 x 3 cells" "$work/err.txt" || fail "no reason for the wrong file: $(cat "$work/err.txt")"
[ ! -e "$work/refused.png" ] || fail "a refused run wrote its output"
# A texture is not a tile library, nor a tile library a texture.
if "$dapple" apply patchwork "$sample" "$work/refused.png" --quiet --set Path=Textures/Canvas.jpg 2>/dev/null; then
  fail "a texture was taken for a tile library"
fi
if "$dapple" apply resurface "$sample" "$work/refused.png" --quiet --set Path=Tiles/Mosaic.ptl 2>/dev/null; then
  fail "a tile library was taken for a texture"
fi
[ ! -e "$work/refused.png" ] || fail "a refused run wrote its output"
echo "apply-content-effects: every run as expected"
