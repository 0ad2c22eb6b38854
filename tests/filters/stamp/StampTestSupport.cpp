#include "tests/filters/stamp/StampTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "filters/RenderContext.h"
#include "image/RowImage.h"
#include "tools/contentwriters/PictureTubeWriter.h"

namespace stamp_test {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    static int serial = 0;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = fs::temp_directory_path() / ("dapple-stamp-test-" + std::to_string(ticks) + "-" + std::to_string(serial++));
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

RasterImage CellPicture(int32_t columns, int32_t rows, int32_t cellWidth, int32_t cellHeight,
                        const std::function<void(int32_t, int32_t, int32_t, int32_t, uint8_t*)>& pixel) {
    RasterImage picture(columns * cellWidth, rows * cellHeight, 4);
    for (int32_t y = 0; y < picture.height; ++y)
        for (int32_t x = 0; x < picture.width; ++x)
            pixel(x / cellWidth, y / cellHeight, x % cellWidth, y % cellHeight,
                  picture.Row(y) + static_cast<size_t>(x) * 4);
    return picture;
}

RasterImage SquareCells(int32_t columns, int32_t rows, int32_t cellWidth, int32_t cellHeight, int32_t inset) {
    return CellPicture(
        columns, rows, cellWidth, cellHeight, [&](int32_t c, int32_t r, int32_t x, int32_t y, uint8_t* p) {
            const bool inside = x >= inset && y >= inset && x < cellWidth - inset && y < cellHeight - inset;
            p[0] = static_cast<uint8_t>(40 + 60 * c);
            p[1] = static_cast<uint8_t>(200 - 50 * r);
            p[2] = static_cast<uint8_t>(90 + 20 * (c + r));
            p[3] = inside ? 255 : 0;
        });
}

void WriteTube(const std::string& path, const RasterImage& picture, int32_t columns, int32_t rows) {
    PictureTubeOptions options;
    options.columns = columns;
    options.rows = rows;
    const std::string problem = WritePictureTube(path, picture, options);
    ASSERT_TRUE(problem.empty()) << problem;
}

ContentReference AbsoluteReference(const std::string& path) {
    ContentReference reference;
    reference.relative = 0;
    EXPECT_TRUE(SetReferencePath(reference, path));
    return reference;
}

ChannelLayout RGB() { return ChannelLayout(kColourModelRGB, 3, false); }
ChannelLayout RGBA() { return ChannelLayout(kColourModelRGB, 3, true); }
ChannelLayout Grey() { return ChannelLayout(kColourModelGrey, 1, false); }

Image<unsigned char> MakeImage(const ChannelLayout& layout, const Rect& bounds,
                               const std::function<uint8_t(int32_t, int32_t, int32_t)>& sample) {
    ResultCode result;
    Image<unsigned char> image(layout, bounds, result);
    for (int32_t y = bounds.top; y < bounds.bottom; ++y)
        for (int32_t x = bounds.left; x < bounds.right; ++x)
            for (int32_t c = 0; c < layout.channelCount; ++c) image.PixelAddress(Point{x, y})[c] = sample(x, y, c);
    return image;
}

SingleChannelImage<unsigned char> MakeMask(const Rect& bounds, const std::function<uint8_t(int32_t, int32_t)>& value) {
    ResultCode result;
    SingleChannelImage<unsigned char> mask(bounds, result);
    for (int32_t y = bounds.top; y < bounds.bottom; ++y)
        for (int32_t x = bounds.left; x < bounds.right; ++x) *mask.PixelAddress(Point{x, y}) = value(x, y);
    return mask;
}

SingleChannelImage<unsigned char> RectMask(const Rect& bounds, const Rect& selected) {
    return MakeMask(bounds, [&](int32_t x, int32_t y) -> uint8_t { return selected.Contains(Point{x, y}) ? 255 : 0; });
}

SingleChannelImage<unsigned char> EllipseMask(const Rect& bounds) {
    const double cx = 0.5 * (bounds.left + bounds.right), cy = 0.5 * (bounds.top + bounds.bottom);
    const double rx = 0.42 * bounds.Width(), ry = 0.42 * bounds.Height();
    return MakeMask(bounds, [&](int32_t x, int32_t y) -> uint8_t {
        const double r = std::hypot((x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry);
        return static_cast<uint8_t>(std::clamp(127.5 + (1.0 - r) * 0.5 * rx * 255.0, 0.0, 255.0));
    });
}

Image<unsigned char> Copy(const Image<unsigned char>& image) {
    return MakeImage(image.layout, image.bounds, [&](int32_t x, int32_t y, int32_t c) {
        return image.PixelAddress(Point{x, y})[c];
    });
}

bool SameImage(const Image<unsigned char>& a, const Image<unsigned char>& b) {
    if (a.bounds != b.bounds || a.layout != b.layout) return false;
    for (int32_t y = a.bounds.top; y < a.bounds.bottom; ++y)
        for (int32_t x = a.bounds.left; x < a.bounds.right; ++x)
            for (int32_t c = 0; c < a.layout.channelCount; ++c)
                if (At(a, x, y)[c] != At(b, x, y)[c]) return false;
    return true;
}

const uint8_t* At(const Image<unsigned char>& image, int32_t x, int32_t y) { return image.PixelAddress(Point{x, y}); }

RenderOutcome Render(Filter& effect, ParameterBlock& block, const RenderSetup& setup) {
    const Image<unsigned char>& source = *setup.source;
    Image<unsigned char> output = Copy(source);
    RenderContext context;
    context.documentBounds = source.bounds;
    context.area = setup.area.IsEmpty() ? source.bounds : setup.area;
    context.maskBounds = setup.mask != nullptr ? setup.mask->bounds : source.bounds;
    context.fullSizeDocumentBounds = setup.fullDocument.IsEmpty() ? source.bounds : setup.fullDocument;
    const SingleChannelImage<unsigned char>* fullMask = setup.fullMask != nullptr ? setup.fullMask : setup.mask;
    context.fullSizeMaskBounds = fullMask != nullptr ? fullMask->bounds : context.fullSizeDocumentBounds;
    context.fullSizeMask = fullMask;
    context.inputView = &source;
    context.outputView = &output;
    context.maskView = const_cast<SingleChannelImage<unsigned char>*>(setup.mask);
    context.parameters = &block;
    context.outputHasAlpha = source.layout.hasAlpha;
    context.scale = setup.scale;
    context.abort = setup.abort;
    context.progress = setup.progress;
    context.shapeFromTransparency = setup.shapeFromTransparency;
    ResultCode status = effect.BeginRender(context);
    if (status.IsSuccess()) status = effect.Render(context);
    return RenderOutcome{status, std::move(output)};
}

}  // namespace stamp_test

#include "filters/CheckboxParameter.h"
#include "filters/ColorParameter.h"
#include "filters/DirectionParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/SliderParameter.h"
#include "platform/ResourceStrings.h"

namespace stamp_test {

void ExpectSamePlacements(const PlacementList& actual, const PlacementList& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].x, expected[i].x) << "placement " << i;
        EXPECT_EQ(actual[i].y, expected[i].y) << "placement " << i;
        EXPECT_EQ(actual[i].column, expected[i].column) << "placement " << i;
        EXPECT_EQ(actual[i].row, expected[i].row) << "placement " << i;
    }
}

