// The Resurface render on textures the content writer makes, against a
// reference written out here step by step from the effect's description,
// and its edge cases, failures, abort and progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "content/JpegLoader.h"
#include "filters/resurface/Resurface.h"
#include "image/Parallel.h"
#include "image/Resample.h"
#include "tests/filters/EffectContent.h"
#include "tests/filters/EffectTestSupport.h"

namespace {

using namespace effect_test;

// The height field as the reference builds it: the texture decoded and
// scaled by the content reader and the image core, divided by 255.
struct Heights {
    int32_t width = 0, height = 0;
    std::vector<double> values;
    double At(int32_t u, int32_t v) const {
        u = (u % width + width) % width;
        v = (v % height + height) % height;
        return values[static_cast<std::size_t>(v * width + u)];
    }
};

Heights LoadHeights(const std::string& path, double renderedWidth) {
    std::unique_ptr<Image<unsigned char>> texture;
    EXPECT_TRUE(LoadJpegFile(path, texture, nullptr, 0, 1).IsSuccess());
    const double s = renderedWidth / texture->Width();
    Heights heights;
    heights.width = std::max(2, static_cast<int32_t>(texture->Width() * s + 0.5));
    heights.height = std::max(2, static_cast<int32_t>(texture->Height() * s + 0.5));
    ResultCode made;
    Image<unsigned char> scaled(texture->layout, Rect(0, 0, heights.height, heights.width), made);
    EXPECT_TRUE(Resample(*texture, scaled, nullptr, nullptr, 0, 1).IsSuccess());
    for (int32_t v = 0; v < heights.height; ++v)
        for (int32_t u = 0; u < heights.width; ++u) heights.values.push_back(*scaled.PixelAddress(Point{u, v}) / 255.0);
    return heights;
}

void Blend(double* c, int colours, double* alpha, const double* colour, double a) {
    if (alpha == nullptr) {
        for (int i = 0; i < colours; ++i) c[i] = c[i] + (colour[i] - c[i]) * a / 255;
        return;
    }
    const double o = (255 - a) * *alpha / 255;
    const double t = o + a;
    if (t > 0)
        for (int i = 0; i < colours; ++i) c[i] = (a * colour[i] + o * c[i]) / t;
    *alpha = t;
}

uint8_t Byte(double value) { return static_cast<uint8_t>(std::clamp(value, 0.0, 255.0)); }

// Every pixel of `area`: slope, displaced sample (or the source pixel
// itself with `inPlace`), shading, rounding and boost. RGB colours only.
Image<unsigned char> Reference(const ResurfaceParameters& p, const Heights& h, const Image<unsigned char>& source,
                               const Rect& area, double zoom, double slopeGain, bool inPlace = false) {
    const double pi = 3.14159265;
    const double theta = p.light.direction * pi / 180, phi = p.light.elevation * pi / 180;
    const double lx = std::cos(phi) * std::cos(theta), ly = -std::cos(phi) * std::sin(theta), lz = std::sin(phi);
    const double exponent = 2 * std::sqrt(100 - p.light.sharpness) + 3;
    const double d = p.distortion * 0.5 / zoom;
    const double b = p.boost * 0.005 + 1;
    const double shadow[3] = {double(p.shadowColour.c0), double(p.shadowColour.c1), double(p.shadowColour.c2)};
    const double light[3] = {double(p.light.colour.c0), double(p.light.colour.c1), double(p.light.colour.c2)};
    const int channels = source.layout.channelCount;
    Image<unsigned char> out = MakeImage(source.layout, area, [](int, int, int) { return uint8_t{0}; });
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const double gx = 0.5 * (h.At(x + 1, y) - h.At(x - 1, y));
            const double gy = 0.5 * (h.At(x, y + 1) - h.At(x, y - 1));
            uint8_t sampled[4] = {0, 0, 0, 0};
            if (inPlace) {
                std::copy(At(source, x, y), At(source, x, y) + channels, sampled);
            } else {
                SampleBilinearToEdge(source, x + d * gx, y + d * gy, sampled);
            }
            double c[4];
            for (int i = 0; i < channels; ++i) c[i] = sampled[i];
            double* alpha = source.layout.hasAlpha ? &c[3] : nullptr;
            const double k = slopeGain;
            const double length2 = 1 + (k * gx) * (k * gx) + (k * gy) * (k * gy);
            const double e = -k * gx * lx - k * gy * ly + lz;
            if (e <= 0) {
                Blend(c, 3, alpha, shadow, 255);
            } else {
                Blend(c, 3, alpha, shadow, 255 * (1 - e / std::sqrt(length2)));
                const double r = 2 * e / length2 - lz;
                if (r > 0) Blend(c, 3, alpha, light, 255 * (p.light.brightness * 0.01) * std::pow(r, exponent));
            }
            for (int i = 0; i < channels; ++i) {
                const uint8_t lit = Byte(c[i] + 0.5);
                out.PixelAddress(Point{x, y})[i] = Byte(lit * b + 0.5);
            }
        }
    return out;
}

