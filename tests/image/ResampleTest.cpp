#include "image/Resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <vector>

#include "image/Parallel.h"

namespace {

const ChannelLayout kGrey = ChannelLayout::SingleChannel();
const ChannelLayout kRGB(kColourModelRGB, 3, false);
const ChannelLayout kRGBA(kColourModelRGB, 3, true);

Image<unsigned char> MakeImage(const ChannelLayout& layout, int left, int top, int width, int height) {
    ResultCode result;
    Image<unsigned char> image(layout, Rect(top, left, top + height, left + width), result);
    EXPECT_TRUE(result.IsSuccess());
    return image;
}

unsigned char* At(const Image<unsigned char>& image, int x, int y) {
    return image.PixelAddress(Point{image.bounds.left + x, image.bounds.top + y});
}

void FillRandom(Image<unsigned char>& image, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(0, 255);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            for (int c = 0; c < image.layout.channelCount; ++c) {
                At(image, x, y)[c] = static_cast<unsigned char>(value(random));
            }
        }
    }
}

std::vector<int> Samples(const Image<unsigned char>& image) {
    std::vector<int> samples;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            for (int c = 0; c < image.layout.channelCount; ++c) samples.push_back(At(image, x, y)[c]);
        }
    }
    return samples;
}

struct RecordingSink : ProgressUpdateSink {
    std::vector<double> values;
    void Update(double v) override { values.push_back(v); }
};

struct AbortAfter : Abort_Tester {
    int remaining;
    explicit AbortAfter(int calls) : remaining(calls) {}
    bool IsAborted() override { return remaining-- <= 0; }
};

// ---- Naive references for the one-axis passes --------------------------
// A line is the samples of one channel along one axis; the references work
// on a plain grid of ints: grid[y][x * channels + c].
using Grid = std::vector<std::vector<int>>;

Grid GridOf(const Image<unsigned char>& image) {
    Grid grid(static_cast<size_t>(image.Height()));
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            for (int c = 0; c < image.layout.channelCount; ++c) grid[y].push_back(At(image, x, y)[c]);
        }
    }
    return grid;
}

Grid Transposed(const Grid& grid, int channels) {
    const size_t width = grid[0].size() / channels;
    Grid out(width, std::vector<int>(grid.size() * channels));
    for (size_t y = 0; y < grid.size(); ++y) {
        for (size_t x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) out[x][y * channels + c] = grid[y][x * channels + c];
        }
    }
    return out;
}

// Gaussian mean over the samples within half a step of each centre, with the
// weights looked up in a table of 50 distances (r/100 apart) by the first
// tabulated distance not below the sample's. With `alpha` (the last channel)
// each colour sample also counts in proportion to its pixel's alpha; a run
// of transparent pixels takes the plain mean.
std::vector<int> ReferenceReduce(const std::vector<int>& line, int channels, int destinationLength,
                                 bool alpha = false) {
    const int sourceLength = static_cast<int>(line.size()) / channels;
    const double r =
        destinationLength == 1 ? sourceLength - 1.0 : static_cast<double>(sourceLength - 1) / (destinationLength - 1);
    const double sigma = r / 4.0;
    std::map<double, double> table;
    for (int j = 1; j <= 50; ++j) {
        const double d = j * (r / 100.0);
        table[d] = std::exp(-0.5 * d * d / (sigma * sigma));
    }
    const double slack = 1e-9 * r / 100.0;
    std::vector<int> out;
    for (int k = 0; k < destinationLength; ++k) {
        const double centre = destinationLength == 1 ? r / 2.0 : k * r;
        for (int c = 0; c < channels; ++c) {
            const bool byAlpha = alpha && c < channels - 1;
            double sum = 0.0, weights = 0.0, alphaSum = 0.0, alphaWeights = 0.0;
            for (int s = 0; s < sourceLength; ++s) {
                const auto entry = table.lower_bound(std::fabs(s - centre) - slack);
                if (entry == table.end()) continue;
                sum += entry->second * line[s * channels + c];
                weights += entry->second;
                const int a = line[s * channels + channels - 1];
                alphaSum += entry->second * a * line[s * channels + c];
                alphaWeights += entry->second * a;
            }
            const double mean = byAlpha && alphaWeights > 0.0 ? alphaSum / alphaWeights : sum / weights;
            out.push_back(static_cast<int>(std::clamp(mean + 0.5, 0.0, 255.0)));
        }
    }
    return out;
}

