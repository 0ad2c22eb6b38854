#!/usr/bin/env bash
# Times our blur and resample benchmarks against ImageMagick and OpenCV doing
# comparable work on the same machine in the same run, and prints our times
# as ratios to theirs (below 1 means we are faster).
#
#   bench/compare-peers.sh [bench-build-dir]     (default: build-bench)
#
# ImageMagick and OpenCV (Debian's python3-opencv) are installed by
# scripts/install-deps.sh --bench when missing (needs root or sudo).
# The benchmark build is configured and built when its programs are missing.
#
# Matching the work:
#   blur radius r -> ImageMagick -blur RxS: S = (r + 1) / (2 sqrt 2), the sigma
#     of our weights exp(-(2u / (r + 1))^2), and R = our kernel's half width
#     (the last u < max(2, ceil r) whose weight is at least 0.1).
#   reduction 4000x3000 -> 1000x750 -> -filter Gaussian with sigma and support
#     set to ours (a spread of a quarter step, cut at half a step).
#   enlarging 1000x750 -> 4000x3000 -> -filter Triangle (bilinear).
# ImageMagick runs with one thread, and so do we for its columns (our CPU time
# is then all the work's); its -bench loop also reads
# the input each time, so a run that only reads is timed and subtracted.
# Times are CPU milliseconds per operation (the machine may be shared) and,
# for reference, wall milliseconds. OpenCV (bench/opencv-peer.py) runs on
# every core, as ours does since the passes run on the worker pool: its
# ratio is of wall times. For OpenCV the blur is GaussianBlur with our half
# width and sigma and edge pixels repeated, the reduction INTER_AREA (the
# nearest of its filters to our Gaussian) and the enlargement INTER_LINEAR.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-bench}
[[ $build = /* ]] || build="$repo/$build"
iterations=${PEER_ITERATIONS:-3}

find_magick() {
  local c
  for c in magick convert-im7.q16 convert-im6.q16 convert-im6; do
    if command -v "$c" >/dev/null 2>&1; then command -v "$c"; return 0; fi
  done
  return 1
}

"$repo/scripts/install-deps.sh" --bench || true
im=$(find_magick) || true
if [ -z "${im:-}" ] && command -v convert >/dev/null 2>&1 && convert -version 2>/dev/null | grep -q ImageMagick; then
  im=$(command -v convert)
fi
[ -n "${im:-}" ] || { echo "compare-peers: ImageMagick is not available" >&2; exit 1; }

if [ ! -x "$build/bench/bench_blur" ] || [ ! -x "$build/bench/bench_resample" ]; then
  cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDAPPLE_BENCH=ON -DDAPPLE_TESTS=OFF >/dev/null
  cmake --build "$build" -j2 --target bench_blur bench_resample
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same sizes our benchmarks use.
"$im" -size 2000x2000 gradient:black-white -colorspace Gray -depth 8 "$work/grey.pgm"
"$im" -size 2000x2000 gradient:red-blue -alpha set -channel A -evaluate set 60% +channel -depth 8 "$work/rgba.pam"
"$im" -size 4000x3000 gradient:yellow-navy -depth 8 "$work/large.ppm"
"$im" -size 1000x750 gradient:yellow-navy -depth 8 "$work/small.ppm"

# Prints "cpu-ms wall-ms" per iteration of: $im <input> -bench N <operation...> null:
# from ImageMagick's "Performance[1]: Ni ips e <user>u m:ss.sss" line.
magick_time() {
  local input=$1; shift
  "$im" -limit thread 1 "$input" -bench "$iterations" "$@" null: 2>&1 |
    awk -v n="$iterations" '/Performance\[1\]/ {
        user = $5; sub(/u$/, "", user)
        split($6, t, ":"); wall = t[1] * 60 + t[2]
        printf "%.3f %.3f\n", user * 1000 / n, wall * 1000 / n }'
}

# Operation time: with the operation minus reading alone.
peer_time() {
  local input=$1; shift
  local with without
  with=$(magick_time "$input" "$@")
  without=$(magick_time "$input")
  awk -v a="$with" -v b="$without" 'BEGIN {
      split(a, x, " "); split(b, y, " ")
      c = x[1] - y[1]; w = x[2] - y[2]; if (c < 0) c = 0; if (w < 0) w = 0
      printf "%.1f %.1f\n", c, w }'
}

# Half width and sigma of our kernel for radius r.
blur_geometry() {
  awk -v r="$1" 'BEGIN {
      length_ = r > 2 ? r : 2; if (length_ != int(length_)) length_ = int(length_) + 1
      half = 0
      for (u = 1; u < length_; u++) { t = u * 2 / (r + 1); if (exp(-t * t) < 0.1) break; half = u }
      printf "%dx%.4f\n", half, (r + 1) / (2 * sqrt(2)) }'
}

# "name cpu-ms wall-ms" for each of our benchmarks matching the filter: the
# best of 5 repetitions, as OpenCV's figure is the best of 5 runs.
ours() {
  "$1" --benchmark_filter="$2" --benchmark_format=csv --benchmark_repetitions=5 2>/dev/null |
    awk -F, '/^"?BM_/ {
        name = $1; gsub(/"/, "", name)
        if (name ~ /_(mean|median|stddev|cv)$/) next
        scale = ($5 ~ /ms/) ? 1 : ($5 ~ /us/) ? 0.001 : ($5 ~ /ns/) ? 0.000001 : 1000
        cpu = $4 * scale; wall = $3 * scale
        if (!(name in best_wall)) { order[++count] = name; best_cpu[name] = cpu; best_wall[name] = wall }
        if (cpu < best_cpu[name]) best_cpu[name] = cpu
        if (wall < best_wall[name]) best_wall[name] = wall }
      END { for (i = 1; i <= count; i++) printf "%s %.1f %.1f\n", order[i], best_cpu[order[i]], best_wall[order[i]] }'
}

declare -A peer_cpu peer_wall
record() {  # key, then the peer_time arguments
  local key=$1; shift
  local t
  t=$(peer_time "$@")
  peer_cpu[$key]=${t% *}
  peer_wall[$key]=${t#* }
}

echo "Timing ImageMagick ($("$im" -version | head -1 | cut -d' ' -f2-3), 1 thread, $iterations runs each) ..." >&2
for r in 5 20 60; do
  record "BM_BlurGrey/$r" "$work/grey.pgm" -blur "$(blur_geometry $r)"
done
record "BM_BlurRGBA/10" "$work/rgba.pam" -channel RGBA -blur "$(blur_geometry 10)"
record "BM_ResampleDown_4000x3000_to_1000x750" "$work/large.ppm" \
  -define filter:sigma=0.25 -define filter:support=0.5 -filter Gaussian -resize '1000x750!'
record "BM_ResampleUp_1000x750_to_4000x3000" "$work/small.ppm" -filter Triangle -resize '4000x3000!'

declare -A cv_wall
if /usr/bin/python3 -c "import cv2" 2>/dev/null; then
  echo "Timing OpenCV ..." >&2
  cases=()
  for r in 5 20 60; do cases+=("BM_BlurGrey/$r=$(blur_geometry $r)"); done
  cases+=("BM_BlurRGBA/10=$(blur_geometry 10)")
  while read -r name ms; do cv_wall[$name]=$ms; done < <(/usr/bin/python3 "$repo/bench/opencv-peer.py" 5 "${cases[@]}")
else
  echo "compare-peers: OpenCV is not available; its columns stay empty" >&2
fi

echo "Timing ours ..." >&2
measure_ours() {
  ours "$build/bench/bench_blur" '^BM_Blur(Grey/(5|20|60)|RGBA/10)$'
  ours "$build/bench/bench_resample" '^BM_Resample'
}
# One thread for the CPU columns, every core for the wall time against OpenCV.
results=$(DAPPLE_THREADS=1 measure_ours)
declare -A ours_wall
while read -r name _ wall; do ours_wall[$name]=$wall; done < <(measure_ours)

printf '\n%-40s %10s %10s %8s %10s %10s %8s %10s %10s %8s\n' "case" "ours cpu" "IM cpu" "ratio" "ours wall" \
  "IM wall" "ratio" "ours 2+ th" "CV wall" "ratio"
while read -r name cpu wall; do
  [ -n "${peer_cpu[$name]:-}" ] || continue
  awk -v n="$name" -v c="$cpu" -v w="$wall" -v pc="${peer_cpu[$name]}" -v pw="${peer_wall[$name]}" \
      -v cw="${cv_wall[$name]:-0}" -v ow="${ours_wall[$name]:-0}" 'BEGIN {
      rc = pc > 0 ? sprintf("%.2f", c / pc) : "n/a"; rw = pw > 0 ? sprintf("%.2f", w / pw) : "n/a"
      rcv = cw > 0 ? sprintf("%.2f", ow / cw) : "n/a"
      printf "%-40s %8.1fms %8.1fms %8s %8.1fms %8.1fms %8s %8.1fms %8.1fms %8s\n", n, c, pc, rc, w, pw, rw, ow, cw, rcv }'
done <<<"$results"
