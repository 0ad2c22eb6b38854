// Tile libraries: open (header, directory with thumbnails, the preview from
// the first tile), then the tiles of the first directory entries.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "content/TileLibrary.h"
#include "fuzz/FuzzInputFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    TileLibrary library(WriteFuzzInput(data, size));
    if (library.open().IsFailure()) return 0;
    if (static_cast<uint64_t>(library.tileWidth()) * static_cast<uint64_t>(library.tileHeight()) > kMaxFuzzDecodePixels)
        return 0;
    ResultCode result;
    Image<unsigned char> tile(ChannelLayout(kColourModelRGB, 3, false),
                              Rect(0, 0, library.tileHeight(), library.tileWidth()), result);
    if (result.IsFailure()) return 0;
    const std::size_t tiles = std::min<std::size_t>(library.directory().size(), 4);
    for (std::size_t i = 0; i < tiles; ++i)
        (void)library.readTile(library.directory()[i].dataOffset, tile, nullptr, nullptr, 0.0, 1.0);
    return 0;
}