// Linear interpolation with the first and last samples landing (a
// thousandth inside) on the source's first and last; truncated.
std::vector<int> ReferenceEnlarge(const std::vector<int>& line, int channels, int destinationLength, int start) {
    const int sourceLength = static_cast<int>(line.size()) / channels;
    std::vector<int> out;
    for (int k = 0; k < destinationLength; ++k) {
        double p = start + k * static_cast<double>(sourceLength - 1) / (destinationLength - 1);
        p = std::min(std::max(p, start + 0.001), start + sourceLength - 1.001);
        const int i = static_cast<int>(std::floor(p)) - start;
        const double f = p - std::floor(p);
        for (int c = 0; c < channels; ++c) {
            out.push_back(static_cast<int>((1 - f) * line[i * channels + c] + f * line[(i + 1) * channels + c]));
        }
    }
    return out;
}

Grid ReferenceHorizontal(const Grid& grid, int channels, int destinationWidth, int start, bool alpha = false) {
    Grid out;
    const int sourceWidth = static_cast<int>(grid[0].size()) / channels;
    for (const std::vector<int>& row : grid) {
        out.push_back(destinationWidth < sourceWidth ? ReferenceReduce(row, channels, destinationWidth, alpha)
                                                     : ReferenceEnlarge(row, channels, destinationWidth, start));
    }
    return out;
}

Grid ReferenceVertical(const Grid& grid, int channels, int destinationHeight, int start, bool alpha = false) {
    return Transposed(ReferenceHorizontal(Transposed(grid, channels), channels, destinationHeight, start, alpha),
                      channels);
}

std::vector<int> Flattened(const Grid& grid) {
    std::vector<int> out;
    for (const std::vector<int>& row : grid) out.insert(out.end(), row.begin(), row.end());
    return out;
}

// ---- Tests -------------------------------------------------------------

TEST(ResampleTest, SameSizeIsAPlainCopy) {
    // Padded source rows and different document positions on each side.
    std::vector<unsigned char> buffer(7 * (5 * 4 + 3));
    Image<unsigned char> source(kRGBA, Rect(-3, 4, 4, 9), buffer.data(), 3);
    FillRandom(source, 1);
    Image<unsigned char> destination = MakeImage(kRGBA, 200, 100, 5, 7);
    ASSERT_EQ(Resample(source, destination, nullptr, nullptr, 0, 1).status, 0);
    EXPECT_EQ(Samples(destination), Samples(source));
}

TEST(ResampleTest, TwoByTwoToThreeByThreeWorkedByHand) {
    // Source 10 210 / 50 250. Positions 0, 0.5, 1 kept inside
    // [0.001, 0.999]; e.g. the top right corner samples (0.999, 0.001):
    // 0.000999 * 10 + 0.000001 * 50 + 0.998001 * 210 + 0.000999 * 250 =
    // 209.84, truncated to 209. The centre is the mean, 130.
    for (const Point& origin : {Point{0, 0}, Point{100, -7}}) {
        Image<unsigned char> source = MakeImage(kGrey, origin.x, origin.y, 2, 2);
        const unsigned char values[4] = {10, 210, 50, 250};
        for (int i = 0; i < 4; ++i) *At(source, i % 2, i / 2) = values[i];
        Image<unsigned char> destination = MakeImage(kGrey, 3, 3, 3, 3);
        ASSERT_EQ(Resample(source, destination, nullptr, nullptr, 0, 1).status, 0);
        EXPECT_EQ(Samples(destination), (std::vector<int>{10, 110, 209, 30, 130, 229, 50, 149, 249}));
    }
}