std::vector<uint32_t> KeysOf(const ParameterSet& set) {
    std::vector<uint32_t> keys;
    for (std::size_t i = 0; i < set.Count(); ++i)
        for (int32_t k = 0; k < set.At(i)->KeyCount(); ++k) keys.push_back(set.At(i)->KeyAt(k));
    return keys;
}

void ExpectShadowParameters(ParameterSet& set, std::size_t first, unsigned char* shadowOn, StampShadowFields& shadow,
                            const stamp::ShadowStrings& strings) {
    auto* on = dynamic_cast<CheckboxParameter*>(set.At(first));
    auto* direction = dynamic_cast<DirectionParameter*>(set.At(first + 1));
    auto* distance = dynamic_cast<LengthSliderParameter*>(set.At(first + 2));
    auto* opacity = dynamic_cast<SliderParameter*>(set.At(first + 3));
    auto* blur = dynamic_cast<LengthSliderParameter*>(set.At(first + 4));
    auto* colour = dynamic_cast<ColorParameter*>(set.At(first + 5));
    ASSERT_TRUE(on && direction && distance && opacity && blur && colour);
    EXPECT_EQ(on->value, shadowOn);
    EXPECT_EQ(direction->value, &shadow.direction);
    EXPECT_EQ(distance->value, &shadow.distance);
    EXPECT_EQ(opacity->value, &shadow.opacity);
    EXPECT_EQ(blur->value, &shadow.blur);
    EXPECT_EQ(colour->value, &shadow.colour);
    EXPECT_EQ(distance->minimum, 1.0);
    EXPECT_EQ(distance->maximum, 30.0);
    EXPECT_EQ(opacity->minimum, 0.0);
    EXPECT_EQ(opacity->maximum, 100.0);
    EXPECT_EQ(opacity->unit, ps::FourCC("#Prc"));
    EXPECT_EQ(blur->minimum, 0.0);
    EXPECT_EQ(blur->maximum, 100.0);
    const stamp::StringPair pairs[6] = {strings.on,      strings.direction, strings.distance,
                                        strings.opacity, strings.blur,      strings.colour};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(set.At(first + i)->group, 1) << "shadow parameter " << i;
        EXPECT_EQ(set.At(first + i)->label, LoadResourceString(pairs[i].label));
        EXPECT_EQ(set.At(first + i)->hint, LoadResourceString(pairs[i].hint));
        EXPECT_NE(set.At(first + i)->label, kLostString);
        EXPECT_NE(set.At(first + i)->hint, kLostString);
    }
    for (std::size_t i = 0; i < first; ++i) EXPECT_EQ(set.At(i)->group, 0) << "parameter " << i;

    for (unsigned char value : {0, 1}) {
        *shadowOn = value;
        for (std::size_t i = 0; i < set.Count(); ++i) set.At(i)->enabled = value == 0;
        stamp::EnableShadowControls(set, value != 0);
        for (std::size_t i = 0; i < set.Count(); ++i) {
            const bool follows = i > first && i < first + 6;
            EXPECT_EQ(set.At(i)->enabled, follows ? value != 0 : true) << "parameter " << i << " shadow " << int(value);
        }
    }
}

void ExpectUntouchedFrom(const ParameterBlock& block, std::size_t from, unsigned char fill) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
    for (std::size_t i = from; i < sizeof block; ++i) ASSERT_EQ(bytes[i], fill) << "byte " << i;
}

}  // namespace stamp_test
