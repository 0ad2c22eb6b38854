#include "image/SampleBilinearLanes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "image/Resample.h"

namespace {

// Every lane as the single sampler takes its position: inside, between the
// centres, on and past the last row and column (where a pixel's word would
// reach past the source), and far outside.
template <typename Vector, int32_t kChannels>
void ExpectLanesFollowTheSampler(const Image<unsigned char>& source, std::mt19937& random) {
    constexpr int32_t kLanes = sizeof(Vector) / sizeof(double);
    const Rect& b = source.bounds;
    std::uniform_real_distribution<double> x(b.left - 3.0, b.right + 2.0), y(b.top - 3.0, b.bottom + 2.0);
    for (int32_t round = 0; round < 300; ++round) {
        double xs[kLanes], ys[kLanes];
        for (int32_t k = 0; k < kLanes; ++k) {
            xs[k] = round % 3 == 0 ? std::floor(x(random)) : x(random);
            ys[k] = round % 5 == 0 ? b.bottom - 1.0 : y(random);
        }
        if (round == 7) xs[0] = 1e300;
        Vector values[kChannels];
        ASSERT_TRUE((SampleOpaqueLanes<Vector, kChannels>(source, xs, ys, values)));
        for (int32_t k = 0; k < kLanes; ++k) {
            unsigned char expected[kChannels] = {};
            SampleBilinearToEdge(source, xs[k], ys[k], expected);
            for (int32_t c = 0; c < kChannels; ++c)
                ASSERT_EQ(values[c][k], expected[c]) << xs[k] << "," << ys[k] << " channel " << c;
        }
    }
    double xs[kLanes] = {}, ys[kLanes] = {};
    ys[kLanes - 1] = std::nan("");
    Vector values[kChannels];
    EXPECT_FALSE((SampleOpaqueLanes<Vector, kChannels>(source, xs, ys, values)));
}

template <int32_t kChannels>
void ExpectBothWidthsFollowTheSampler(const ChannelLayout& layout, unsigned seed) {
    std::mt19937 random(seed);
    ResultCode made;
    Image<unsigned char> source(layout, Rect(-3, 5, 6, 12), made);
    ASSERT_TRUE(made.IsSuccess());
    std::uniform_int_distribution<int> byte(0, 255);
    for (int32_t y = source.bounds.top; y < source.bounds.bottom; ++y)
        for (int32_t x = source.bounds.left; x < source.bounds.right; ++x)
            for (int32_t c = 0; c < kChannels; ++c)
                source.PixelAddress(Point{x, y})[c] = static_cast<unsigned char>(byte(random));
    ExpectLanesFollowTheSampler<vectors::Double4, kChannels>(source, random);
    ExpectLanesFollowTheSampler<vectors::Double8, kChannels>(source, random);
}

TEST(SampleBilinearLanesTest, EveryLaneIsTheSingleSamplersSample) {
    ExpectBothWidthsFollowTheSampler<1>(ChannelLayout::SingleChannel(), 3);
    ExpectBothWidthsFollowTheSampler<3>(ChannelLayout(kColourModelRGB, 3, false), 4);
    ExpectBothWidthsFollowTheSampler<4>(ChannelLayout(kColourModelCMYK, 4, false), 5);
}

}  // namespace
