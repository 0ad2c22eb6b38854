#include "filters/patchwork/PatchworkPaste.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "filters/ColorSpec.h"
#include "filters/ColourConversion.h"
#include "image/Resample.h"

namespace patchwork {
namespace {

const ChannelLayout kTileLayout(kColourModelRGB, 3, false);

// An owning image over `rect` or bad_alloc.
Image<unsigned char> Allocated(const ChannelLayout& layout, const Rect& rect) {
    ResultCode made;
    Image<unsigned char> image(layout, rect, made);
    if (made.IsFailure()) throw std::bad_alloc();
    return image;
}

}  // namespace

void TileInDestinationColours(const Image<unsigned char>& tile, const ChannelLayout& destination,
                              Image<unsigned char>& out) {
    const int32_t channels = destination.colourChannels;
    const ChannelLayout layout(destination.colourModel, channels, false);
    if (out.bounds != tile.bounds || out.layout != layout || !out.HasData()) out = Allocated(layout, tile.bounds);
    const bool grey = destination.colourModel == kColourModelGrey;
    const bool direct = destination.colourModel == kColourModelRGB && channels <= 3;
    for (int32_t y = 0; y < tile.Height(); ++y) {
        const unsigned char* in = tile.data + static_cast<std::ptrdiff_t>(y) * tile.rowStride;
        unsigned char* o = out.data + static_cast<std::ptrdiff_t>(y) * out.rowStride;
        for (int32_t x = 0; x < tile.Width(); ++x, in += tile.pixelStride, o += out.pixelStride) {
            if (grey) {
                o[0] = std::max({in[0], in[1], in[2]});
                for (int32_t c = 1; c < channels; ++c) o[c] = o[0];
            } else if (direct) {
                std::copy(in, in + channels, o);
            } else {
                const PixelSamples samples = ColourSamples(ColorSpec::RGB(in[0], in[1], in[2]), layout);
                std::copy(samples.begin(), samples.begin() + channels, o);
            }
        }
    }
}

void PasteCell(const Image<unsigned char>& tile, const Rect& cell, Image<unsigned char>& destination) {
    const Rect placed(cell.top, cell.left, cell.top + tile.Height(), cell.left + tile.Width());
    const Rect area = Rect::Intersect(placed, destination.bounds);
    if (area.IsEmpty()) return;
    const int32_t channels = tile.layout.colourChannels;
    const std::ptrdiff_t inStep = tile.pixelStride, outStep = destination.pixelStride;
    const unsigned char* in = tile.data + static_cast<std::ptrdiff_t>(area.top - placed.top) * tile.rowStride +
                              (area.left - placed.left) * inStep;
    unsigned char* out = destination.data +
                         static_cast<std::ptrdiff_t>(area.top - destination.bounds.top) * destination.rowStride +
                         (area.left - destination.bounds.left) * outStep;
    const std::size_t rowBytes = static_cast<std::size_t>(area.Width()) * static_cast<std::size_t>(channels);
    for (int32_t y = area.top; y < area.bottom; ++y, in += tile.rowStride, out += destination.rowStride) {
        if (outStep == channels) {
            std::memcpy(out, in, rowBytes);
            continue;
        }
        const unsigned char* i = in;
        unsigned char* o = out;
        for (int32_t x = area.left; x < area.right; ++x, i += inStep, o += outStep)
            for (int32_t c = 0; c < channels; ++c) o[c] = i[c];
    }
}

ResultCode PasteTiles(TileLibrary& library, const MatchTable& table, CellSize cell, Image<unsigned char>& destination,
                      Abort_Tester* abort, ProgressUpdateSink* progress, double from, double to) {
    if (table.cellsByOffset.empty()) return ResultCode::Failure();
    Image<unsigned char> decoded = Allocated(kTileLayout, Rect(0, 0, library.tileHeight(), library.tileWidth()));
    Image<unsigned char> scaled = Allocated(kTileLayout, Rect(0, 0, cell.height, cell.width));
    Image<unsigned char> coloured(kTileLayout);
    int64_t pasted = 0;
    for (const auto& [offset, cells] : table.cellsByOffset) {
        if (abort != nullptr && abort->IsAborted()) return ResultCode::Cancelled();
        ResultCode result = library.readTile(offset, decoded, nullptr, nullptr, 0.0, 0.0);
        if (result.IsSuccess()) result = Resample(decoded, scaled, nullptr, nullptr, 0.0, 0.0);
        if (result.IsFailure()) return result;
        TileInDestinationColours(scaled, destination.layout, coloured);
        for (const Rect& place : cells) {
            if (progress != nullptr) {
                const double share = std::clamp(static_cast<double>(pasted) / table.cellCount, 0.0, 1.0);
                progress->Update(from + (to - from) * share);
            }
            PasteCell(coloured, place, destination);
            ++pasted;
        }
    }
    return ResultCode::Success();
}

}  // namespace patchwork