::testing::AssertionResult SameOver(const Image<unsigned char>& a, const Image<unsigned char>& b, const Rect& area) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            for (int c = 0; c < a.layout.channelCount; ++c)
                if (At(a, x, y)[c] != At(b, x, y)[c])
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " channel " << c << ": "
                                                         << int(At(a, x, y)[c]) << " vs " << int(At(b, x, y)[c]);
    return ::testing::AssertionSuccess();
}

// A 40 x 30 texture of bumps with one sharp ridge, so slopes of every size occur.
RasterImage BumpyPicture() {
    return Picture(40, 30, 1, [](int x, int y, int) {
        const double bumps = 128 + 90 * std::sin(x / 3.0) * std::cos(y / 4.0);
        return static_cast<uint8_t>(x == 17 ? 255 : bumps);
    });
}

class ResurfaceRender : public ContentFileTest {
protected:
    void SetUp() override {
        ContentFileTest::SetUp();
        texture_ = WriteTextureFile("bumps.jpg", BumpyPicture());
    }
    ResurfaceParameters Parameters(double width = 25) const {
        ResurfaceParameters p = resurface::DefaultParameters();
        p.texture = AbsoluteReference(texture_);
        p.width.Set(width, kLengthPixels);
        return p;
    }
    static RenderOutcome Render(const ResurfaceParameters& p, const Image<unsigned char>& source,
                                const RenderOptions& options = RenderOptions()) {
        ParameterBlock block{};
        block.As<ResurfaceParameters>() = p;
        Resurface resurface;
        return RenderEffect(resurface, block, source, options);
    }

    std::string texture_;
};

TEST_F(ResurfaceRender, EveryPixelFollowsTheReference) {
    ResurfaceParameters p = Parameters();
    p.height = 70;
    p.distortion = 60;
    p.boost = 30;
    p.shadowColour = ColorSpec::RGB(20, 0, 60);
    p.light = LightingValue{80, 50, 200, 30, ColorSpec::RGB(255, 240, 200)};
    for (const ChannelLayout& layout : {RGB(), RGBA()}) {
        for (double zoom : {1.0, 2.0}) {
            const Image<unsigned char> source = MakeImage(layout, Rect(-4, 3, 46, 63), [](int x, int y, int c) {
                return static_cast<uint8_t>(c == 3 ? (x * 7 + y) % 256 : (x * 11 + y * 5 + c * 70) % 256);
            });
            RenderOptions options;
            options.scale = zoom;
            const RenderOutcome out = Render(p, source, options);
            ASSERT_EQ(out.status.status, 0);
            const Heights heights = LoadHeights(texture_, 25 / zoom);
            const Image<unsigned char> expected =
                Reference(p, heights, source, source.bounds, zoom, (70 * 0.01 * 2.9 + 0.1) / zoom);
            EXPECT_TRUE(SameOver(out.output, expected, source.bounds)) << "zoom " << zoom;
        }
    }
}

TEST_F(ResurfaceRender, DefaultsFollowTheReferenceToo) {
    const ResurfaceParameters p = Parameters();
    const Image<unsigned char> source = Ramp(RGB(), Rect(0, 0, 31, 47));
    const RenderOutcome out = Render(p, source);
    ASSERT_EQ(out.status.status, 0);
    EXPECT_TRUE(
        SameOver(out.output, Reference(p, LoadHeights(texture_, 25), source, source.bounds, 1, 1.057), source.bounds));
}

