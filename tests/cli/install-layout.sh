#!/usr/bin/env bash
# install-layout.sh BUILD MAKE_SAMPLE
# `cmake --install` into a scratch prefix: the programs in bin/, the data in
# share/mornebrook-dapple/, the manual pages in share/man/man1. The installed
# dapple finds its content and factory settings there; a copy of the program
# alone says where it looked, and finds the data through DAPPLE_DATA.
set -euo pipefail
build=${1:?usage: install-layout.sh BUILD MAKE_SAMPLE}
make_sample=${2:?}

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "install-layout: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/dapple bin/dapple-content share/man/man1/dapple.1 share/man/man1/dapple-content.1 \
            share/mornebrook-dapple/Content/Tubes/Stars.tub share/mornebrook-dapple/Settings/FillStamp; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done

# No user settings of the machine's own.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data"
unset DAPPLE_DATA
"$make_sample" "$work/in.png" 320 240

"$prefix/bin/dapple" apply fillstamp "$work/in.png" "$work/out.png" --quiet || fail "installed apply failed"
[ -f "$work/out.png" ] || fail "installed apply wrote nothing"
list=$("$prefix/bin/dapple" settings list fillstamp)
grep -q "^factory	" <<<"$list" || fail "settings list shows no factory settings: $list"
page=$(MANWIDTH=80 man -l "$prefix/share/man/man1/dapple.1" 2>/dev/null)
grep -q "dapple help" <<<"$page" || fail "man -l dapple.1 shows no manual"

# The program alone: no content, and the message names where it looked.
mkdir -p "$work/alone"
cp "$prefix/bin/dapple" "$work/alone/"
if message=$("$work/alone/dapple" apply fillstamp "$work/in.png" "$work/lost.png" 2>&1); then
  fail "a program without its data applied fillstamp"
fi
grep -q "$work/alone" <<<"$message" || fail "the message names no place looked at: $message"
grep -q "DAPPLE_DATA" <<<"$message" || fail "the message does not mention DAPPLE_DATA: $message"
[ ! -e "$work/lost.png" ] || fail "a failed run left an output"
DAPPLE_DATA="$prefix/share/mornebrook-dapple" "$work/alone/dapple" apply fillstamp "$work/in.png" "$work/found.png" \
  --quiet || fail "DAPPLE_DATA was not followed"
cmp -s "$work/out.png" "$work/found.png" || fail "the data found through DAPPLE_DATA gives another picture"
echo "install-layout: ok"
