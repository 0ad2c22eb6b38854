#!/usr/bin/env bash
# Times whole `dapple apply` runs, as a user runs them, of every built effect
# at its defaults on a 6000 x 4000 photograph-like picture, PNG to PNG and
# JPEG to JPEG, and prints one table: the whole run (wall seconds), the
# effect alone, reading and writing (from --timings) and the peak resident
# memory, also as a multiple of the image's bytes.
#
#   bench/whole-run.sh DAPPLE MAKE_SAMPLE_IMAGE [RUNS]    (RUNS: default 3)
#
# EFFECTS (the environment variable) limits the run to the effects it names.
# Each figure is the best of RUNS runs: the machine may be shared. A dapple
# without --timings (an older build) still gets its whole runs and memory.
set -euo pipefail

dapple=$1
sample=$2
runs=${3:-3}
width=6000
height=4000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$sample" "$work/photo.png" $width $height --photo
"$sample" "$work/photo.jpg" $width $height --photo
image_mb=$(awk -v w=$width -v h=$height 'BEGIN { printf "%.1f", w * h * 3 / 1e6 }')

timings=--timings
"$dapple" --help 2>&1 | grep -q -- --timings || timings=

best() { sort -g | head -1; }

printf '%-12s %-4s %8s %8s %8s %8s %9s %6s\n' effect file whole effect read write "peak MB" "x img"
for ext in png jpg; do
  for effect in ${EFFECTS:-$("$dapple" effects | cut -f2)}; do
    : >"$work/whole" && : >"$work/effect" && : >"$work/read" && : >"$work/write" && : >"$work/peak"
    for _ in $(seq "$runs"); do
      /usr/bin/time -f '%e %M' -o "$work/time" "$dapple" apply "$effect" "$work/photo.$ext" "$work/out.$ext" \
        --quiet $timings 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
      read -r wall kb <"$work/time"
      echo "$wall" >>"$work/whole"
      echo "$kb" >>"$work/peak"
      if [ -n "$timings" ]; then
        line=$(grep '^dapple: read' "$work/err")
        awk '{ print $3 }' <<<"$line" >>"$work/read"
        awk '{ print $6 }' <<<"$line" >>"$work/effect"
        awk '{ print $9 }' <<<"$line" >>"$work/write"
      fi
    done
    peak_kb=$(best <"$work/peak")
    peak_mb=$(awk -v k="$peak_kb" 'BEGIN { printf "%.0f", k * 1024 / 1e6 }')
    ratio=$(awk -v m="$peak_mb" -v i="$image_mb" 'BEGIN { printf "%.1f", m / i }')
    column() { [ -s "$work/$1" ] && best <"$work/$1" || echo -; }
    printf '%-12s %-4s %8s %8s %8s %8s %9s %6s\n' "$effect" "$ext" "$(column whole)" "$(column effect)" \
      "$(column read)" "$(column write)" "$peak_mb" "$ratio"
  done
done
echo "(seconds, best of $runs; the image is $image_mb MB as RGB)"