TEST(ResampleTest, SampleBilinearWeightsColoursByAlpha) {
    // Red opaque, green fully transparent / blue opaque, white at 128.
    Image<unsigned char> source = MakeImage(kRGBA, 0, 0, 2, 2);
    const unsigned char pixels[4][4] = {{255, 0, 0, 255}, {0, 255, 0, 0}, {0, 0, 255, 255}, {255, 255, 255, 128}};
    for (int i = 0; i < 4; ++i) std::copy(pixels[i], pixels[i] + 4, At(source, i % 2, i / 2));

    // Centre: alpha 0.25 * 638 = 159.5; red (0.25 * (255 * 255 + 128 * 255))
    // / 159.5 = 153.08; green gets nothing from the transparent corner:
    // 0.25 * 128 * 255 / 159.5 = 51.2.
    unsigned char out[4] = {1, 2, 3, 4};
    SampleBilinear(source, 0.5, 0.5, out);
    EXPECT_EQ(std::vector<int>(out, out + 4), (std::vector<int>{153, 51, 153, 159}));

    // Half a pixel beyond the right edge: the outside corners are
    // transparent, so only the white corner (weight 0.125) counts.
    SampleBilinear(source, 1.5, 0.25, out);
    EXPECT_EQ(std::vector<int>(out, out + 4), (std::vector<int>{255, 255, 255, 16}));

    // On the transparent pixel, and far outside: alpha 0, colours untouched.
    unsigned char kept[4] = {9, 8, 7, 200};
    SampleBilinear(source, 1.0, 0.0, kept);
    EXPECT_EQ(std::vector<int>(kept, kept + 4), (std::vector<int>{9, 8, 7, 0}));
    kept[3] = 200;
    SampleBilinear(source, -50.0, 1e12, kept);
    EXPECT_EQ(std::vector<int>(kept, kept + 4), (std::vector<int>{9, 8, 7, 0}));
}

TEST(ResampleTest, SampleBilinearWithoutAlphaClampsAndNeedsTwoPixels) {
    Image<unsigned char> source = MakeImage(kGrey, 0, 0, 2, 2);
    const unsigned char values[4] = {10, 210, 50, 250};
    for (int i = 0; i < 4; ++i) *At(source, i % 2, i / 2) = values[i];
    unsigned char out = 0;
    // 0.1875 * 10 + 0.5625 * 50 + 0.0625 * 210 + 0.1875 * 250 = 90.
    SampleBilinear(source, 0.25, 0.75, &out);
    EXPECT_EQ(out, 90);
    // Clamped to (0.999, 0): 0.001 * 10 + 0.999 * 210 = 209.8.
    SampleBilinear(source, 5.0, -3.0, &out);
    EXPECT_EQ(out, 209);

    Image<unsigned char> thin = MakeImage(kGrey, 0, 0, 1, 3);
    out = 77;
    SampleBilinear(thin, 0.0, 1.0, &out);
    EXPECT_EQ(out, 77);
}

TEST(ResampleTest, SamplingToTheEdgeReadsEdgePixelsExactlyAndAgreesInside) {
    for (const ChannelLayout& layout : {kGrey, kRGB, kRGBA}) {
        Image<unsigned char> source = MakeImage(layout, 3, -2, 5, 4);
        FillRandom(source, 21);
        const int channels = layout.channelCount;
        // Pixel centres, the last row and column included, read their pixels.
        for (int y = -2; y < 2; ++y)
            for (int x = 3; x < 8; ++x) {
                unsigned char out[4] = {0, 0, 0, 0};
                SampleBilinearToEdge(source, x, y, out);
                EXPECT_TRUE(std::equal(out, out + channels, At(source, x - 3, y + 2))) << x << "," << y;
            }
        // Between the centres, and within 1.001 of the far edges, as SampleBilinear.
        for (double y = -2.0; y <= 0.999; y += 0.37)
            for (double x = 3.0; x <= 6.999; x += 0.41) {
                unsigned char expected[4] = {0, 0, 0, 0}, out[4] = {0, 0, 0, 0};
                SampleBilinear(source, x, y, expected);
                SampleBilinearToEdge(source, x, y, out);
                EXPECT_TRUE(std::equal(out, out + channels, expected)) << x << "," << y;
            }
    }
    // Without alpha, positions beyond the edge take the edge; one-pixel
    // sources are sampled too.
    Image<unsigned char> column = MakeImage(kGrey, 0, 0, 1, 3);
    for (int y = 0; y < 3; ++y) *At(column, 0, y) = static_cast<unsigned char>(100 * y);
    unsigned char out = 7;
    SampleBilinearToEdge(column, -4.0, 1.5, &out);
    EXPECT_EQ(out, 150);
    SampleBilinearToEdge(column, 9.0, 40.0, &out);
    EXPECT_EQ(out, 200);
}