TEST_F(ResurfaceRender, DistortionZeroSamplesTheSourceInPlace) {
    ResurfaceParameters p = Parameters();
    p.distortion = 0;
    const Image<unsigned char> source = Ramp(RGB(), Rect(0, 0, 20, 33));
    const RenderOutcome out = Render(p, source);
    ASSERT_EQ(out.status.status, 0);
    const Image<unsigned char> expected =
        Reference(p, LoadHeights(texture_, 25), source, source.bounds, 1, 1.057, /*inPlace=*/true);
    EXPECT_TRUE(SameOver(out.output, expected, source.bounds));
}

TEST_F(ResurfaceRender, HeightZeroStillTiltsTheLightByATenthOverTheZoom) {
    ResurfaceParameters p = Parameters();
    p.height = 0;
    const Image<unsigned char> source = Ramp(RGBA(), Rect(0, 0, 24, 30), 180);
    RenderOptions options;
    options.scale = 2;
    const RenderOutcome out = Render(p, source, options);
    ASSERT_EQ(out.status.status, 0);
    const Heights heights = LoadHeights(texture_, 12.5);
    EXPECT_TRUE(SameOver(out.output, Reference(p, heights, source, source.bounds, 2, 0.05), source.bounds));
    // And that is not the flat light: somewhere a pixel differs from it.
    EXPECT_FALSE(SameOver(out.output, Reference(p, heights, source, source.bounds, 2, 0.0), source.bounds));
}

TEST_F(ResurfaceRender, TheTextureRepeatsEveryTileWidth) {
    ResurfaceParameters p = Parameters();
    p.distortion = 0;
    const Image<unsigned char> source =
        MakeImage(RGB(), Rect(0, 0, 40, 60), [](int, int, int c) { return static_cast<uint8_t>(90 + 40 * c); });
    const RenderOutcome out = Render(p, source);
    ASSERT_EQ(out.status.status, 0);
    const int tileWidth = 25, tileHeight = 19;
    bool varies = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x + tileWidth < 60; ++x) {
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(At(out.output, x, y)[c], At(out.output, x + tileWidth, y)[c]) << x << "," << y;
                if (y + tileHeight < 40) {
                    ASSERT_EQ(At(out.output, x, y)[c], At(out.output, x, y + tileHeight)[c]) << x << "," << y;
                }
            }
            varies = varies || At(out.output, x, y)[0] != At(out.output, x + 1, y)[0];
        }
    EXPECT_TRUE(varies);
}

TEST_F(ResurfaceRender, FlatTextureBoostZeroAndHundred) {
    const std::string flat = WriteTextureFile("flat.jpg", Picture(8, 8, 1, [](int, int, int) { return 140; }));
    // Kept at its own width: interpolating even a flat picture may shave a
    // level off here and there.
    ResurfaceParameters p = Parameters(8);
    p.texture = AbsoluteReference(flat);
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 5, 5), [](int, int, int c) {
        return static_cast<uint8_t>(c == 0 ? 100 : c == 1 ? 200 : 0);
    });
    // Shadow 74.688 toward black, then highlight 0.1114 toward white:
    // 100 → 70.709 → 70.788 → 71; 200 → 141.42 → 141.45 → 141; 0 → 0 → 0.111 → 0.
    const struct {
        double boost;
        uint8_t expected[3];
    } cases[] = {{0, {71, 141, 0}}, {100, {107, 212, 0}}, {60, {92, 183, 0}}};
    for (const auto& c : cases) {
        p.boost = c.boost;
        const RenderOutcome out = Render(p, source);
        ASSERT_EQ(out.status.status, 0);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_TRUE(std::equal(c.expected, c.expected + 3, At(out.output, x, y)))
                    << c.boost << ": " << x << "," << y;
    }
}

TEST_F(ResurfaceRender, APartOfThePictureRendersAsItDoesInTheWhole) {
    // Black and white stripes: slopes of about 1/2 at every edge, which
    // push the sampling a quarter of the distortion away.
    const std::string stripes = WriteTextureFile("stripes.jpg", Picture(40, 40, 1, [](int x, int y, int) {
                                                     return static_cast<uint8_t>((x + y) % 10 < 5 ? 0 : 255);
                                                 }));
    ResurfaceParameters p = Parameters(40);
    p.texture = AbsoluteReference(stripes);
    p.distortion = 100;
    p.height = 100;
    const Image<unsigned char> source = Ramp(RGB(), Rect(0, 0, 70, 70));
    const RenderOutcome whole = Render(p, source);
    RenderOptions options;
    options.area = Rect(30, 25, 44, 47);
    const RenderOutcome part = Render(p, source, options);
    ASSERT_EQ(part.status.status, 0);
    EXPECT_TRUE(SameOver(part.output, whole.output, options.area));
}

