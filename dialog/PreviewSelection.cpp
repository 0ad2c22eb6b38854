#include "dialog/PreviewSelection.h"

namespace {

// One sample of every pixel of `image` over `rect` into `plane`.
ResultCode CopyPlane(const Image<unsigned char>& image, int32_t sample, const Rect& rect, RowImage& plane) {
    const ResultCode allocated = plane.Allocate(rect, 1, 1);
    if (allocated.IsFailure() || rect.IsEmpty()) return allocated;
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        unsigned char* out = plane.Row(y);
        for (int32_t x = rect.left; x < rect.right; ++x) *out++ = image.PixelAddress(Point{x, y})[sample];
    }
    return ResultCode::Success();
}

}  // namespace

ResultCode PreviewSelection(const Image<unsigned char>& layer, const SingleChannelImage<unsigned char>* selection,
                            RowImage& mask, bool& shapeFromTransparency) {
    shapeFromTransparency = false;
    RowImage plane;
    ResultCode result;
    if (selection != nullptr) {
        result = CopyPlane(*selection, 0, Rect::Intersect(selection->bounds, layer.bounds), plane);
        if (result.IsFailure()) return result;
        return plane.CropToContent(mask);
    }
    if (!layer.layout.hasAlpha) return mask.AllocateConstantMask(layer.bounds, 255);
    result = CopyPlane(layer, layer.layout.colourChannels, layer.bounds, plane);
    if (result.IsSuccess()) result = plane.CropToContent(mask);
    if (result.IsFailure()) return result;
    if (mask.Bounds().IsEmpty()) return mask.AllocateConstantMask(layer.bounds, 255);
    shapeFromTransparency = true;
    return ResultCode::Success();
}
