#!/usr/bin/env bash
# says-why.sh DAPPLE MAKE_SAMPLE
# Through the command as a process: refusals a user can cause fail (exit
# status 1), write nothing and say why on a line of their own, never the
# bare "dapple: EFFECT failed" (content files reach the effects through
# settings files too, past the command's own check of --set Path=); and an
# option that makes pixels transparent, on a picture without transparency,
# is said once to do nothing while the run succeeds.
set -euo pipefail
dapple=${1:?usage: refusals-say-why.sh DAPPLE MAKE_SAMPLE}
make_sample=${2:?}

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-says-why.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/user"
sample="$work/sample.png"
"$make_sample" "$sample" 200 150 --photo
"$make_sample" "$work/mask.png" 200 150 --mask
"$make_sample" "$work/card.png" 200 150
"$dapple" apply edge "$sample" "$work/colour.jpg" --quiet

fail() { echo "says-why: $*" >&2; exit 1; }

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

# notes COUNT INPUT EFFECT [OPTION...]: the run succeeds and says COUNT times
# that there is no transparency.
notes() {
  local count=$1 input=$2 effect=$3
  shift 3
  "$dapple" apply "$effect" "$input" "$work/noted.png" --quiet "$@" 2>"$work/err.txt" || fail "$effect $* failed"
  [ "$(grep -c "no transparency" "$work/err.txt")" = "$count" ] ||
    fail "$effect $* on $(basename "$input"): not $count notes but: $(cat "$work/err.txt")"
}
notes 1 "$sample" fillstamp
notes 1 "$sample" edge --set "Fl  =1"
notes 0 "$sample" fillstamp --set "Fl  =fiB2"
notes 0 "$sample" edge
notes 0 "$work/card.png" fillstamp
notes 0 "$work/card.png" edge --set "Fl  =1"
echo "says-why: every refusal and note says why"
