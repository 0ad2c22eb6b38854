#!/usr/bin/env bash
# make-seeds.sh TOOLS_FOLDER SEEDS_FOLDER PHOTOGRAPHS_FOLDER
# The fuzz targets' seed corpora, made by the content writers from small
# sample pictures: picture tubes and frames in both format versions, tile
# libraries, colour and grey JPEG files; and for the image files and EXIF,
# the test photographs written by ImageMagick and ExifTool
# (tests/imagefiles/data) and the sample picture as our own PNG.
set -euo pipefail
tools=${1:?usage: make-seeds.sh TOOLS_FOLDER SEEDS_FOLDER}
seeds=${2:?}
photographs=${3:?}
sample=$tools/make-sample-image
content=$tools/dapple-content

# Only the content readers' corpora: the settings readers' are made beside them.
rm -rf "$seeds/jpeg" "$seeds/picture_tube" "$seeds/tile_library" "$seeds/pictures" "$seeds/image_file" "$seeds/exif"
mkdir -p "$seeds/jpeg" "$seeds/picture_tube" "$seeds/tile_library" "$seeds/pictures" "$seeds/image_file" "$seeds/exif"
"$sample" "$seeds/pictures/a.png" 24 16
"$sample" "$seeds/pictures/b.png" 18 18
"$sample" "$seeds/pictures/c.jpg" 16 16

"$content" tube "$seeds/pictures/a.png" "$seeds/picture_tube/version5.tub" 3 2 --format-version 5
"$content" tube "$seeds/pictures/a.png" "$seeds/picture_tube/version3.tub" 2 2 --format-version 3
"$content" frame "$seeds/pictures/b.png" "$seeds/picture_tube/frame.rfr" --format-version 5

"$content" tiles "$seeds/pictures" "$seeds/tile_library/square.ptl" --tile 8x8 --thumbnail 2x2
"$content" tiles "$seeds/pictures" "$seeds/tile_library/wide.ptl" --tile 12x6 --thumbnail 4x2

cp "$seeds/pictures/c.jpg" "$seeds/jpeg/colour.jpg"
"$content" texture "$seeds/pictures/a.png" "$seeds/jpeg/grey.jpg"
cp "$seeds/pictures/a.png" "$photographs"/tagged.* "$photographs"/orient-6.jpg "$photographs"/deep16.png \
  "$seeds/image_file/"
cp "$photographs/tagged.tif" "$seeds/exif/"
rm -rf "$seeds/pictures"
touch "$seeds/made"
