#!/usr/bin/env bash
# wine-plugin-smoke.sh NATIVE_BUILD WINDOWS_BUILD
# For every effect the native dapple command lists, applies the effect's
# defaults to the sample picture with the native command, and under Wine with
# dapple.exe twice: running the effect's plug-in module (--plugin
# Plugins/<module>.8bf), as a host would, and running its own linked-in copy.
# Every result must have the native pixels. The module then renders a larger photograph on 1 and on 7 threads
# (DAPPLE_THREADS, which the module reads itself): the files must be the
# same. Run it through scripts/wine-run.sh, which provides Wine's prefix
# and display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native_build=${1:?usage: wine-plugin-smoke.sh NATIVE_BUILD WINDOWS_BUILD}
windows_build=${2:?usage: wine-plugin-smoke.sh NATIVE_BUILD WINDOWS_BUILD}

dapple="$native_build/dapple"
make_sample="$native_build/make-sample-image"
dapple_exe="$windows_build/dapple.exe"
plugins="$windows_build/Plugins"
for needed in "$dapple" "$make_sample" "$dapple_exe"; do
  [ -x "$needed" ] || [ -f "$needed" ] || { echo "wine-plugin-smoke: $needed is missing (build it first)" >&2; exit 1; }
done
wine=${DAPPLE_WINE:-}
if [ -z "$wine" ]; then
  for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then wine=$candidate; break; fi
  done
fi
[ -n "$wine" ] || { echo "wine-plugin-smoke: Wine is not installed" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-plugin-smoke.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Wine sees the whole file system as drive Z:.
windows_path() { echo "Z:$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }

sample="$work/sample.png"
"$make_sample" "$sample"
photo="$work/photo.png"
"$make_sample" "$photo" 900 700 --photo

# Kind and module file of every module, from the modules' own table.
module_of_kind() {
  sed -n "s/.*{$1, \"\\(Dapple[A-Za-z]*\\)\".*/\\1/p" "$root/plugins/EffectModules.h" | head -n 1
}

# Samples may differ by this much where the two builds' maths libraries
# round differently; every effect matches exactly today.
tolerance_of() { echo 0; }

effects=$("$dapple" effects)
[ -n "$effects" ] || { echo "wine-plugin-smoke: dapple lists no effects" >&2; exit 1; }
status=0
while IFS=$'\t' read -r kind name _; do
  module=$(module_of_kind "$kind")
  if [ -z "$module" ] || [ ! -f "$plugins/$module.8bf" ]; then
    echo "$name: no plug-in module for kind $kind in $plugins" >&2
    status=1
    continue
  fi
  native_out="$work/$name-native.png"
  "$dapple" apply "$name" "$sample" "$native_out" --quiet
  # As a host runs the module, and as dapple.exe runs its own copy of the effect.
  for how in plugin own; do
    windows_out="$work/$name-$how.png"
    options=(--quiet)
    case $how in
      plugin) options+=(--plugin "$(windows_path "$plugins/$module.8bf")"); label="$module.8bf" ;;
      own) label="dapple.exe's own $name" ;;
    esac
    if ! "$wine" "$dapple_exe" apply "$name" "$(windows_path "$sample")" "$(windows_path "$windows_out")" \
         "${options[@]}"; then
      echo "$name: $label under Wine failed" >&2
      status=1
      continue
    fi
    if cmp -s "$native_out" "$windows_out"; then
      echo "$name: $label under Wine writes the native file byte for byte"
    elif difference=$("$root/scripts/compare-png-pixels.pl" "$native_out" "$windows_out" "$(tolerance_of "$name")"); then
      echo "$name: $label under Wine renders the native pixels (the files are encoded differently)"
    else
      echo "$name: $label under Wine differs from the native result: $difference" >&2
      status=1
    fi
  done
  for threads in 1 7; do
    if ! DAPPLE_THREADS=$threads "$wine" "$dapple_exe" apply "$name" "$(windows_path "$photo")" \
         "$(windows_path "$work/$name-$threads.png")" --quiet --plugin "$(windows_path "$plugins/$module.8bf")"; then
      echo "$name: dapple.exe --plugin $module.8bf on $threads threads failed" >&2
      status=1
    fi
  done
  if cmp -s "$work/$name-1.png" "$work/$name-7.png"; then
    echo "$name: $module.8bf under Wine writes the same file on 1 and 7 threads"
  else
    echo "$name: $module.8bf under Wine writes different files on 1 and 7 threads" >&2
    status=1
  fi
done <<< "$effects"
exit $status
