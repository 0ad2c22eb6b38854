#include "cli/CommandPreview.h"

#include <memory>

#include "cli/CommandDescriptors.h"
#include "cli/CommandEffects.h"
#include "dialog/PreviewRenderer.h"
#include "dialog/PreviewSelection.h"
#include "filters/LengthValue.h"
#include "filters/ParameterSet.h"
#include "pluginapi/PluginInterface.h"

namespace {

// The effect's defaults with the values of the descriptor read in, through
// the same descriptor walk a full run makes.
ResultCode ReadSettings(const Filter& filter, const DescriptorStore& settings, ParameterBlock& block) {
    ParameterSet set;
    const ResultCode result = BuildDefaultParameters(filter, block, set);
    return result.IsFailure() ? result : ReadParametersFromDescriptor(set, settings);
}

ChannelLayout LayoutOf(const RasterImage& raster) {
    const bool grey = raster.channels <= 2;
    return ChannelLayout(grey ? kColourModelGrey : kColourModelRGB, grey ? 1 : 3, raster.HasAlpha());
}

RasterImage RasterFromRows(const RowImage& rows, int32_t channels) {
    const Rect& bounds = rows.Bounds();
    RasterImage raster(bounds.Width(), bounds.Height(), channels);
    for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
        const unsigned char* from = rows.Row(y);
        std::copy(from, from + raster.RowBytes(), raster.Row(y - bounds.top));
    }
    return raster;
}

std::string FailureText(const std::string& name, const ResultCode& result) {
    if (result.status == ResultCode::kOutOfMemory) return name + " ran out of memory";
    return name + " failed (status " + std::to_string(result.status) + ")";
}

}  // namespace

int RunPreviewRender(Filter& filter, const DescriptorStore& settings, const RasterImage& input, double pixelsPerInch,
                     const RasterImage* mask, double previewScale, RasterImage& preview,
                     const CommandStreams& streams) {
    const std::string name = filter.InternalName();
    auto block = std::make_unique<ParameterBlock>();
    ResultCode result = ReadSettings(filter, settings, *block);
    if (result.IsFailure()) {
        streams.err << "dapple: " << name << " could not read the --set values\n";
        return kExitFailed;
    }

    const Rect bounds(0, 0, input.height, input.width);
    const Image<unsigned char> layer(LayoutOf(input), bounds, const_cast<uint8_t*>(input.pixels.data()), 0);
    std::unique_ptr<SingleChannelImage<unsigned char>> selection;
    if (mask != nullptr) {
        selection =
            std::make_unique<SingleChannelImage<unsigned char>>(bounds, const_cast<uint8_t*>(mask->pixels.data()), 0);
    }
    RowImage shape;
    bool shapeFromTransparency = false;
    result = PreviewSelection(layer, selection.get(), shape, shapeFromTransparency);
    if (result.IsFailure()) {
        streams.err << "dapple: " << FailureText(name, result) << '\n';
        return kExitFailed;
    }
    std::unique_ptr<SingleChannelImage<unsigned char>> shapeView;
    if (shape.HasRows()) shapeView = std::make_unique<SingleChannelImage<unsigned char>>(shape);

    PreviewDocument document;
    document.image = &layer;
    document.mask = shapeView.get();
    document.shapeFromTransparency = shapeFromTransparency;
    document.imageMode = input.channels <= 2 ? ps::plugInModeGrayScale : ps::plugInModeRGBColor;
    filter.pixelsPerInch = pixelsPerInch;
    PreviewRenderer renderer(document);
    NeverAborts never;
    result = renderer.Render(filter, *block, previewScale, Rect(), never, nullptr);
    if (result.IsFailure()) {
        streams.err << "dapple: " << FailureText(name, result) << '\n';
        return kExitFailed;
    }
    preview = RasterFromRows(renderer.Preview(), input.channels);
    return kExitSuccess;
}
