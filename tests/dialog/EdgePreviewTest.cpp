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

Comparison Compare(int32_t type, double border, double width) {
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
    EXPECT_EQ(reduced.Render(edge, block, 2.0, Rect(), never, nullptr).status, 0);

    int agree = 0, total = 0;
    for (int y = kSelected.top / 2; y < kSelected.bottom / 2; ++y) {
        for (int x = kSelected.left / 2; x < kSelected.right / 2; ++x) {
            ++total;
            agree += Classify(reduced.Preview().PixelAddress(x, y), 2 * x, 2 * y) ==
                     Classify(full.Preview().PixelAddress(2 * x, 2 * y), 2 * x, 2 * y);
        }
    }
    Comparison result{static_cast<double>(agree) / total, 0, 0};
    const int row = kHeight / 2;
    for (int x = kSelected.left; x < kWidth / 2; ++x)
        result.fullBand =
            Classify(full.Preview().PixelAddress(x, row), x, row) != 0 ? x - kSelected.left + 1 : result.fullBand;
    for (int x = kSelected.left / 2; x < kWidth / 4; ++x)
        result.previewBand = Classify(reduced.Preview().PixelAddress(x, row / 2), 2 * x, row) != 0
                                 ? x - kSelected.left / 2 + 1
                                 : result.previewBand;
    return result;
}

TEST(EdgePreview, ReductionTwoShowsTheSameEdgeAtHalfTheWidth) {
    for (int32_t type = 0; type <= 5; ++type) {
        const Comparison c = Compare(type, 6.0, 30.0);
        // The band reaches w1 + w2 = 36 pixels at most, 18 in the preview.
        EXPECT_GT(c.fullBand, 6) << "type " << type;
        EXPECT_LE(c.fullBand, 37) << "type " << type;
        EXPECT_NEAR(c.previewBand, c.fullBand / 2.0, 3.0) << "type " << type;
        // Pixel by pixel the preview shows what the full render shows at the
        // same place: the noise at the same image position, the screens with
        // the same cells. Sampling every second pixel of a one-pixel ramp
        // costs some agreement along every line, dot and cell side.
        const double least = type <= 1 || type == 5 ? 0.93 : 0.83;
        EXPECT_GT(c.agreement, least) << "type " << type;
    }
}

}  // namespace