TEST_F(ResurfaceRender, LabKeepsItsColourAxesWhenBoosted) {
    const std::string flat = WriteTextureFile("flat.jpg", Picture(8, 8, 1, [](int, int, int) { return 140; }));
    ResurfaceParameters p = Parameters(8);
    p.texture = AbsoluteReference(flat);
    p.boost = 100;
    const ChannelLayout lab(kColourModelLab, 3, false);
    const Image<unsigned char> source =
        MakeImage(lab, Rect(0, 0, 4, 4), [](int, int, int c) { return static_cast<uint8_t>(c == 0 ? 100 : 128); });
    const RenderOutcome out = Render(p, source);
    ASSERT_EQ(out.status.status, 0);
    // Black and white are (0, 128, 128) and (255, 128, 128) in Lab: the
    // colour axes stay neutral, lightness goes 100 → 71 → 107.
    EXPECT_EQ(At(out.output, 2, 2)[0], 107);
    EXPECT_EQ(At(out.output, 2, 2)[1], 128);
    EXPECT_EQ(At(out.output, 2, 2)[2], 128);
}

TEST_F(ResurfaceRender, TexturesThatCannotBeUsedAreRefusedWithTheirReason) {
    const Image<unsigned char> source = Ramp(RGB(), Rect(0, 0, 10, 10));
    ResurfaceParameters p = Parameters();
    const std::string colour = PathOf("colour.jpg");
    ASSERT_TRUE(WriteImageFile(
                    colour, Picture(16, 16, 3, [](int x, int, int c) { return static_cast<uint8_t>(x * 10 + c * 50); }))
                    .Ok());
    // A colour picture is not a texture; a missing file cannot be opened.
    for (const auto& [path, message] : {std::make_pair(colour, 10033), std::make_pair(PathOf("missing.jpg"), 10032)}) {
        p.texture = AbsoluteReference(path);
        const RenderOutcome out = Render(p, source);
        EXPECT_EQ(out.status.status, -1) << path;
        EXPECT_EQ(out.status.messageId, message) << path;
        EXPECT_TRUE(SameImage(out.output, source));
    }
    // A width far below a pixel still makes a 2 x 2 texture.
    p = Parameters(0.01);
    EXPECT_EQ(Render(p, source).status.status, 0);
}

TEST_F(ResurfaceRender, AbortBetweenChunksOfRowsAndProgressInFourStretches) {
    // Rows 4096 pixels wide are painted 16 to a chunk: three chunks. On one
    // thread abort is asked before each chunk and once after the last.
    const Image<unsigned char> source = Ramp(RGB(), Rect(0, 0, 40, 4096));
    SetParallelThreads(1);
    CountingAbort counting(1000000);
    RenderOptions options;
    options.abort = &counting;
    ASSERT_EQ(Render(Parameters(), source, options).status.status, 0);
    CountingAbort afterFirstChunk(counting.calls - 3);
    options.abort = &afterFirstChunk;
    const RenderOutcome stopped = Render(Parameters(), source, options);
    SetParallelThreads(0);
    EXPECT_EQ(stopped.status.status, 1);
    for (int y = 0; y < 40; ++y) {
        bool rowChanged = false;
        for (int x = 0; x < 4096; ++x) rowChanged |= !SamePixel(stopped.output, source, x, y);
        EXPECT_EQ(rowChanged, y < 16) << "row " << y;
    }

    const Image<unsigned char> small = Ramp(RGB(), Rect(0, 0, 6, 9));
    RecordingProgress progress;
    options.abort = nullptr;
    options.progress = &progress;
    ASSERT_EQ(Render(Parameters(), small, options).status.status, 0);
    const std::vector<double>& v = progress.values;
    ASSERT_GE(v.size(), 2u);
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
    EXPECT_EQ(v.front(), 0.0);               // the texture's first line
    EXPECT_DOUBLE_EQ(v[v.size() - 2], 0.3);  // the height field done
    EXPECT_DOUBLE_EQ(v.back(), 1.0);         // the rows, one chunk
}

}  // namespace
