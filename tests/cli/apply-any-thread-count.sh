#!/usr/bin/env bash
# apply-any-thread-count.sh DAPPLE MAKE_SAMPLE
# Every effect the command lists, at its defaults, gives the same file byte
# for byte on 1, 2 and 7 threads: full size, full size through a soft mask,
# and as a preview; PNG and JPEG. The thread count comes from --threads or
# from DAPPLE_THREADS alike, and a bad count is refused before anything runs.
set -euo pipefail
dapple=${1:?usage: apply-any-thread-count.sh DAPPLE MAKE_SAMPLE}
make_sample=${2:?}

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-threads.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "apply-any-thread-count: $*" >&2; exit 1; }

# Large enough that every parallel loop is cut into several chunks.
"$make_sample" "$work/photo.png" 900 700 --photo
"$make_sample" "$work/card.png" 900 700
"$make_sample" "$work/mask.png" 900 700 --mask

# same OUTPUT...: every file equal to the first.
same() {
  local first=$1
  shift
  for other in "$@"; do cmp -s "$first" "$other" || fail "$(basename "$other") differs from $(basename "$first")"; done
}

effects=$("$dapple" effects | cut -f2)
[ -n "$effects" ] || fail "dapple lists no effects"
for effect in $effects; do
  for input in photo.png card.png; do
    base="$work/$effect-${input%.png}"
    for threads in 1 2 7; do
      "$dapple" apply "$effect" "$work/$input" "$base-$threads.png" --quiet --threads $threads ||
        fail "$effect on $input with $threads threads failed"
      "$dapple" apply "$effect" "$work/$input" "$base-$threads-masked.png" --quiet --threads $threads \
        --mask "$work/mask.png" || fail "$effect through a mask on $input with $threads threads failed"
      "$dapple" apply "$effect" "$work/$input" "$base-$threads-preview.png" --quiet --threads $threads \
        --preview-scale 3 || fail "$effect preview on $input with $threads threads failed"
    done
    same "$base-1.png" "$base-2.png" "$base-7.png"
    same "$base-1-masked.png" "$base-2-masked.png" "$base-7-masked.png"
    same "$base-1-preview.png" "$base-2-preview.png" "$base-7-preview.png"
    cmp -s "$work/$input" "$base-1.png" && fail "$effect left $input as it was"
  done
  for threads in 1 7; do
    DAPPLE_THREADS=$threads "$dapple" apply "$effect" "$work/photo.png" "$work/$effect-env-$threads.jpg" --quiet ||
      fail "$effect to JPEG with DAPPLE_THREADS=$threads failed"
  done
  same "$work/$effect-env-1.jpg" "$work/$effect-env-7.jpg"
done

for bad in 0 -1 x 2.5 ""; do
  if "$dapple" apply edge "$work/photo.png" "$work/refused.png" --threads "$bad" 2>"$work/err.txt"; then
    fail "--threads '$bad' was taken"
  fi
  grep -q -- "--threads" "$work/err.txt" || fail "no message for --threads '$bad'"
  [ ! -e "$work/refused.png" ] || fail "a refused run wrote its output"
done
echo "apply-any-thread-count: every effect the same on 1, 2 and 7 threads"
