// Cells seen at thumbnail resolution, against the image core's MeanColour
// over sub-rectangles worked out here.
#include <gtest/gtest.h>

#include <random>

#include "filters/ColourConversion.h"
#include "filters/patchwork/CellSampler.h"
#include "image/ImageStatistics.h"
#include "tests/filters/EffectTestSupport.h"

namespace patchwork {
namespace {

using namespace effect_test;

Image<unsigned char> RandomImage(const ChannelLayout& layout, const Rect& bounds, unsigned seed) {
    std::mt19937 random(seed);
    return MakeImage(layout, bounds, [&](int, int, int) { return static_cast<uint8_t>(random() % 256); });
}

// The sample bytes of pixel `index` as the sampler should have them: the
// mean colour over `part` (RGB as it is, otherwise the first channel thrice).
void ExpectMean(const Image<unsigned char>& source, const Rect& part, const CellSample& sample, std::size_t index) {
    ColourPixel mean;
    ASSERT_TRUE(MeanColour(source, part, mean));
    const bool rgb = source.layout.colourModel == kColourModelRGB && source.layout.colourChannels >= 3;
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(sample.bytes[index * 3 + c], mean.channels[rgb ? c : 0]) << "pixel " << index << " byte " << c;
    EXPECT_EQ(sample.valid[index], 1);
}

TEST(CellSampler, SubRectanglesTakeTheMeanColourAsTheImageCoreDoes) {
    for (const ChannelLayout& layout : {RGB(), RGBA(), Grey()}) {
        const Image<unsigned char> source = RandomImage(layout, Rect(-3, 5, 40, 60), 11);
        // A 14 x 9 cell at 3 x 2 thumbnail pixels: steps of 4 across, 4 down;
        // the remainders (2 columns, 1 row) are not looked at.
        const CellSampler sampler(source, CellSize{14, 9}, 3, 2);
        CellSample sample;
        const Rect cell(2, 10, 11, 24);
        sampler.Sample(cell, sample);
        EXPECT_TRUE(sample.complete);
        ASSERT_EQ(sample.bytes.size(), PaddedSampleSize(6));
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 3; ++i)
                ExpectMean(source, Rect(2 + 4 * j, 10 + 4 * i, 6 + 4 * j, 14 + 4 * i), sample,
                           static_cast<std::size_t>(j * 3 + i));
        for (std::size_t k = 18; k < sample.bytes.size(); ++k) EXPECT_EQ(sample.bytes[k], 0) << "padding " << k;
    }
}

TEST(CellSampler, PartsOutsideTheSourceAreInvalidAndPartsHalfInsideUseTheirInside) {
    const Image<unsigned char> source = RandomImage(RGB(), Rect(0, 0, 10, 10), 5);
    const CellSampler sampler(source, CellSize{8, 8}, 4, 4);
    CellSample sample;
    sampler.Sample(Rect(5, 5, 13, 13), sample);  // reaches 3 past the right and bottom
    EXPECT_FALSE(sample.complete);
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            const std::size_t index = static_cast<std::size_t>(j * 4 + i);
            const Rect part(5 + 2 * j, 5 + 2 * i, 7 + 2 * j, 7 + 2 * i);
            if (part.left >= 10 || part.top >= 10) {
                EXPECT_EQ(sample.valid[index], 0) << index;
            } else {
                ExpectMean(source, Rect::Intersect(part, source.bounds), sample, index);
            }
        }
    }
}

TEST(CellSampler, CellsSmallerThanTheThumbnailReadThePixelUnderEachThumbnailPixel) {
    const Image<unsigned char> source = RandomImage(RGB(), Rect(0, 0, 20, 20), 9);
    // Six pixels for eight thumbnail pixels across, three for four down.
    const CellSampler sampler(source, CellSize{6, 3}, 8, 4);
    CellSample sample;
    sampler.Sample(Rect(4, 2, 7, 8), sample);
    EXPECT_TRUE(sample.complete);
    const int columns[8] = {0, 1, 1, 2, 3, 4, 4, 5};  // floor((i + 0.5) × 6 / 8)
    const int rows[4] = {0, 1, 1, 2};                 // floor((j + 0.5) × 3 / 4)
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 8; ++i) {
            const uint8_t* pixel = At(source, 2 + columns[i], 4 + rows[j]);
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(sample.bytes[static_cast<std::size_t>((j * 8 + i) * 3 + c)], pixel[c]);
        }
}

TEST(CellSampler, LabColoursAreComparedInRGB) {
    const ChannelLayout lab(kColourModelLab, 3, false);
    const Image<unsigned char> source = MakeImage(lab, Rect(0, 0, 4, 4), [](int, int, int c) -> uint8_t {
        const uint8_t values[3] = {180, 150, 170};
        return values[c];
    });
    const CellSampler sampler(source, CellSize{4, 4}, 1, 1);
    CellSample sample;
    sampler.Sample(source.bounds, sample);
    const std::array<uint8_t, 3> rgb = ColourToRGB(ColorSpec{ColorSpec::kLab, 180, 150, 170, 0});
    for (int c = 0; c < 3; ++c) EXPECT_EQ(sample.bytes[static_cast<std::size_t>(c)], rgb[static_cast<std::size_t>(c)]);
    EXPECT_GT(sample.bytes[0], sample.bytes[2]);  // a and b above neutral: warm
}

}  // namespace
}  // namespace patchwork
