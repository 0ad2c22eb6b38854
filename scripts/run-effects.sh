#!/usr/bin/env bash
# Applies every effect this build carries, at its defaults and with each of
# its factory settings, to the sample picture, writing out/<effect>.png and
# out/<effect> - <setting>.png. Usage: run-effects.sh PATH/TO/dapple
set -euo pipefail

dapple=${1:?usage: run-effects.sh PATH/TO/dapple}
if [ ! -x "$dapple" ]; then
  echo "run-effects: no dapple command at $dapple (did the build skip it?)" >&2
  exit 1
fi
bin_dir=$(cd "$(dirname "$dapple")" && pwd)
make_sample="$bin_dir/make-sample-image"
if [ ! -x "$make_sample" ]; then
  echo "run-effects: no make-sample-image beside $dapple" >&2
  exit 1
fi

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/out"
mkdir -p "$out"
sample="$out/sample.png"
# Large enough that effects sized in pixels at their defaults (a 150-pixel
# frame, stamps along a border) leave the picture visible, as on a photograph.
"$make_sample" "$sample" 960 720

# `dapple effects` lists one effect a line: kind, internal name, display name.
names=$("$dapple" effects | awk -F'\t' '{ print $2 }')
if [ -z "$names" ]; then
  echo "run-effects: dapple lists no effects" >&2
  exit 1
fi

status=0
for name in $names; do
  target="$out/$name.png"
  if "$dapple" apply "$name" "$sample" "$target" --quiet; then
    echo "$name: $target"
  else
    echo "$name: failed" >&2
    status=1
  fi
  # `dapple settings list` gives "user" or "factory", a tab, the name.
  while IFS=$'\t' read -r source setting; do
    [ "$source" = factory ] || continue
    target="$out/$name - $setting.png"
    if "$dapple" apply "$name" "$sample" "$target" --settings "$setting" --quiet; then
      echo "$name, $setting: $target"
    else
      echo "$name, $setting: failed" >&2
      status=1
    fi
  done < <("$dapple" settings list "$name")
done
echo "sample picture: $sample"
exit $status
