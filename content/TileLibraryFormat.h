// The tile library format (*.ptl), shared by the reader and the writer in
// tools/. All integers are signed 32-bit little-endian.
//
//   offset 0   signature: kTileLibrarySignature, then zero bytes to 32
//          32  version (1), reserved (0), tile count N, tile width and
//              height, thumbnail width tw and height th
//          60  directory: per tile its data offset, then its thumbnail of
//              tw × th pixels, three bytes (red, green, blue) each, rows
//              top to bottom
//          60 + N × (4 + tw × th × 3)  data area: one JPEG datastream per
//              tile, at the data area's start plus the tile's data offset
#pragma once

#include <cstddef>
#include <cstdint>

constexpr char kTileLibrarySignature[] = "Mornebrook Tile Library\n";
constexpr std::size_t kTileLibrarySignatureField = 32;
constexpr std::size_t kTileLibraryHeaderSize = 60;
constexpr int32_t kTileLibraryVersion = 1;
// Bytes of one directory entry before its thumbnail.
constexpr std::size_t kTileDirectoryOffsetSize = 4;
constexpr int32_t kTileThumbnailChannels = 3;
