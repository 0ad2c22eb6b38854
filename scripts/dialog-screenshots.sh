#!/usr/bin/env bash
# dialog-screenshots.sh NATIVE_BUILD WINDOWS_BUILD
# Saves out/dialog-<effect>.png for every effect of the build: the filter
# dialog on the sample picture once its preview has rendered. Run it through
# scripts/wine-run.sh. With no window manager on the display (Xvfb), Wine
# draws the windows' captions itself for the run, so that the pictures show
# them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native_build=${1:?usage: dialog-screenshots.sh NATIVE_BUILD WINDOWS_BUILD}
windows_build=${2:?usage: dialog-screenshots.sh NATIVE_BUILD WINDOWS_BUILD}
wine=${DAPPLE_WINE:?run it through scripts/wine-run.sh}

mkdir -p "$root/out"
sample="$root/out/sample.png"
"$native_build/make-sample-image" "$sample"
key='HKCU\Software\Wine\X11 Driver'
"$wine" reg add "$key" /v Decorated /d N /f >/dev/null 2>&1 || true
status=0
"$wine" "$windows_build/dialog-screenshots.exe" "Z:$sample" "Z:$root/out" || status=$?
"$wine" reg delete "$key" /v Decorated /f >/dev/null 2>&1 || true
exit $status