// Rows wide enough to be made in several strips, with a part strip at the
// end; a transparent pixel among those with alpha; and pixels spaced wider
// than their channels.
TEST(ResampleTest, EnlargingMatchesTheSamplerAtCornerAlignedPositions) {
    struct Case {
        ChannelLayout layout;
        int sw, sh, dw, dh;
        int pixelStride;
    };
    for (const Case& c : {Case{kRGBA, 3, 2, 7, 5, 4}, Case{kRGB, 300, 40, 701, 93, 3}, Case{kGrey, 250, 9, 1111, 20, 1},
                          Case{kRGBA, 120, 7, 333, 11, 4}, Case{kRGB, 200, 6, 450, 9, 6}}) {
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh);
        const int channels = c.layout.channelCount;
        std::vector<unsigned char> pixels(static_cast<size_t>(c.sw) * c.sh * c.pixelStride);
        Image<unsigned char> source(c.layout, Rect(5, -2, 5 + c.sh, -2 + c.sw), pixels.data(), 0);
        source.pixelStride = c.pixelStride;
        source.rowStride = static_cast<std::ptrdiff_t>(c.sw) * c.pixelStride;
        FillRandom(source, static_cast<unsigned>(c.dw));
        if (c.layout.hasAlpha) *(At(source, 1, 0) + 3) = 0;
        Image<unsigned char> destination = MakeImage(c.layout, 0, 0, c.dw, c.dh);
        ASSERT_EQ(Resample(source, destination, nullptr, nullptr, 0, 1).status, 0);
        for (int j = 0; j < c.dh; ++j) {
            for (int i = 0; i < c.dw; ++i) {
                const double x = std::clamp(-2 + i * (c.sw - 1.0) / (c.dw - 1.0), -2 + 0.001, c.sw - 2 - 1.001);
                const double y = std::clamp(5 + j * (c.sh - 1.0) / (c.dh - 1.0), 5 + 0.001, c.sh + 5 - 1.001);
                unsigned char expected[4] = {0, 0, 0, 0};
                SampleBilinear(source, x, y, expected);
                ASSERT_TRUE(std::equal(expected, expected + channels, At(destination, i, j))) << i << "," << j;
            }
        }
    }
}

TEST(ResampleTest, OnePixelLinesAreCopiedNotDividedByZero) {
    // A one-pixel-wide column stretched down: 1 x 3 -> 1 x 5. Rows land on
    // 0.001, 0.5, 1, 1.5, 1.999 of the column 0 100 200.
    Image<unsigned char> column = MakeImage(kGrey, 0, 0, 1, 3);
    for (int y = 0; y < 3; ++y) *At(column, 0, y) = static_cast<unsigned char>(100 * y);
    Image<unsigned char> tall = MakeImage(kGrey, 0, 0, 1, 5);
    ASSERT_EQ(Resample(column, tall, nullptr, nullptr, 0, 1).status, 0);
    EXPECT_EQ(Samples(tall), (std::vector<int>{0, 50, 100, 150, 199}));

    // The same along a row, and into a wider destination as well.
    Image<unsigned char> row = MakeImage(kGrey, 0, 0, 3, 1);
    for (int x = 0; x < 3; ++x) *At(row, x, 0) = static_cast<unsigned char>(100 * x);
    Image<unsigned char> wide = MakeImage(kGrey, 0, 0, 5, 2);
    ASSERT_EQ(Resample(row, wide, nullptr, nullptr, 0, 1).status, 0);
    EXPECT_EQ(Samples(wide), (std::vector<int>{0, 50, 100, 150, 199, 0, 50, 100, 150, 199}));

    // One pixel everywhere, with alpha.
    Image<unsigned char> dot = MakeImage(kRGBA, 0, 0, 1, 1);
    const unsigned char dotPixel[4] = {10, 20, 30, 128};
    std::copy(dotPixel, dotPixel + 4, At(dot, 0, 0));
    Image<unsigned char> patch = MakeImage(kRGBA, 0, 0, 3, 2);
    ASSERT_EQ(Resample(dot, patch, nullptr, nullptr, 0, 1).status, 0);
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(std::equal(dotPixel, dotPixel + 4, At(patch, i % 3, i / 3)));
}

