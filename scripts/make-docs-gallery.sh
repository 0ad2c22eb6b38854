#!/usr/bin/env bash
# make-docs-gallery.sh PATH/TO/dapple
#
# The README's gallery: every effect the command lists, at its defaults and
# with each of its factory settings, applied to a public-domain photograph
# (scikit-image's "motorcycle_left", fetched by scripts/fetch-photographs.sh), as
# small JPEGs in docs/gallery/ (the dialog's preview at half size: the
# effect rendered at that scale, as a user sees it before choosing), and the
# gallery's table, each picture above
# the command line that made it, written into README.md between its
# "gallery" markers. Run by `make docs-gallery`.
set -euo pipefail
dapple=$(realpath "${1:?usage: make-docs-gallery.sh PATH/TO/dapple}")
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
fail() { echo "make-docs-gallery: $*" >&2; exit 1; }

photographs=$(scripts/fetch-photographs.sh)
photograph=motorcycle_left.png
gallery=docs/gallery
readme=README.md
columns=3
if ! grep -q '^<!-- gallery -->$' "$readme" || ! grep -q '^<!-- /gallery -->$' "$readme"; then
  fail "$readme has no <!-- gallery --> ... <!-- /gallery --> markers"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/dapple-gallery.XXXXXX")
trap 'rm -rf "$work"' EXIT
# No user settings or options of whoever runs it.
export XDG_DATA_HOME="$work/user"
mkdir -p "$work/gallery"
cp "$photographs/$photograph" "$work/$photograph"

# One picture and the command shown for it: name, then dapple's arguments
# after the input and output.
cells=()
picture() {
  local name=$1
  shift
  "$dapple" apply "$effect" "$work/$photograph" "$work/gallery/$name.jpg" --quiet --preview-scale 2 "$@" ||
    fail "$effect $* failed"
  local shown="dapple apply $effect $photograph $name.jpg --preview-scale 2"
  [ $# -eq 0 ] || shown+=" $1 \"$2\""
  cells+=("![$name](docs/gallery/$name.jpg)<br>\`$shown\`")
}

effects=$("$dapple" effects | cut -f2)
[ -n "$effects" ] || fail "dapple lists no effects"
for effect in $effects; do
  picture "$effect"
  while IFS=$'\t' read -r kind name; do
    [ "$kind" = factory ] || continue
    picture "$effect-${name// /-}" --settings "$name"
  done < <("$dapple" settings list "$effect")
done

# The table: a header row of empty cells, as Markdown needs one.
{
  echo "<!-- gallery -->"
  echo "Every effect at its defaults and with each factory setting, applied to"
  echo "scikit-image's public-domain photograph \`$photograph\` (\`make docs-gallery\`"
  echo "remakes them from the built command)."
  echo
  header="|" rule="|"
  for _ in $(seq $columns); do header+=" |" rule+=" --- |"; done
  echo "$header"
  echo "$rule"
  for ((i = 0; i < ${#cells[@]}; i += columns)); do
    row="|"
    for ((j = i; j < i + columns; ++j)); do row+=" ${cells[j]:-} |"; done
    echo "$row"
  done
  echo "<!-- /gallery -->"
} >"$work/table.md"

# README.md with the lines between the markers replaced by the table.
awk -v table="$work/table.md" '
  /^<!-- gallery -->$/ { while ((getline line < table) > 0) print line; skipping = 1; next }
  /^<!-- \/gallery -->$/ { skipping = 0; next }
  !skipping { print }
' "$readme" >"$work/README.md"
rm -rf "$gallery"
mkdir -p "$(dirname "$gallery")"
cp -r "$work/gallery" "$gallery"
cp "$work/README.md" "$readme"
echo "make-docs-gallery: wrote ${#cells[@]} pictures to $gallery and the table to $readme"
