#!/usr/bin/env bash
# remake-reference-pictures.sh [--check] PATH/TO/dapple
#
# The command's reference pictures, tests/cli/reference: every effect the
# command lists, at its defaults, applied to sample.png (160 x 120, drawn by
# make-sample-image beside dapple), full size (<effect>.png) and as the
# preview at scale 2 (<effect>-preview2.png), with the default content pack
# beside dapple. They hold the effects' exact bytes, so that a rework meant
# to change only speed is caught when it changes one.
#
# Without --check: draws the sample and makes every picture anew. Do so only
# for a change meant to change them, and look at each before committing.
# With --check (the test run): makes every picture from the stored sample in
# a scratch folder and fails unless each equals its stored file byte for
# byte and no picture is missing or left over.
set -euo pipefail

check=false
if [ "${1:-}" = --check ]; then
  check=true
  shift
fi
dapple=${1:?usage: remake-reference-pictures.sh [--check] PATH/TO/dapple}
root=$(cd "$(dirname "$0")/.." && pwd)
reference="$root/tests/cli/reference"
fail() { echo "remake-reference-pictures: $*" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-reference.XXXXXX")
trap 'rm -rf "$work"' EXIT
# No user settings or options of whoever runs it.
export XDG_DATA_HOME="$work/user"

if $check; then
  cp "$reference/sample.png" "$work/sample.png"
else
  "$(dirname "$dapple")/make-sample-image" "$work/sample.png" 160 120
fi

effects=$("$dapple" effects | cut -f2)
[ -n "$effects" ] || fail "dapple lists no effects"
for effect in $effects; do
  "$dapple" apply "$effect" "$work/sample.png" "$work/$effect.png" --quiet || fail "$effect failed"
  "$dapple" apply "$effect" "$work/sample.png" "$work/$effect-preview2.png" --quiet --preview-scale 2 ||
    fail "$effect's preview failed"
done
rm -rf "$work/user"

if $check; then
  # diff names each picture that differs in a byte, is missing or is new.
  diff -rq "$reference" "$work" >&2 || fail "the pictures differ from tests/cli/reference (see above)"
  echo "remake-reference-pictures: every picture equals its reference"
else
  rm -rf "$reference"
  mkdir -p "$reference"
  cp "$work"/*.png "$reference/"
  echo "remake-reference-pictures: wrote $(ls "$reference" | wc -l) pictures to tests/cli/reference"
fi