TEST(ResampleTest, ReducingToOnePixelTakesTheWholeLine) {
    // 10 20 30 40 250 -> one pixel: centre 2, spread 1, weights exp(-2),
    // exp(-0.5), exp(-0.0008), exp(-0.5), exp(-2) (the centre weight is the
    // first tabulated distance, 0.04): 101.555 / 2.48293 = 40.90 -> 41.
    const unsigned char values[5] = {10, 20, 30, 40, 250};
    Image<unsigned char> row = MakeImage(kGrey, 0, 0, 5, 1);
    Image<unsigned char> column = MakeImage(kGrey, 0, 0, 1, 5);
    for (int i = 0; i < 5; ++i) *At(row, i, 0) = *At(column, 0, i) = values[i];
    Image<unsigned char> single = MakeImage(kGrey, 0, 0, 1, 1);
    ASSERT_EQ(Resample(row, single, nullptr, nullptr, 0, 1).status, 0);
    EXPECT_EQ(*At(single, 0, 0), 41);
    *At(single, 0, 0) = 0;
    ASSERT_EQ(Resample(column, single, nullptr, nullptr, 0, 1).status, 0);
    EXPECT_EQ(*At(single, 0, 0), 41);
}

TEST(ResampleTest, OneAxisAndTwoPassResultsMatchNaiveReference) {
    struct Case {
        int sw, sh, dw, dh;
    };
    // Height only, width only, both shrinking (vertical first), width
    // shrinking with height growing (vertical first), width growing with
    // height shrinking (horizontal first), and a reduction by a fraction.
    for (const Case& c : {Case{20, 50, 20, 7}, Case{50, 20, 7, 20}, Case{53, 41, 17, 9}, Case{40, 10, 13, 25},
                          Case{10, 40, 25, 13}, Case{31, 29, 30, 3}}) {
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh);
        Image<unsigned char> source = MakeImage(kRGB, 5, -7, c.sw, c.sh);
        FillRandom(source, static_cast<unsigned>(c.sw * 100 + c.sh));
        Image<unsigned char> destination = MakeImage(kRGB, 0, 0, c.dw, c.dh);
        ASSERT_EQ(Resample(source, destination, nullptr, nullptr, 0, 1).status, 0);

        const Grid grid = GridOf(source);
        Grid expected;
        if (c.dw > c.sw && c.dh < c.sh) {
            expected = ReferenceVertical(ReferenceHorizontal(grid, 3, c.dw, 5), 3, c.dh, -7);
        } else if (c.dh == c.sh) {
            expected = ReferenceHorizontal(grid, 3, c.dw, 5);
        } else {
            const Grid vertical = ReferenceVertical(grid, 3, c.dh, -7);
            expected = c.dw == c.sw ? vertical : ReferenceHorizontal(vertical, 3, c.dw, 5);
        }
        EXPECT_EQ(Samples(destination), Flattened(expected));
    }
}

