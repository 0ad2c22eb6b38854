#!/usr/bin/env bash
# Times whole `dapple apply` runs, as a user runs them, of every built effect
# at its defaults on 6000 x 4000 pictures, as PNG, JPEG and TIFF, and in the
# same run libvips (`vips copy`: reading and writing alone) and ImageMagick
# (`convert`, reading and writing alone) on the same files.
#
#   bench/whole-run.sh DAPPLE MAKE_SAMPLE_IMAGE [RUNS]    (RUNS: default 3)
#
# The pictures: a real photograph (scikit-image's coffee.png from Debian's
# python3-skimage, scripts/fetch-photographs.sh) enlarged ten times, the
# same with camera-like grain, and our generated photograph-like picture.
# Each row gives the whole run's min/median/max wall seconds over RUNS runs
# (the machine may be shared), the median read, effect and write seconds
# (from --timings), the peak resident memory and the output's size. PNG rows
# also give ImageMagick's size for the same output pixels (its default
# level) as a ratio, and a last table compares `--png-compression smallest`
# with zlib's level 9 (ImageMagick -quality 95) in size and time.
#
# EFFECTS and PICTURES (environment) limit the run: EFFECTS=edge,
# PICTURES="photo grain generated", FORMATS="png jpg tif".
set -euo pipefail

dapple=$1
sample=$2
runs=${3:-3}
repo=$(cd "$(dirname "$0")/.." && pwd)
width=6000
height=4000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
magick=/usr/bin/convert
for tool in "$magick" vips; do
  command -v "$tool" >/dev/null || { echo "whole-run: $tool is missing (scripts/install-deps.sh --bench)" >&2; exit 1; }
done

photos=$("$repo/scripts/fetch-photographs.sh")
case $photos in /*) ;; *) photos=$repo/$photos ;; esac
pictures=${PICTURES:-photo grain generated}
formats=${FORMATS:-png jpg tif}
for picture in $pictures; do
  case $picture in
    photo) "$magick" "$photos/coffee.png" -filter Lanczos -resize "${width}x${height}!" "$work/photo.png" ;;
    grain) "$magick" "$photos/coffee.png" -filter Lanczos -resize "${width}x${height}!" -seed 7 \
             -attenuate 0.35 +noise Gaussian "$work/grain.png" ;;
    generated) "$sample" "$work/generated.png" $width $height --photo ;;
    *) echo "whole-run: unknown picture $picture" >&2; exit 2 ;;
  esac
  "$magick" "$work/$picture.png" -quality 92 "$work/$picture.jpg"
  "$magick" "$work/$picture.png" -compress lzw "$work/$picture.tif"
done

timings=--timings
"$dapple" help apply 2>&1 | grep -q -- --timings || timings=

# min/median/max of the numbers on standard input.
spread() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else printf "%s/%s/%s", v[1], v[int((NR + 1) / 2)], v[NR] }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else print v[int((NR + 1) / 2)] }'; }
megabytes() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.2f", b / 1e6 }'; }

# Runs "$@" RUNS times, keeping wall seconds in $work/whole and peak KB in $work/peak.
timed_runs() {
  : >"$work/whole" && : >"$work/peak" && : >"$work/read" && : >"$work/effect" && : >"$work/write"
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e %M' -o "$work/time" "$@" 2>"$work/err" || { cat "$work/err" >&2; return 1; }
    read -r wall kb <"$work/time"
    echo "$wall" >>"$work/whole"
    echo "$kb" >>"$work/peak"
    if line=$(grep '^dapple: read' "$work/err"); then
      awk '{ print $3 }' <<<"$line" >>"$work/read"
      awk '{ print $6 }' <<<"$line" >>"$work/effect"
      awk '{ print $9 }' <<<"$line" >>"$work/write"
    fi
  done
}

row() {  # picture format run output [ImageMagick's size]
  local peak_mb
  peak_mb=$(awk -v k="$(median <"$work/peak")" 'BEGIN { printf "%.0f", k * 1024 / 1e6 }')
  printf '%-9s %-4s %-16s %-17s %6s %6s %6s %7s %8s %8s\n' "$1" "$2" "$3" "$(spread <"$work/whole")" \
    "$(median <"$work/read")" "$(median <"$work/effect")" "$(median <"$work/write")" "$peak_mb" "$4" "${5:--}"
}

printf '%-9s %-4s %-16s %-17s %6s %6s %6s %7s %8s %8s\n' picture file run "whole min/med/max" read effect write \
  "peak MB" "out MB" "IM ratio"
for picture in $pictures; do
  for ext in $formats; do
    input=$work/$picture.$ext
    for effect in ${EFFECTS:-$("$dapple" effects | cut -f2)}; do
      output=$work/out.$ext
      rm -f "$output"
      if ! timed_runs "$dapple" apply "$effect" "$input" "$output" --quiet $timings; then
        printf '%-9s %-4s %-16s %s\n' "$picture" "$ext" "$effect" "failed"
        continue
      fi
      ratio=-
      if [ "$ext" = png ]; then
        "$magick" "$output" "$work/magick.png"
        ratio=$(awk -v a="$(stat -c %s "$output")" -v b="$(stat -c %s "$work/magick.png")" 'BEGIN { printf "%.3f", a / b }')
      fi
      row "$picture" "$ext" "$effect" "$(megabytes "$output")" "$ratio"
    done
    timed_runs vips copy "$input" "$work/vips.$ext"
    row "$picture" "$ext" "vips copy" "$(megabytes "$work/vips.$ext")"
    timed_runs "$magick" "$input" "$work/magick.$ext"
    row "$picture" "$ext" "magick convert" "$(megabytes "$work/magick.$ext")"
  done
done
echo "(seconds; whole: min/median/max of $runs runs, the others medians; IM ratio: our PNG's size over"
echo " ImageMagick's for the same pixels)"

# The smallest PNG against zlib's level 9 with adaptive filters (ImageMagick
# -quality 95) on the same pixels: the Edges and Frame results.
# One run each: `smallest` is slow by design.
runs=1
echo
printf '%-9s %-10s %10s %10s %9s %12s %8s\n' picture effect "fast MB" "small MB" "zlib9 MB" "small/zlib9" "time x"
for picture in $pictures; do
  for effect in ${EFFECTS:-edge frame}; do
    timed_runs "$dapple" apply "$effect" "$work/$picture.png" "$work/fast.png" --quiet $timings
    fast=$(median <"$work/write")
    timed_runs "$dapple" apply "$effect" "$work/$picture.png" "$work/small.png" --quiet $timings --png-compression smallest
    small=$(median <"$work/write")
    "$magick" "$work/small.png" -quality 95 "$work/zlib9.png"
    printf '%-9s %-10s %10s %10s %9s %12s %8s\n' "$picture" "$effect" "$(megabytes "$work/fast.png")" \
      "$(megabytes "$work/small.png")" "$(megabytes "$work/zlib9.png")" \
      "$(awk -v a="$(stat -c %s "$work/small.png")" -v b="$(stat -c %s "$work/zlib9.png")" 'BEGIN { printf "%.3f", a / b }')" \
      "$(awk -v a="$small" -v b="$fast" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "-" }')"
  done
done
echo "(time x: the smallest write's median seconds over the fast one's)"
