#!/usr/bin/env bash
# dialog-screenshots.sh NATIVE_BUILD WINDOWS_BUILD
# Saves out/dialog-<effect>.png for every effect of the build: the filter
# dialog on the sample picture once its preview has rendered. Run it through
# scripts/wine-run.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native_build=${1:?usage: dialog-screenshots.sh NATIVE_BUILD WINDOWS_BUILD}
windows_build=${2:?usage: dialog-screenshots.sh NATIVE_BUILD WINDOWS_BUILD}
wine=${DAPPLE_WINE:?run it through scripts/wine-run.sh}

mkdir -p "$root/out"
sample="$root/out/sample.png"
# The picture make run draws: effects sized in pixels leave it visible.
"$native_build/make-sample-image" "$sample" 960 720
exec "$wine" "$windows_build/dialog-screenshots.exe" "Z:$sample" "Z:$root/out"