TEST(ResampleTest, ReducingWeightsColoursByAlphaLikeANaiveReference) {
    // A picture as tubes hold them: opaque and soft-edged colours in
    // transparent black, with some fully transparent runs.
    struct Case {
        int sw, sh, dw, dh;
    };
    for (const Case& c : {Case{20, 50, 20, 7}, Case{50, 20, 7, 20}, Case{53, 41, 17, 9}, Case{31, 29, 30, 3}}) {
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh);
        Image<unsigned char> source = MakeImage(kRGBA, 3, 2, c.sw, c.sh);
        FillRandom(source, static_cast<unsigned>(c.sw * 31 + c.sh));
        for (int y = 0; y < c.sh; ++y)
            for (int x = 0; x < c.sw; ++x) {
                unsigned char* p = At(source, x, y);
                const bool inside = x > c.sw / 4 && x < 3 * c.sw / 4 && y > c.sh / 4;
                if (!inside || x % 7 == 0) std::fill(p, p + 4, 0);
                if (inside && x % 3 == 0) p[3] = 255;
            }
        Image<unsigned char> destination = MakeImage(kRGBA, 0, 0, c.dw, c.dh);
        ASSERT_EQ(Resample(source, destination, nullptr, nullptr, 0, 1).status, 0);

        // Vertical first when both shrink; each pass rounds to bytes.
        const Grid grid = GridOf(source);
        const Grid vertical = c.dh == c.sh ? grid : ReferenceVertical(grid, 4, c.dh, 2, true);
        const Grid expected = c.dw == c.sw ? vertical : ReferenceHorizontal(vertical, 4, c.dw, 3, true);
        EXPECT_EQ(Samples(destination), Flattened(expected));
    }

    // A white square on transparent black keeps its white edge when shrunk.
    Image<unsigned char> square = MakeImage(kRGBA, 0, 0, 40, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) std::fill_n(At(square, x, y), 4, x >= 10 && x < 30 && y >= 10 && y < 30 ? 255 : 0);
    Image<unsigned char> small = MakeImage(kRGBA, 0, 0, 10, 10);
    ASSERT_EQ(Resample(square, small, nullptr, nullptr, 0, 1).status, 0);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            if (At(small, x, y)[3] == 0) continue;
            EXPECT_EQ(At(small, x, y)[0], 255) << x << "," << y;
        }
    }
}

TEST(ResampleTest, ProgressIsSplitBetweenPassesAndAbortStops) {
    Image<unsigned char> source = MakeImage(kRGB, 0, 0, 1500, 200);
    FillRandom(source, 9);
    Image<unsigned char> destination = MakeImage(kRGB, 0, 0, 300, 100);
    // On one thread every chunk is reported, and abort is asked before each.
    SetParallelThreads(1);
    RecordingSink sink;
    ASSERT_EQ(Resample(source, destination, nullptr, &sink, 0.0, 0.8).status, 0);
    // Vertical pass first, into 100 rows of 1500 pixels: chunks of 43 rows
    // (65536 pixels a chunk), three of them; then 100 rows of 300 pixels in one.
    ASSERT_EQ(sink.values.size(), 4u);
    EXPECT_DOUBLE_EQ(sink.values[0], 0.4 / 3);
    EXPECT_DOUBLE_EQ(sink.values[2], 0.4);
    EXPECT_DOUBLE_EQ(sink.values[3], 0.8);
    EXPECT_TRUE(std::is_sorted(sink.values.begin(), sink.values.end()));

    // Before the first pass's second chunk, and before the second pass's only one.
    AbortAfter abort(1);
    EXPECT_EQ(Resample(source, destination, &abort, nullptr, 0, 1).status, 1);
    AbortAfter abortLater(4);
    EXPECT_EQ(Resample(source, destination, &abortLater, nullptr, 0, 1).status, 1);
    AbortAfter never(100);
    EXPECT_EQ(Resample(source, destination, &never, nullptr, 0, 1).status, 0);
    SetParallelThreads(0);
}

TEST(ResampleTest, MismatchedOrEmptyImages) {
    Image<unsigned char> rgb = MakeImage(kRGB, 0, 0, 4, 4);
    Image<unsigned char> rgba = MakeImage(kRGBA, 0, 0, 8, 8);
    EXPECT_EQ(Resample(rgb, rgba, nullptr, nullptr, 0, 1).status, -1);

    Image<unsigned char> empty(kRGB);
    EXPECT_EQ(Resample(rgb, empty, nullptr, nullptr, 0, 1).status, 0);
    Image<unsigned char> target = MakeImage(kRGB, 0, 0, 2, 2);
    EXPECT_EQ(Resample(empty, target, nullptr, nullptr, 0, 1).status, -1);
}

}  // namespace
