// The preview renderer with a small effect of the tests' own: what the effect
// is asked to do, how its result is blended, abort and failures.
#include <gtest/gtest.h>

#include "dialog/PreviewRenderer.h"
#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"

namespace {

// Paints every pixel it is asked for with (10, 250, 90) and opaque alpha, and
// remembers what it was given.
class PaintFilter : public Filter {
public:
    int32_t ParameterSize() const override { return 16; }
    void WriteDefaults(ParameterBlock& block) const override { block.kind = kind; }
    ResultCode BeginRender(RenderContext& context) override {
        ++begun;
        scale = context.scale;
        return beginStatus;
    }
    ResultCode Render(RenderContext& context) override {
        ++rendered;
        area = context.area;
        maskBounds = context.maskBounds;
        renderMode = context.renderMode;
        hadMask = context.maskView != nullptr;
        Image<unsigned char>& out = *context.outputView;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                uint8_t* p = out.PixelAddress(Point{x, y});
                const uint8_t paint[4] = {10, 250, 90, 255};
                for (int c = 0; c < out.layout.channelCount; ++c) p[c] = paint[c];
            }
        }
        if (context.progress != nullptr) context.progress->Update(1.0);
        return renderStatus;
    }
    void EndRender(const ParameterBlock&) override { ++ended; }
    ResultCode BuildParameters(ParameterSet&, ParameterBlock&) const override { return ResultCode::Success(); }
    std::string InternalName() const override { return "Paint"; }

    ResultCode beginStatus;
    ResultCode renderStatus;
    int begun = 0, rendered = 0, ended = 0;
    double scale = 0.0;
    Rect area, maskBounds;
    int32_t renderMode = 0;
    bool hadMask = false;
};

class NeverAbort : public Abort_Tester {
public:
    bool IsAborted() override { return false; }
};

class AbortAfter : public Abort_Tester {
public:
    explicit AbortAfter(int no) : no_(no) {}
    bool IsAborted() override { return calls++ >= no_; }
    int calls = 0;

private:
    int no_;
};

uint8_t SourceSample(int x, int y, int c) { return static_cast<uint8_t>(x * 7 + y * 3 + c * 60); }

Image<unsigned char> Source(const ChannelLayout& layout, const Rect& bounds) {
    ResultCode result;
    Image<unsigned char> image(layout, bounds, result);
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left; x < bounds.right; ++x)
            for (int c = 0; c < image.layout.channelCount; ++c)
                image.PixelAddress(Point{x, y})[c] = SourceSample(x, y, c);
    return image;
}

// Mask over rows 2..5 and columns 2..7: 255 except 128 at (4, 2) and 0 at (6, 4).
SingleChannelImage<unsigned char> Selection() {
    ResultCode result;
    SingleChannelImage<unsigned char> mask(Rect(2, 2, 6, 8), result);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 8; ++x) *mask.PixelAddress(Point{x, y}) = 255;
    *mask.PixelAddress(Point{4, 2}) = 128;
    *mask.PixelAddress(Point{6, 4}) = 0;
    return mask;
}

class PreviewRendererTest : public ::testing::Test {
protected:
    PreviewRendererTest()
        : source(Source(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 8, 10))), mask(Selection()) {
        document.image = &source;
        document.mask = &mask;
    }

    const uint8_t* Preview(PreviewRenderer& renderer, int x, int y) { return renderer.Preview().PixelAddress(x, y); }

    Image<unsigned char> source;
    SingleChannelImage<unsigned char> mask;
    PreviewDocument document;
    PaintFilter filter;
    ParameterBlock block{};
    NeverAbort never;
};

TEST_F(PreviewRendererTest, RendersTheReducedSelectionAndBlendsItWithTheMask) {
    PreviewRenderer renderer(document);
    ASSERT_EQ(renderer.Render(filter, block, 2.7, Rect(), never, nullptr).status, 0);
    EXPECT_EQ(filter.scale, 2.0);
    EXPECT_EQ(filter.renderMode, kRenderModePreview);
    EXPECT_TRUE(filter.hadMask);
    // Mask columns 2..7 hold 2, 4, 6 (reduced 1..3), rows 2..5 hold 2, 4 (1..2).
    EXPECT_EQ(filter.maskBounds, Rect(1, 1, 3, 4));
    EXPECT_EQ(filter.area, Rect(1, 1, 3, 4));
    EXPECT_EQ(filter.begun, 1);
    EXPECT_EQ(filter.ended, 1);
    EXPECT_EQ(renderer.Preview().Bounds(), Rect(0, 0, 4, 5));

    const uint8_t paint[3] = {10, 250, 90};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int in = SourceSample(2 * x, 2 * y, c);
                int expected = in;  // outside the mask's bounds
                if (x >= 1 && x <= 3 && y >= 1 && y <= 2) {
                    int t = 255;
                    if (x == 2 && y == 1) t = 128;  // mask (4, 2)
                    if (x == 3 && y == 2) t = 0;    // mask (6, 4)
                    expected = in + (paint[c] - in) * t / 255;
                }
                ASSERT_EQ(Preview(renderer, x, y)[c], expected) << x << "," << y << " channel " << c;
            }
        }
    }
}

