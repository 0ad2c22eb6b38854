// Picture tubes and frame files: open (header, block directory, tube grid,
// image attributes, the version 5 preview composite), then the first layer
// into a destination of the image's size, and the cells of the grid.
#include <cstddef>
#include <cstdint>

#include "content/PspFileReader.h"
#include "content/TubeCellGrid.h"
#include "fuzz/FuzzInputFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    VtFile file;
    if (!file.Open(WriteFuzzInput(data, size))) return 0;
    PspFileReader reader(file);
    if (reader.open().IsFailure()) return 0;
    if (static_cast<uint64_t>(reader.width()) * static_cast<uint64_t>(reader.height()) > kMaxFuzzDecodePixels) return 0;

    ResultCode result;
    Image<unsigned char> image(ChannelLayout(kColourModelRGB, 3, true), Rect(0, 0, reader.height(), reader.width()),
                               result);
    if (result.IsFailure() || reader.readImage(image, nullptr, 0.0, 1.0).IsFailure()) return 0;
    const TubeCellGrid grid(reader.columns(), reader.rows(), reader.width(), reader.height());
    for (int32_t i = 0; i < grid.CellCount(); ++i) {
        const Rect cell = grid.CellRect(i);
        if (cell.IsEmpty() || cell.right > image.bounds.right || cell.bottom > image.bounds.bottom) __builtin_trap();
    }
    return 0;
}
