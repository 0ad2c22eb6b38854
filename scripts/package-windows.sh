#!/usr/bin/env bash
# package-windows.sh X64_BUILD X86_BUILD OUT.zip
# One zip with both module sets, each laid out as the modules expect beside
# themselves (modules, DappleCore.dll, help, Content, Settings), and the
# install text. The binaries are stripped: symbols are for our debugging,
# not for users' downloads. The zip is written whole or not at all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
x64_build=${1:?usage: package-windows.sh X64_BUILD X86_BUILD OUT.zip}
x86_build=${2:?usage: package-windows.sh X64_BUILD X86_BUILD OUT.zip}
out=$(realpath -m "${3:?usage: package-windows.sh X64_BUILD X86_BUILD OUT.zip}")

fail() { echo "package-windows: $*" >&2; exit 1; }
modules=$(grep -o '{[0-9]*, "Dapple[A-Za-z]*"' "$root/plugins/EffectModules.h" | sed 's/.*"\(.*\)"/\1/')
[ -n "$modules" ] || fail "no module names in plugins/EffectModules.h"

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
top="$work/Mornebrook Dapple for Windows"
mkdir -p "$top"
cp "$root/docs/INSTALL-Windows.txt" "$top/INSTALL.txt"

# add_set BUILD SET STRIP: the build's Plugins folder as SET/Mornebrook Dapple.
add_set() {
  local plugins="$1/Plugins" set="$top/$2/Mornebrook Dapple" strip=$3
  [ -f "$plugins/DappleCore.dll" ] || fail "$plugins/DappleCore.dll is missing (make build-windows first)"
  mkdir -p "$set"
  for module in $modules; do
    [ -f "$plugins/$module.8bf" ] || fail "$plugins/$module.8bf is missing"
    cp "$plugins/$module.8bf" "$set/"
  done
  cp "$plugins/DappleCore.dll" "$plugins/Mornebrook Dapple Help.html" "$set/"
  "$strip" --strip-debug "$set"/*.8bf "$set/DappleCore.dll"
  # Content and factory settings are the same for both sets; the 64-bit
  # build draws them.
  cp -R "$x64_build/Plugins/Content" "$x64_build/Plugins/Settings" "$set/"
}
add_set "$x64_build" x64 x86_64-w64-mingw32-strip
add_set "$x86_build" x86 i686-w64-mingw32-strip

mkdir -p "$(dirname "$out")"
partial="$out.partial"
rm -f "$partial"
(cd "$work" && cmake -E tar cf "$partial" --format=zip "Mornebrook Dapple for Windows")
mv "$partial" "$out"
echo "package-windows: wrote $out ($(du -h "$out" | cut -f1))"