TEST_F(PreviewRendererTest, RegionLimitsWhatIsShownAndRendered) {
    PreviewRenderer renderer(document);
    ASSERT_EQ(renderer.Render(filter, block, 2.0, Rect(0, 0, 2, 2), never, nullptr).status, 0);
    EXPECT_EQ(renderer.Preview().Bounds(), Rect(0, 0, 2, 2));
    EXPECT_EQ(filter.area, Rect(1, 1, 2, 2));
    EXPECT_EQ(Preview(renderer, 1, 1)[1], 250);
    EXPECT_EQ(Preview(renderer, 0, 1)[1], SourceSample(0, 2, 1));

    // A region beside the selection: nothing to render, the source is shown.
    filter.rendered = 0;
    ASSERT_EQ(renderer.Render(filter, block, 2.0, Rect(0, 4, 9, 9), never, nullptr).status, 0);
    EXPECT_EQ(filter.rendered, 0);
    EXPECT_EQ(renderer.Preview().Bounds(), Rect(0, 4, 4, 5));
    EXPECT_EQ(Preview(renderer, 4, 2)[0], SourceSample(8, 4, 0));
}

TEST_F(PreviewRendererTest, FactorOneRendersEveryPixel) {
    PreviewRenderer renderer(document);
    ASSERT_EQ(renderer.Render(filter, block, 0.3, Rect(), never, nullptr).status, 0);
    EXPECT_EQ(filter.scale, 1.0);
    EXPECT_EQ(filter.area, mask.bounds);
    EXPECT_EQ(Preview(renderer, 3, 3)[0], 10);
    EXPECT_EQ(Preview(renderer, 6, 4)[0], SourceSample(6, 4, 0));
}

TEST_F(PreviewRendererTest, ShapeFromTransparencyMultipliesAlpha) {
    const Image<unsigned char> layer = Source(ChannelLayout(kColourModelRGB, 3, true), Rect(0, 0, 6, 6));
    ResultCode result;
    SingleChannelImage<unsigned char> shape(Rect(0, 0, 6, 6), result);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) *shape.PixelAddress(Point{x, y}) = 255;
    PreviewDocument layered;
    layered.image = &layer;
    layered.mask = &shape;
    layered.shapeFromTransparency = true;
    PreviewRenderer renderer(layered);
    ASSERT_EQ(renderer.Render(filter, block, 3.0, Rect(), never, nullptr).status, 0);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            const uint8_t* p = renderer.Preview().PixelAddress(x, y);
            EXPECT_EQ(p[0], 10);
            // Painted alpha 255 times the source's alpha, over 255.
            EXPECT_EQ(p[3], SourceSample(3 * x, 3 * y, 3));
        }
    }
}

TEST_F(PreviewRendererTest, WithoutMaskEverythingIsSelected) {
    document.mask = nullptr;
    PreviewRenderer renderer(document);
    ASSERT_EQ(renderer.Render(filter, block, 4.0, Rect(), never, nullptr).status, 0);
    EXPECT_FALSE(filter.hadMask);
    EXPECT_EQ(filter.area, Rect(0, 0, 2, 3));
    EXPECT_EQ(Preview(renderer, 0, 0)[2], 90);
}

TEST_F(PreviewRendererTest, AbortStopsBetweenRows) {
    PreviewRenderer renderer(document);
    AbortAfter first(0);
    EXPECT_EQ(renderer.Render(filter, block, 2.0, Rect(), first, nullptr).status, 1);
    EXPECT_EQ(filter.rendered, 0);

    // The reduced source is kept: the next render asks once per shown row (4),
    // then once per blended row (2); a yes on the sixth question stops the
    // blend at its second row.
    ASSERT_EQ(renderer.Render(filter, block, 2.0, Rect(), never, nullptr).status, 0);
    AbortAfter during(5);
    EXPECT_EQ(renderer.Render(filter, block, 2.0, Rect(), during, nullptr).status, 1);
    EXPECT_EQ(during.calls, 6);
}

TEST_F(PreviewRendererTest, EffectFailuresComeBackAndEndRenderFollowsBegin) {
    PreviewRenderer renderer(document);
    filter.renderStatus = ResultCode(-1, 10009);
    const ResultCode failed = renderer.Render(filter, block, 2.0, Rect(), never, nullptr);
    EXPECT_EQ(failed.status, -1);
    EXPECT_EQ(failed.messageId, 10009);
    EXPECT_EQ(filter.ended, 1);

    filter.beginStatus = ResultCode::OutOfMemory();
    EXPECT_EQ(renderer.Render(filter, block, 2.0, Rect(), never, nullptr).status, -108);
    EXPECT_EQ(filter.rendered, 1);
    EXPECT_EQ(filter.ended, 1);
}

}  // namespace
