#!/usr/bin/env bash
# Edges over 40 pictures of 6 megapixels (3000 x 2000 JPEG), once as one
# `dapple apply --out-dir` batch and once as a shell loop of single-file
# runs, the way a user without the batch would do it. Both must write the
# same bytes; the batch should take at most 1 / 1.6 of the loop's time on a
# machine of 2 cores.
#
#   bench/batch-vs-loop.sh [bench-build-dir]     (default: build-bench)
#
# FILES (40) and REPEATS (3) change the work; each form's best time of the
# repeats counts, since a shared machine only ever makes a run slower. The
# CPU time of each form is printed too: it shows what the batch saves when
# the cores are busy with other work.
set -euo pipefail
build=${1:-build-bench}
files=${FILES:-40}
repeats=${REPEATS:-3}
dapple="$build/dapple"
make_sample="$build/make-sample-image"
for program in "$dapple" "$make_sample"; do
  [ -x "$program" ] || { echo "batch-vs-loop: no $program (build the benchmarks first)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-batch-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in"
"$make_sample" "$work/in/photo-000.jpg" 3000 2000
for i in $(seq 1 $((files - 1))); do cp "$work/in/photo-000.jpg" "$work/in/photo-$(printf %03d "$i").jpg"; done

# Seconds of wall-clock and of CPU (user + system, children included) of "$@".
timed() {
  local TIMEFORMAT='%R %U %S' times
  times=$( { time "$@" >/dev/null 2>&1; } 2>&1)
  echo "$times" | awk '{ printf "%.2f %.2f\n", $1, $2 + $3 }'
}

loop() {
  for f in "$work"/in/*.jpg; do "$dapple" apply edge "$f" "$work/loop/$(basename "$f")" --quiet; done
}

# less A B: whether the number A is below B.
less() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

best_loop="" best_batch="" loop_cpu="" batch_cpu=""
for r in $(seq 1 "$repeats"); do
  rm -rf "$work/loop" "$work/batch"
  mkdir -p "$work/loop"
  read -r wall cpu < <(timed loop)
  echo "  loop  run $r: ${wall} s wall, ${cpu} s CPU"
  if [ -z "$best_loop" ] || less "$wall" "$best_loop"; then best_loop=$wall loop_cpu=$cpu; fi
  read -r wall cpu < <(timed "$dapple" apply edge "$work"/in/*.jpg --out-dir "$work/batch" --quiet)
  echo "  batch run $r: ${wall} s wall, ${cpu} s CPU"
  if [ -z "$best_batch" ] || less "$wall" "$best_batch"; then best_batch=$wall batch_cpu=$cpu; fi
  for f in "$work"/loop/*.jpg; do
    cmp -s "$f" "$work/batch/$(basename "$f")" || { echo "batch-vs-loop: $(basename "$f") differs" >&2; exit 1; }
  done
done
ratio=$(awk -v a="$best_loop" -v b="$best_batch" 'BEGIN { printf "%.2f", a / b }')
verdict=$(less "$ratio" 1.6 && echo missed || echo met)
echo "batch-vs-loop: $files files of 3000x2000, $(nproc) cores: loop ${best_loop} s (${loop_cpu} s CPU)," \
     "batch ${best_batch} s (${batch_cpu} s CPU): ${ratio} x (target 1.6 x: $verdict)"
