#!/usr/bin/env bash
# refusals-say-why.sh DAPPLE MAKE_SAMPLE
# Refusals a user can cause, through the command as a process: each run
# fails (exit status 1), writes nothing and says why on its own line, never
# the bare "dapple: EFFECT failed". Content files reach the effects through
# settings files too, past the command's own check of --set Path=.
set -euo pipefail
dapple=${1:?usage: refusals-say-why.sh DAPPLE MAKE_SAMPLE}
make_sample=${2:?}

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-refusals.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/user"
sample="$work/sample.png"
"$make_sample" "$sample" 200 150 --photo
"$make_sample" "$work/mask.png" 200 150 --mask
"$dapple" apply edge "$sample" "$work/colour.jpg" --quiet

fail() { echo "refusals-say-why: $*" >&2; exit 1; }

# A settings file for EFFECT naming the content file PATH by its full path.
settings_naming() {
  printf '%s\r\n1348564072 %s\r\n1382839414 0\r\n' "$1" "$2" >"$work/$1.settings"
  echo "$work/$1.settings"
}

# refused WHY EFFECT [OPTION...]: the run fails, writes nothing, and says WHY.
refused() {
  local why=$1 effect=$2
  shift 2
  local out="$work/out.png"
  if "$dapple" apply "$effect" "$sample" "$out" --quiet "$@" 2>"$work/err.txt"; then
    fail "$effect $* succeeded"
  fi
  [ ! -e "$out" ] || fail "$effect $*: a refused run wrote its output"
  grep -qF "$why" "$work/err.txt" || fail "$effect $*: not \"$why\" but: $(cat "$work/err.txt")"
  if grep -q "failed$" "$work/err.txt"; then fail "$effect $*: a bare failure: $(cat "$work/err.txt")"; fi
}

refused "not cut into 3 x 3" frame --settings "$(settings_naming Frame "$(dirname "$dapple")/Content/Tubes/Stars.tub")"
refused "wholly outside the picture" frame --set "EdgT=-100 pixels" --set "BrdT=40 pixels"
refused "not the kind of file" resurface --settings "$(settings_naming Resurface "$work/colour.jpg")"
refused "No stamp fits in the picture" fillstamp --set "Wdth=1000 picas"
refused "No stamp fits in the picture" borderstamp --set "TlSz=1000 picas" --set "Wdth=1000 picas"
refused "Make the selection larger" borderstamp --set "TlSz=1000 picas" --set "Wdth=1000 picas" --mask "$work/mask.png"
refused "too large" fillstamp --set TIle=1 --set "Wdth=300 inches"
echo "refusals-say-why: every refusal says why"
