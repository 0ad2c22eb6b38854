#!/usr/bin/env bash
# run-dialog.sh NATIVE_BUILD WINDOWS_BUILD EFFECT
# Opens EFFECT's dialog through its plug-in module, as a host does when the
# user picks the effect from its menu: dapple.exe applies it to the sample
# picture with --dialog, and writes out/dialog-<effect>-result.png when the
# user presses OK. Run it through scripts/wine-run.sh, which provides Wine's
# prefix and a display (the user's own when there is one).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native_build=${1:?usage: run-dialog.sh NATIVE_BUILD WINDOWS_BUILD EFFECT}
windows_build=${2:?usage: run-dialog.sh NATIVE_BUILD WINDOWS_BUILD EFFECT}
effect=${3:?usage: run-dialog.sh NATIVE_BUILD WINDOWS_BUILD EFFECT (see dapple effects)}
wine=${DAPPLE_WINE:?run it through scripts/wine-run.sh}

dapple="$native_build/dapple"
kind=$("$dapple" effects | awk -F'\t' -v name="$effect" 'tolower($2) == tolower(name) { print $1 }')
if [ -z "$kind" ]; then
  echo "run-dialog: no effect '$effect' in this build; these are:" >&2
  "$dapple" effects | awk -F'\t' '{ print "  " $2 }' >&2
  exit 2
fi
module=$(sed -n "s/.*{$kind, \"\\(Dapple[A-Za-z]*\\)\".*/\\1/p" "$root/plugins/EffectModules.h" | head -n 1)
plugin="$windows_build/Plugins/$module.8bf"
[ -f "$plugin" ] || { echo "run-dialog: $plugin is missing (build it first)" >&2; exit 1; }

mkdir -p "$root/out"
sample="$root/out/sample.png"
result="$root/out/dialog-$(echo "$effect" | tr '[:upper:]' '[:lower:]')-result.png"
# The picture make run draws: effects sized in pixels leave it visible.
"$native_build/make-sample-image" "$sample" 960 720
# Wine sees the whole file system as drive Z:.
windows_path() { echo "Z:$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
echo "run-dialog: the dialog is on display $DISPLAY; press OK to write $result"
"$wine" "$windows_build/dapple.exe" apply "$effect" "$(windows_path "$sample")" "$(windows_path "$result")" \
  --plugin "$(windows_path "$plugin")" --dialog
echo "$result"
