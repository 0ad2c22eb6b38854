// The Edges effect seen through the preview renderer: a reduced preview shows
// the full render's edge at the reduced size.
#include <gtest/gtest.h>

#include "dialog/PreviewRenderer.h"
#include "filters/ParameterBlock.h"
#include "filters/edge/Edge.h"

namespace {

class NeverAbort : public Abort_Tester {
public:
    bool IsAborted() override { return false; }
};

constexpr int kWidth = 200, kHeight = 160;
const Rect kSelected(24, 30, 136, 170);  // top, left, bottom, right

uint8_t SourceSample(int x, int y, int c) { return static_cast<uint8_t>((x + 2 * y + 50 * c) % 180 + 20); }

struct Scene {
    Image<unsigned char> image;
    SingleChannelImage<unsigned char> mask;
    Scene() : image(ChannelLayout(kColourModelRGB, 3, false)) {
        ResultCode result;
        image = Image<unsigned char>(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, kHeight, kWidth), result);
        mask = SingleChannelImage<unsigned char>(Rect(0, 0, kHeight, kWidth), result);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                for (int c = 0; c < 3; ++c) image.PixelAddress(Point{x, y})[c] = SourceSample(x, y, c);
                *mask.PixelAddress(Point{x, y}) = kSelected.Contains(Point{x, y}) ? 255 : 0;
            }
        }
    }
};

// 0 unchanged, 2 fully the edge colour (white), 1 in between.
int Classify(const uint8_t* p, int x, int y) {
    bool same = true, white = true;
    for (int c = 0; c < 3; ++c) {
        same &= p[c] == SourceSample(x, y, c);
        white &= p[c] == 255;
    }
    return same ? 0 : (white ? 2 : 1);
}

struct Comparison {
    double agreement;  // share of preview pixels in the selection classed like their full-size pixel
    int fullBand;      // changed pixels on the middle row from the left side of the selection inward
    int previewBand;
};

Comparison Compare(int32_t type, double border, double width, int factor) {
    Scene scene;
    PreviewDocument document;
    document.image = &scene.image;
    document.mask = &scene.mask;
    ParameterBlock block{};
    Edge edge;
    edge.WriteDefaults(block);
    EdgeParameters& p = block.As<EdgeParameters>();
    p.edgeType = type;
    p.border.Set(border, kLengthPixels);
    p.width.Set(width, kLengthPixels);
    NeverAbort never;
    PreviewRenderer full(document), reduced(document);
    EXPECT_EQ(full.Render(edge, block, 1.0, Rect(), never, nullptr).status, 0);
    EXPECT_EQ(reduced.Render(edge, block, factor, Rect(), never, nullptr).status, 0);

    int agree = 0, total = 0;
    for (int y = kSelected.top / factor; y < kSelected.bottom / factor; ++y) {
        for (int x = kSelected.left / factor; x < kSelected.right / factor; ++x) {
            ++total;
            agree += Classify(reduced.Preview().PixelAddress(x, y), factor * x, factor * y) ==
                     Classify(full.Preview().PixelAddress(factor * x, factor * y), factor * x, factor * y);
        }
    }
    Comparison result{static_cast<double>(agree) / total, 0, 0};
    const int row = kHeight / 2;
    for (int x = kSelected.left; x < kWidth / 2; ++x)
        result.fullBand =
            Classify(full.Preview().PixelAddress(x, row), x, row) != 0 ? x - kSelected.left + 1 : result.fullBand;
    for (int x = kSelected.left / factor; x < kWidth / 2 / factor; ++x)
        result.previewBand = Classify(reduced.Preview().PixelAddress(x, row / factor), factor * x, row) != 0
                                 ? x - kSelected.left / factor + 1
                                 : result.previewBand;
    return result;
}

TEST(EdgePreview, ReductionsTwoAndFourShowTheSameEdgeAtTheirSize) {
    for (int factor : {2, 4}) {
        for (int32_t type = 0; type <= 5; ++type) {
            const Comparison c = Compare(type, 6.0, 30.0, factor);
            // The band reaches w1 + w2 = 36 pixels at most. Where a row's
            // band ends depends on the last dot or cell it crosses, whose
            // one-pixel rim is f pixels wide in the preview.
            EXPECT_GT(c.fullBand, 6) << "type " << type;
            EXPECT_LE(c.fullBand, 37) << "type " << type;
            EXPECT_NEAR(c.previewBand, c.fullBand / static_cast<double>(factor), 4.0)
                << "type " << type << " reduction " << factor;
            // Pixel by pixel the preview shows what the full render shows at
            // the same place: the noise at the same image position, the
            // screens with the same cells. Sampling every f-th pixel of a
            // one-pixel ramp costs some agreement along every line, dot and
            // cell side, and more at reduction 4, where the cells of these
            // screens are about a pixel wide.
            const bool screen = type >= 2 && type <= 4;
            const double least = factor == 2 ? (screen ? 0.83 : 0.93) : (screen ? 0.66 : 0.88);
            EXPECT_GT(c.agreement, least) << "type " << type << " reduction " << factor;
        }
    }
}

}  // namespace
