#!/usr/bin/env bash
# gimp-reads-tubes.sh DAPPLE_CONTENT MAKE_SAMPLE_IMAGE COMPARE_PNG_PIXELS
# GIMP's own Paint Shop Pro loader, a reader independent of ours, opens the
# tubes and frames that dapple-content writes, in both format versions, with
# exactly the pixels and alpha of the picture they were made from.
set -euo pipefail
dapple_content=${1:?usage: gimp-reads-tubes.sh DAPPLE_CONTENT MAKE_SAMPLE_IMAGE COMPARE_PNG_PIXELS}
make_sample=${2:?}
compare=${3:?}

gimp=$(command -v gimp-console || command -v gimp-console-2.10 || true)
if [ -z "$gimp" ]; then
  echo "gimp-reads-tubes: gimp-console not found (scripts/install-deps.sh installs the gimp package)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# GIMP keeps its settings in the home folder: give it a fresh one.
export HOME=$work/home
mkdir -p "$HOME"

# An odd size, so that cells leave remainder pixels; a transparent margin
# and soft edges, so that alpha takes many values.
"$make_sample" "$work/picture.png" 97 61
"$dapple_content" tube "$work/picture.png" "$work/version5.tub" 4 3 --format-version 5
"$dapple_content" tube "$work/picture.png" "$work/version3.tub" 5 2 --format-version 3
"$dapple_content" frame "$work/picture.png" "$work/frame.rfr"
files=(version5.tub version3.tub frame.rfr)

calls=""
for name in "${files[@]}"; do
  calls+="(export-psp \"$work/$name\" \"$work/$name.png\") "
done
# One batch command: each is evaluated on its own. The PNG keeps the colour
# of fully transparent pixels too.
"$gimp" -i -n -d -f \
  -b "(let ((export-psp
             (lambda (in out)
               (let* ((image (car (file-psp-load RUN-NONINTERACTIVE in in)))
                      (layer (car (gimp-image-merge-visible-layers image CLIP-TO-IMAGE))))
                 (file-png-save2 RUN-NONINTERACTIVE image layer out out 0 9 0 0 0 0 0 0 1)
                 (gimp-image-delete image)))))
        $calls)" \
  -b "(gimp-quit 0)" > "$work/gimp.log" 2>&1 || { cat "$work/gimp.log" >&2; exit 1; }

status=0
for name in "${files[@]}"; do
  if [ ! -f "$work/$name.png" ]; then
    echo "gimp-reads-tubes: GIMP did not open $name" >&2
    cat "$work/gimp.log" >&2
    status=1
  elif ! difference=$("$compare" "$work/picture.png" "$work/$name.png"); then
    echo "gimp-reads-tubes: $name as GIMP reads it differs from the picture: $difference" >&2
    status=1
  else
    echo "GIMP reads $name with the picture's pixels and alpha"
  fi
done
exit $status
