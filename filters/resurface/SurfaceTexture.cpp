#include "filters/resurface/SurfaceTexture.h"

#include <memory>

#include "content/ContentMessages.h"
#include "content/JpegLoader.h"
#include "image/Resample.h"

namespace resurface {
namespace {

int32_t ScaledSide(int32_t side, double scale) {
    const double rounded = side * scale + 0.5;
    if (!(rounded >= 2.0)) return 2;
    if (rounded >= kLargestTextureSide) return kLargestTextureSide;
    return static_cast<int32_t>(rounded);
}

double At(const SingleChannelImage<double>& heights, int32_t u, int32_t v) {
    return heights.data[static_cast<std::ptrdiff_t>(v) * heights.rowStride + u];
}

}  // namespace

TextureSize ScaledTextureSize(int32_t textureWidth, int32_t textureHeight, double renderedWidth) {
    const double scale = renderedWidth / textureWidth;
    return TextureSize{ScaledSide(textureWidth, scale), ScaledSide(textureHeight, scale)};
}

ResultCode LoadHeightField(const std::string& path, double renderedWidth, ProgressUpdateSink* progress,
                           SingleChannelImage<double>& heights) {
    std::unique_ptr<Image<unsigned char>> texture;
    ResultCode result = LoadJpegFile(path, texture, progress, 0.0, 0.1);
    // A file that cannot be opened says so; one that is damaged, or a
    // picture in colour, is not a texture.
    if (result.status == ResultCode::kFailure && result.messageId == 0)
        return ResultCode::Failure(kContentFileUnopenable);
    if (result.IsFailure()) return result;
    if (texture == nullptr || texture->layout.colourChannels != 1 || texture->layout.hasAlpha || texture->Width() < 1)
        return ContentFileDamaged();

    const TextureSize size = ScaledTextureSize(texture->Width(), texture->Height(), renderedWidth);
    const Rect bounds(0, 0, size.height, size.width);
    Image<unsigned char> grey(texture->layout, bounds, result);
    if (result.IsFailure()) return result;
    result = Resample(*texture, grey, nullptr, progress, 0.1, 0.2);
    if (result.IsFailure()) return result;
    texture.reset();

    heights = SingleChannelImage<double>(bounds, result);
    if (result.IsFailure()) return result;
    for (int32_t v = 0; v < size.height; ++v) {
        const unsigned char* in = grey.data + static_cast<std::ptrdiff_t>(v) * grey.rowStride;
        double* out = heights.data + static_cast<std::ptrdiff_t>(v) * heights.rowStride;
        for (int32_t u = 0; u < size.width; ++u) out[u] = in[u] / 255.0;
        if (progress != nullptr) progress->Update(0.2 + 0.1 * (v + 1) / size.height);
    }
    return ResultCode::Success();
}

Slope SlopeAt(const SingleChannelImage<double>& heights, int32_t u, int32_t v) {
    const int32_t width = heights.Width();
    const int32_t height = heights.Height();
    const int32_t left = u == 0 ? width - 1 : u - 1;
    const int32_t right = u + 1 == width ? 0 : u + 1;
    const int32_t up = v == 0 ? height - 1 : v - 1;
    const int32_t down = v + 1 == height ? 0 : v + 1;
    return Slope{0.5 * (At(heights, right, v) - At(heights, left, v)),
                 0.5 * (At(heights, u, down) - At(heights, u, up))};
}

}  // namespace resurface
