#!/usr/bin/env bash
# wine-package-test.sh PACKAGE.zip NATIVE_BUILD WINDOWS_BUILD
# Unpacks the Windows package into a scratch folder, as a user would, and
# runs effects from its 64-bit set under Wine the way a host does (the
# build's dapple.exe --plugin the unpacked module): Fill Stamp, which needs
# the content beside the module, and Edges must give the native pixels. The
# 32-bit set must hold 32-bit modules (Wine here runs 64-bit programs only).
# Run it through scripts/wine-run.sh, which provides Wine's prefix and display.
set -euo pipefail
package=$(realpath "${1:?usage: wine-package-test.sh PACKAGE.zip NATIVE_BUILD WINDOWS_BUILD}")
native_build=${2:?usage: wine-package-test.sh PACKAGE.zip NATIVE_BUILD WINDOWS_BUILD}
windows_build=${3:?usage: wine-package-test.sh PACKAGE.zip NATIVE_BUILD WINDOWS_BUILD}
wine=${DAPPLE_WINE:-/usr/lib/wine/wine64}
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-package-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
windows_path() { echo "Z:$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
(cd "$work" && cmake -E tar xf "$package")
top="$work/Mornebrook Dapple for Windows"
status=0
fail() { echo "package test: $*" >&2; status=1; }
[ -s "$top/INSTALL.txt" ] || fail "INSTALL.txt is missing"

"$native_build/make-sample-image" "$work/sample.png"
x64="$top/x64/Mornebrook Dapple"
for effect in FillStamp:DappleFillStamp Edge:DappleEdges; do
  name=${effect%%:*} module=${effect#*:}
  "$native_build/dapple" apply "$name" "$work/sample.png" "$work/$name-native.png" --quiet
  # A module that cannot find what it needs says so in a box, which nobody
  # closes here: the time limit turns that into a failure.
  if ! timeout 120 "$wine" "$windows_build/dapple.exe" apply "$name" "$(windows_path "$work/sample.png")" \
      "$(windows_path "$work/$name-package.png")" --quiet --plugin "$(windows_path "$x64/$module.8bf")"; then
    fail "$name from the unpacked $module.8bf failed"
  elif ! cmp -s "$work/$name-native.png" "$work/$name-package.png"; then
    fail "$name from the unpacked $module.8bf differs from the native result"
  else
    echo "$name: the unpacked 64-bit $module.8bf writes the native file"
  fi
done

x86="$top/x86/Mornebrook Dapple"
for file in "$x86"/*.8bf "$x86/DappleCore.dll"; do
  i686-w64-mingw32-objdump -f "$file" | grep -q 'file format pei-i386' || fail "$file is not a 32-bit module"
done
[ "$(ls "$x86"/*.8bf | wc -l)" -eq 6 ] || fail "the 32-bit set does not hold six modules"
[ -d "$x86/Content" ] && [ -d "$x86/Settings" ] || fail "the 32-bit set has no Content or Settings"
exit $status
