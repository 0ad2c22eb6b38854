#include "dialog/PreviewPixels.h"

#include <algorithm>
#include <cmath>

#include "filters/ColorSpec.h"
#include "filters/ColourConversion.h"

namespace {

constexpr int32_t kCheckerSquare = 8;
constexpr uint32_t kCheckerLight = 255;
constexpr uint32_t kCheckerDark = 204;

uint32_t Pack(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

// The colour channels as RGB, before transparency.
void ColourChannels(const unsigned char* s, const ChannelLayout& layout, uint32_t& r, uint32_t& g, uint32_t& b) {
    switch (layout.colourModel) {
        case kColourModelRGB:
            if (layout.colourChannels >= 3) {
                r = s[0];
                g = s[1];
                b = s[2];
                return;
            }
            break;
        case kColourModelCMYK:
        case kColourModelLab:
            if (layout.colourChannels >= (layout.colourModel == kColourModelCMYK ? 4 : 3)) {
                const bool cmyk = layout.colourModel == kColourModelCMYK;
                const ColorSpec colour{cmyk ? ColorSpec::kCMYK : ColorSpec::kLab, s[0], s[1], s[2],
                                       static_cast<int16_t>(cmyk ? s[3] : 0)};
                const auto rgb = ColourToRGB(colour);
                r = rgb[0];
                g = rgb[1];
                b = rgb[2];
                return;
            }
            break;
        default: break;
    }
    r = g = b = layout.colourChannels > 0 ? s[0] : 0;
}

}  // namespace

uint32_t ScreenColour(const unsigned char* samples, const ChannelLayout& layout, int32_t x, int32_t y) {
    uint32_t r = 0;
    uint32_t g = 0;
    uint32_t b = 0;
    ColourChannels(samples, layout, r, g, b);
    if (!layout.hasAlpha) return Pack(r, g, b);
    const uint32_t alpha = samples[layout.colourChannels];
    const bool light = ((x / kCheckerSquare) + (y / kCheckerSquare)) % 2 == 0;
    const uint32_t under = light ? kCheckerLight : kCheckerDark;
    auto over = [alpha, under](uint32_t c) { return (c * alpha + under * (255 - alpha) + 127) / 255; };
    return Pack(over(r), over(g), over(b));
}

void ComposeView(const PreviewGeometry& geometry, const Image<unsigned char>& document, const RowImage* rendered,
                 uint32_t* pixels) {
    const int32_t width = geometry.ViewWidth();
    const int32_t height = geometry.ViewHeight();
    const int32_t factor = geometry.Factor();
    const int32_t magnification = geometry.Magnification();
    const Point origin = geometry.Origin();
    const Rect image = geometry.ShownReduced();
    const Rect renderedArea = rendered != nullptr && rendered->HasRows() ? rendered->Bounds() : Rect();
    for (int32_t y = 0; y < height; ++y) {
        uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * width;
        const int32_t reducedY = origin.y + y / magnification;
        for (int32_t x = 0; x < width; ++x) {
            const Point reduced{origin.x + x / magnification, reducedY};
            if (!image.Contains(reduced)) {
                row[x] = kPreviewBackground;
                continue;
            }
            const unsigned char* samples = renderedArea.Contains(reduced)
                                               ? rendered->PixelAddress(reduced.x, reduced.y)
                                               : document.PixelAddress(Point{document.bounds.left + reduced.x * factor,
                                                                             document.bounds.top + reduced.y * factor});
            row[x] = ScreenColour(samples, document.layout, x, y);
        }
    }
}

ThumbnailFrame::ThumbnailFrame(int32_t imageWidth, int32_t imageHeight, int32_t width, int32_t height)
    : imageWidth_(std::max(imageWidth, 1)),
      imageHeight_(std::max(imageHeight, 1)),
      width_(std::max(width, 1)),
      height_(std::max(height, 1)) {
    scale_ = std::max({1.0, static_cast<double>(imageWidth_) / width_, static_cast<double>(imageHeight_) / height_});
    const int32_t shownWidth = static_cast<int32_t>(std::lround(imageWidth_ / scale_));
    const int32_t shownHeight = static_cast<int32_t>(std::lround(imageHeight_ / scale_));
    left_ = (width_ - shownWidth) / 2;
    top_ = (height_ - shownHeight) / 2;
}

Rect ThumbnailFrame::ThumbnailRect(const Rect& source) const {
    auto x = [this](int32_t v) { return left_ + static_cast<int32_t>(std::lround(v / scale_)); };
    auto y = [this](int32_t v) { return top_ + static_cast<int32_t>(std::lround(v / scale_)); };
    return Rect(y(source.top), x(source.left), y(source.bottom), x(source.right));
}

SourcePoint ThumbnailFrame::SourceAt(int32_t x, int32_t y) const {
    return SourcePoint{(x - left_ + 0.5) * scale_, (y - top_ + 0.5) * scale_};
}

void ThumbnailFrame::Compose(const Image<unsigned char>& document, uint32_t* pixels) const {
    for (int32_t y = 0; y < height_; ++y) {
        uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * width_;
        const int32_t sourceY = static_cast<int32_t>(std::floor((y - top_ + 0.5) * scale_));
        for (int32_t x = 0; x < width_; ++x) {
            const int32_t sourceX = static_cast<int32_t>(std::floor((x - left_ + 0.5) * scale_));
            if (sourceX < 0 || sourceY < 0 || sourceX >= imageWidth_ || sourceY >= imageHeight_ ||
                !document.HasData()) {
                row[x] = kPreviewBackground;
                continue;
            }
            const Point at{document.bounds.left + sourceX, document.bounds.top + sourceY};
            row[x] = ScreenColour(document.PixelAddress(at), document.layout, x, y);
        }
    }
}
