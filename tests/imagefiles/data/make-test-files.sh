#!/usr/bin/env bash
# Makes the small test pictures of this folder with independent writers:
# ImageMagick draws and encodes them, ExifTool adds the EXIF and XMP data.
# Run once by hand (needs imagemagick and libimage-exiftool-perl); the files
# are kept in the repository.
#   tagged.{png,jpg,tif}   160 x 120 RGB, our own test ICC profile
#                          (test-rgb.icc, written below), 300 pixels per inch,
#                          EXIF Artist and UserComment, XMP dc:title
#   orient-N.jpg           40 x 30, EXIF orientation N (1 to 8), and
#   orient-N-upright.png   ImageMagick's -auto-orient of it: how it is shown
#   deep16.png             40 x 30 RGB with 16-bit samples
set -euo pipefail
cd "$(dirname "$0")"
magick=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A small RGB display profile: D50 white, sRGB-like primaries, gamma 2.2.
python3 - <<'PY'
import struct
def xyz(x, y, z): return b'XYZ ' + bytes(4) + b''.join(struct.pack('>i', round(v * 65536)) for v in (x, y, z))
def text(s): return b'text' + bytes(4) + s.encode() + b'\0'
def desc(s):
    a = s.encode() + b'\0'
    return b'desc' + bytes(4) + struct.pack('>I', len(a)) + a + bytes(4 + 4 + 2 + 1 + 67)
curve = b'curv' + bytes(4) + struct.pack('>IH', 1, round(2.2 * 256)) + bytes(2)
tags = [(b'desc', desc('Mornebrook Dapple test RGB')), (b'cprt', text('No copyright, test data')),
        (b'wtpt', xyz(0.9642, 1.0, 0.8249)), (b'rXYZ', xyz(0.4361, 0.2225, 0.0139)),
        (b'gXYZ', xyz(0.3851, 0.7169, 0.0971)), (b'bXYZ', xyz(0.1431, 0.0606, 0.7141)),
        (b'rTRC', curve), (b'gTRC', curve), (b'bTRC', curve)]
offset = 128 + 4 + 12 * len(tags)
table, data = b'', b''
for sig, body in tags:
    while (offset + len(data)) % 4: data += b'\0'
    table += sig + struct.pack('>II', offset + len(data), len(body))
    data += body
body = struct.pack('>I', len(tags)) + table + data
size = 128 + len(body)
header = struct.pack('>I', size) + b'none' + bytes([2, 0x10, 0, 0]) + b'mntrRGB XYZ ' + bytes(12) + b'acsp' \
    + bytes(4) + bytes(4) + bytes(4) + bytes(4) + bytes(8) + bytes(4) \
    + struct.pack('>iii', round(0.9642 * 65536), 65536, round(0.8249 * 65536)) + bytes(4) + bytes(16) + bytes(28)
assert len(header) == 128
open('test-rgb.icc', 'wb').write(header + body)
PY

"$magick" -size 160x120 gradient:'#2a6fb0'-'#f0c060' -fill '#c03020' -draw 'circle 60,60 60,25' \
  -fill '#208040' -draw 'rectangle 100,20 140,100' "$work/base.png"
tag() {
  exiftool -q -overwrite_original -IFD0:Artist="Mornebrook test" -ExifIFD:UserComment="kept through dapple" \
    -XMP-dc:Title="Dapple metadata" "$1"
}
common=(-alpha off -depth 8 -profile test-rgb.icc -density 300 -units PixelsPerInch)
"$magick" "$work/base.png" "${common[@]}" PNG24:tagged.png && tag tagged.png
"$magick" "$work/base.png" "${common[@]}" -quality 95 -sampling-factor 1x1 tagged.jpg && tag tagged.jpg
"$magick" "$work/base.png" "${common[@]}" -compress lzw tagged.tif && tag tagged.tif

"$magick" "$work/base.png" -resize 40x30 "$work/small.png"
for o in 1 2 3 4 5 6 7 8; do
  "$magick" "$work/small.png" -alpha off -quality 100 -sampling-factor 1x1 "orient-$o.jpg"
  exiftool -q -overwrite_original -n -IFD0:Orientation=$o "orient-$o.jpg"
  "$magick" "orient-$o.jpg" -auto-orient "PNG24:orient-$o-upright.png"
done
"$magick" "$work/small.png" -alpha off -depth 16 PNG48:deep16.png
