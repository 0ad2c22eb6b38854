#include "image/Blur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "image/GaussianKernel.h"
#include "image/Parallel.h"

namespace {

// ---- Independent references -------------------------------------------

// The kernel as the blur defines it, built the long way: the whole
// symmetric kernel from -(n-1) to n-1.
std::vector<double> ReferenceKernel(double r) {
    const int length = std::max(2, static_cast<int>(std::ceil(r)));
    std::vector<double> side;  // w(1), w(2), ... while >= 0.1
    for (int u = 1; u < length; ++u) {
        const double w = std::exp(-std::pow(u * 2.0 / (r + 1.0), 2.0));
        if (w < 0.1) break;
        side.push_back(w);
    }
    double total = 1.0;
    for (double w : side) total += 2.0 * w;
    std::vector<double> full;
    for (auto it = side.rbegin(); it != side.rend(); ++it) full.push_back(*it / total);
    full.push_back(1.0 / total);
    for (double w : side) full.push_back(w / total);
    return full;
}

// Samples of a plain interleaved image, addressed (x, y, channel).
struct Plane {
    int width, height, channels;
    std::vector<unsigned char> samples;
    unsigned char& At(int x, int y, int c) { return samples[(static_cast<size_t>(y) * width + x) * channels + c]; }
    unsigned char At(int x, int y, int c) const { return samples[(static_cast<size_t>(y) * width + x) * channels + c]; }
};

// Rows then columns; beyond the edge the nearest edge pixel; each pass
// rounded to bytes.
Plane ReferenceBlur(Plane plane, double r) {
    const std::vector<double> k = ReferenceKernel(r);
    const int half = static_cast<int>(k.size() / 2);
    auto pass = [&](bool rows) {
        Plane out = plane;
        for (int y = 0; y < plane.height; ++y) {
            for (int x = 0; x < plane.width; ++x) {
                for (int c = 0; c < plane.channels; ++c) {
                    double sum = 0.0;
                    for (int u = -half; u <= half; ++u) {
                        const int sx = rows ? std::clamp(x + u, 0, plane.width - 1) : x;
                        const int sy = rows ? y : std::clamp(y + u, 0, plane.height - 1);
                        sum += k[static_cast<size_t>(u + half)] * plane.At(sx, sy, c);
                    }
                    out.At(x, y, c) = static_cast<unsigned char>(std::clamp(std::floor(sum + 0.5), 0.0, 255.0));
                }
            }
        }
        plane = out;
    };
    pass(true);
    pass(false);
    return plane;
}

// The sums the several-channel direct method and the frequency-domain method
// (for kernels they sum directly) compute in floats, one output at a time:
// the centre's weight times the centre, then for u = 1, 2, ... the weight
// times (sample before + sample after). Any vector unit must give these very
// bytes, so the native and the Windows builds agree.
Plane ReferenceFloatSums(Plane plane, double r) {
    const std::vector<double> half = GaussianKernel(r);
    const std::vector<float> k(half.begin(), half.end());
    auto pass = [&](bool rows) {
        Plane out = plane;
        for (int y = 0; y < plane.height; ++y) {
            for (int x = 0; x < plane.width; ++x) {
                for (int c = 0; c < plane.channels; ++c) {
                    auto at = [&](int u) -> float {
                        return rows ? plane.At(std::clamp(x + u, 0, plane.width - 1), y, c)
                                    : plane.At(x, std::clamp(y + u, 0, plane.height - 1), c);
                    };
                    float sum = k[0] * at(0);
                    for (int u = 1; u < static_cast<int>(k.size()); ++u)
                        sum += k[static_cast<size_t>(u)] * (at(-u) + at(u));
                    out.At(x, y, c) = static_cast<unsigned char>(std::clamp(std::floor(sum + 0.5f), 0.0f, 255.0f));
                }
            }
        }
        plane = out;
    };
    pass(true);
    pass(false);
    return plane;
}

// Soft blobs and noise, so that both smooth areas and sharp edges occur.
Plane TestPlane(int width, int height, int channels, unsigned seed) {
    Plane plane{width, height, channels, std::vector<unsigned char>(static_cast<size_t>(width) * height * channels)};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(0, 255);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                const bool inBlob = (x - width / 3) * (x - width / 3) + (y - height / 2) * (y - height / 2) <
                                    (width * height) / (8 + c);
                plane.At(x, y, c) = static_cast<unsigned char>(inBlob ? 230 : (x + y) % 7 == 0 ? noise(random) : 20);
            }
        }
    }
    return plane;
}

ChannelLayout LayoutFor(int channels) {
    if (channels == 1) return ChannelLayout::SingleChannel();
    return ChannelLayout(kColourModelRGB, channels == 4 ? 3 : channels, channels == 4);
}

// An image that views the plane's samples (so results can be read back).
struct PlaneImage {
    Plane plane;
    Image<unsigned char> image;
    explicit PlaneImage(Plane p, const Rect& at = Rect(0, 0, 0, 0))
        : plane(std::move(p)),
          image(LayoutFor(plane.channels),
                at.IsEmpty() ? Rect(0, 0, plane.height, plane.width)
                             : Rect(at.top, at.left, at.top + plane.height, at.left + plane.width),
                plane.samples.data(), 0) {}
};

int LargestDifference(const Plane& a, const Plane& b) {
    int largest = 0;
    for (size_t i = 0; i < a.samples.size(); ++i) largest = std::max(largest, std::abs(a.samples[i] - b.samples[i]));
    return largest;
}

Plane Blurred(const Plane& plane, double r, BlurMethod method) {
    PlaneImage view(plane, Rect(7, -3, 8, -2));  // off the origin: positions are document positions
    EXPECT_EQ(BlurWithMethod(view.image, r, method, nullptr, nullptr, 0, 1).status, 0);
    return view.plane;
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

// ---- Kernel ------------------------------------------------------------

TEST(GaussianKernelTest, RadiusOneAndThreeWorkedByHand) {
    // r = 1: table length 2, w(1) = exp(-1) = 0.3679; total 1.7358.
    const std::vector<double> one = GaussianKernel(1.0);
    ASSERT_EQ(one.size(), 2u);
    EXPECT_NEAR(one[0], 0.5761, 1e-4);
    EXPECT_NEAR(one[1], 0.2119, 1e-4);
    EXPECT_NEAR(one[0] + 2 * one[1], 1.0, 1e-12);

    // r = 3: w(1) = exp(-0.25) = 0.7788, w(2) = exp(-1) = 0.3679, total 3.2934.
    const std::vector<double> three = GaussianKernel(3.0);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_NEAR(three[0], 0.30364, 1e-5);
    EXPECT_NEAR(three[1], 0.23648, 1e-5);
    EXPECT_NEAR(three[2], 0.11171, 1e-5);
    EXPECT_NEAR(three[1] / three[2], std::exp(0.75), 1e-12);
}

TEST(GaussianKernelTest, TableEndsAtFirstWeightBelowOneTenth) {
    // w(4) = 0.1 exactly at r + 1 = 8 / sqrt(ln 10); the table (length 5)
    // is long enough to hold u = 4 on either side of that radius.
    const double edge = 8.0 / std::sqrt(std::log(10.0)) - 1.0;
    EXPECT_EQ(GaussianKernel(edge + 1e-9).size(), 5u);
    EXPECT_EQ(GaussianKernel(edge - 1e-9).size(), 4u);
    // r = 20: w(15) = exp(-(30/21)^2) = 0.130 stays, w(16) = 0.098 ends it.
    EXPECT_EQ(GaussianKernel(20.0).size(), 16u);
    // A tiny radius keeps only the centre: w(1) = exp(-(2/1.01)^2) = 0.02.
    EXPECT_EQ(GaussianKernel(0.01), std::vector<double>{1.0});
}

TEST(GaussianKernelTest, MatchesReferenceForManyRadii) {
    for (double r : {0.5, 1.5, 2.0, 4.9, 7.0, 16.0, 33.3, 60.0}) {
        const std::vector<double> half = GaussianKernel(r);
        const std::vector<double> full = ReferenceKernel(r);
        ASSERT_EQ(full.size(), 2 * half.size() - 1) << r;
        for (size_t u = 0; u < half.size(); ++u) EXPECT_NEAR(half[u], full[half.size() - 1 + u], 1e-14) << r;
    }
}

// ---- Method choice -----------------------------------------------------

TEST(BlurTest, MethodChoice) {
    EXPECT_EQ(ChooseBlurMethod(1, 0.0, false), BlurMethod::None);
    EXPECT_EQ(ChooseBlurMethod(4, -2.0, true), BlurMethod::None);
    EXPECT_EQ(ChooseBlurMethod(1, 16.0, false), BlurMethod::DirectSingleChannel);
    EXPECT_EQ(ChooseBlurMethod(1, 16.01, false), BlurMethod::FrequencyDomain);
    EXPECT_EQ(ChooseBlurMethod(1, 20.0, false), BlurMethod::FrequencyDomain);
    EXPECT_EQ(ChooseBlurMethod(1, 20.0, true), BlurMethod::DirectSingleChannel);
    EXPECT_EQ(ChooseBlurMethod(1, 500.0, true), BlurMethod::DirectSingleChannel);
    EXPECT_EQ(ChooseBlurMethod(3, 20.0, false), BlurMethod::DirectChannels);
    EXPECT_EQ(ChooseBlurMethod(4, 30.0, false), BlurMethod::DirectChannels);
    // The flag is for single-channel images only.
    EXPECT_EQ(ChooseBlurMethod(4, 30.5, true), BlurMethod::FrequencyDomain);
}

TEST(BlurTest, NonPositiveRadiusLeavesImageAlone) {
    PlaneImage view(TestPlane(9, 6, 1, 3));
    const std::vector<unsigned char> before = view.plane.samples;
    EXPECT_EQ(Blur(view.image, 0.0, nullptr, false, nullptr, 0, 1).status, 0);
    EXPECT_EQ(Blur(view.image, -4.0, nullptr, false, nullptr, 0, 1).status, 0);
    EXPECT_EQ(view.plane.samples, before);
}

// ---- Results -----------------------------------------------------------

TEST(BlurTest, ImpulseAndEdgeAtRadiusOneWorkedByHand) {
    // Kernel (0.2119, 0.5761, 0.2119). Rows: 255 -> 54 147 54. Columns:
    // 54 -> 11 31 11 and 147 -> 31 85 31.
    Plane impulse{5, 5, 1, std::vector<unsigned char>(25, 0)};
    impulse.At(2, 2, 0) = 255;
    for (BlurMethod method : {BlurMethod::DirectSingleChannel, BlurMethod::FrequencyDomain}) {
        const Plane out = Blurred(impulse, 1.0, method);
        const std::vector<unsigned char> expected = {0, 0,  0,  0,  0,  //
                                                     0, 11, 31, 11, 0,  //
                                                     0, 31, 85, 31, 0,  //
                                                     0, 11, 31, 11, 0,  //
                                                     0, 0,  0,  0,  0};
        EXPECT_EQ(out.samples, expected);
    }

    // One row 0 0 255: beyond the right edge the 255 repeats, so the last
    // pixel gets (0.5761 + 0.2119) * 255 = 200.95 -> 201 and the middle one
    // 0.2119 * 255 = 54.04 -> 54. The one-row column pass changes nothing.
    Plane edge{3, 1, 1, {0, 0, 255}};
    EXPECT_EQ(Blurred(edge, 1.0, BlurMethod::DirectSingleChannel).samples, (std::vector<unsigned char>{0, 54, 201}));
    EXPECT_EQ(Blurred(edge, 1.0, BlurMethod::FrequencyDomain).samples, (std::vector<unsigned char>{0, 54, 201}));
}

// The single-channel direct method sums exactly as the reference does.
TEST(BlurTest, SingleChannelDirectMatchesReferenceExactly) {
    for (double r : {0.7, 1.0, 3.0, 6.5, 16.0, 30.0}) {
        SCOPED_TRACE(testing::Message() << "r = " << r);
        const Plane plane = TestPlane(41, 23, 1, static_cast<unsigned>(r * 10) + 1);
        EXPECT_EQ(LargestDifference(Blurred(plane, r, BlurMethod::DirectSingleChannel), ReferenceBlur(plane, r)), 0);
    }
}

// Where a float sum would round to another byte than the exact sum, the
// single-channel method still gives the exact one. Random windows are tried
// until enough such samples turn up; they are then laid side by side along a
// row, and down a column.
TEST(BlurTest, SingleChannelDirectIsExactWhereFloatSumsRoundOtherwise) {
    const double r = 16.0;
    const std::vector<double> kernel = ReferenceKernel(r);
    const std::vector<double> halfKernel = GaussianKernel(r);
    const int half = static_cast<int>(halfKernel.size()) - 1;
    const int span = 2 * half + 1;
    std::mt19937 random(3);
    std::uniform_int_distribution<int> noise(0, 255);
    std::vector<unsigned char> samples;
    std::vector<unsigned char> window(static_cast<size_t>(span));
    while (samples.size() < static_cast<size_t>(12 * span)) {
        for (unsigned char& sample : window) sample = static_cast<unsigned char>(noise(random));
        double exact = 0.0;
        for (int i = 0; i < span; ++i) exact += kernel[static_cast<size_t>(i)] * window[static_cast<size_t>(i)];
        auto at = [&](int u) -> float { return window[static_cast<size_t>(half + u)]; };
        float single = static_cast<float>(halfKernel[0]) * at(0);
        for (int u = 1; u <= half; ++u)
            single += static_cast<float>(halfKernel[static_cast<size_t>(u)]) * (at(-u) + at(u));
        if (std::floor(exact + 0.5) == std::floor(single + 0.5f)) continue;
        samples.insert(samples.end(), window.begin(), window.end());
    }
    const int length = static_cast<int>(samples.size());
    for (const Plane& plane : {Plane{length, 1, 1, samples}, Plane{1, length, 1, samples}}) {
        SCOPED_TRACE(testing::Message() << plane.width << " x " << plane.height);
        const Plane reference = ReferenceBlur(plane, r);
        ASSERT_GT(LargestDifference(ReferenceFloatSums(plane, r), reference), 0);
        EXPECT_EQ(LargestDifference(Blurred(plane, r, BlurMethod::DirectSingleChannel), reference), 0);
    }
}

// The other two methods may round a sum differently from the exact one only
// where it lies within their arithmetic's error of a half: by one, rarely.
class WithinRounding {
public:
    void Expect(const Plane& got, const Plane& reference) {
        EXPECT_LE(LargestDifference(got, reference), 1);
        for (size_t i = 0; i < got.samples.size(); ++i) off_ += got.samples[i] != reference.samples[i];
        samples_ += got.samples.size();
    }
    ~WithinRounding() {
        EXPECT_GT(samples_, 0u);
        EXPECT_LE(static_cast<double>(off_), 0.0001 * static_cast<double>(samples_)) << off_ << " of " << samples_;
    }

private:
    size_t off_ = 0;
    size_t samples_ = 0;
};

struct Size {
    int width, height;
};
// Single pixels, single rows and columns, and kernels far wider than the image.
const Size kSizes[] = {{1, 1}, {1, 37}, {37, 1}, {2, 5}, {41, 23}, {130, 70}};

TEST(BlurTest, DirectChannelsWithinOneOfReference) {
    WithinRounding within;
    for (int channels : {2, 3, 4}) {
        for (double r : {0.7, 1.0, 3.0, 6.5, 16.0, 30.0}) {
            for (const Size& size : kSizes) {
                SCOPED_TRACE(testing::Message() << size.width << "x" << size.height << "x" << channels << " r = " << r);
                const Plane plane = TestPlane(size.width, size.height, channels, static_cast<unsigned>(r * 10));
                within.Expect(Blurred(plane, r, BlurMethod::DirectChannels), ReferenceBlur(plane, r));
            }
        }
    }
}

// Radii on both sides of the largest kernel that is summed directly rather
// than transformed (half width 80 at r = 105, 81 at r = 106).
TEST(BlurTest, FrequencyDomainWithinOneOfReference) {
    WithinRounding within;
    for (int channels : {1, 2, 3, 4}) {
        for (double r : {5.0, 20.0, 31.0, 60.0, 105.0, 106.0, 300.0}) {
            for (const Size& size : kSizes) {
                SCOPED_TRACE(testing::Message() << size.width << "x" << size.height << "x" << channels << " r = " << r);
                const Plane plane = TestPlane(size.width, size.height, channels, static_cast<unsigned>(r) + 5);
                within.Expect(Blurred(plane, r, BlurMethod::FrequencyDomain), ReferenceBlur(plane, r));
            }
        }
    }
}

// Large enough that the column pass splits the rows into several chunks, whose
// edges read rows that the neighbouring chunk overwrites in place, and the
// columns into several strips.
TEST(BlurTest, DirectMethodsMatchReferenceAcrossChunksOfRows) {
    struct Case {
        int width, height, channels;
        double r;
    };
    WithinRounding within;
    for (const Case& c : {Case{700, 180, 4, 6.5}, Case{1500, 400, 1, 16.0}, Case{333, 500, 3, 2.0},
                          Case{1200, 150, 4, 30.0}, Case{2100, 90, 1, 40.0}}) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels, r = " << c.r);
        const Plane plane = TestPlane(c.width, c.height, c.channels, static_cast<unsigned>(c.width + c.channels));
        const Plane reference = ReferenceBlur(plane, c.r);
        if (c.channels == 1) {
            EXPECT_EQ(LargestDifference(Blurred(plane, c.r, BlurMethod::DirectSingleChannel), reference), 0);
            within.Expect(Blurred(plane, c.r, BlurMethod::FrequencyDomain), reference);
        } else {
            within.Expect(Blurred(plane, c.r, BlurMethod::DirectChannels), reference);
        }
    }
}

TEST(BlurTest, FrequencyDomainAgreesWithDirectWithinRounding) {
    // Includes kernels wider than the image (r = 60 on 13 pixels).
    struct Case {
        int width, height, channels;
        double r;
    };
    for (const Case& c : {Case{67, 45, 1, 5.0}, Case{67, 45, 1, 20.0}, Case{70, 33, 1, 60.0}, Case{13, 9, 1, 60.0},
                          Case{37, 29, 4, 10.0}, Case{37, 29, 3, 31.0}, Case{1, 17, 2, 8.0}, Case{70, 33, 1, 200.0},
                          Case{29, 40, 3, 150.0}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.channels << " r = " << c.r);
        const Plane plane = TestPlane(c.width, c.height, c.channels, 11);
        const Plane reference = ReferenceBlur(plane, c.r);
        EXPECT_LE(LargestDifference(Blurred(plane, c.r, BlurMethod::FrequencyDomain), reference), 1);
        EXPECT_LE(LargestDifference(Blurred(plane, c.r, BlurMethod::DirectChannels), reference), 1);
        EXPECT_EQ(LargestDifference(Blurred(plane, c.r, BlurMethod::DirectSingleChannel), reference), 0);
    }
}

// Widths that leave every remainder of a vector block, so that whole blocks,
// single vectors and single samples all occur.
TEST(BlurTest, FloatSumsAreTheSameOnEveryVectorUnit) {
    for (int channels : {1, 2, 3, 4}) {
        for (int width : {1, 7, 16, 67, 131}) {
            for (double r : {2.5, 10.0, 31.0, 90.0}) {
                SCOPED_TRACE(testing::Message() << width << " wide, " << channels << " channels, r = " << r);
                const Plane plane = TestPlane(width, 45, channels, static_cast<unsigned>(width * 3 + channels));
                const Plane expected = ReferenceFloatSums(plane, r);
                EXPECT_EQ(LargestDifference(Blurred(plane, r, BlurMethod::FrequencyDomain), expected), 0);
                EXPECT_EQ(LargestDifference(Blurred(plane, r, BlurMethod::DirectChannels), expected), 0);
            }
        }
    }
}

// The work is cut into the same chunks whatever the number of threads.
TEST(BlurTest, SameResultOnAnyNumberOfThreads) {
    struct Case {
        int width, height, channels;
        double r;
        BlurMethod method;
    };
    for (const Case& c :
         {Case{600, 300, 4, 10.0, BlurMethod::DirectChannels}, Case{900, 400, 1, 12.0, BlurMethod::DirectSingleChannel},
          Case{900, 400, 1, 20.0, BlurMethod::FrequencyDomain},
          Case{500, 200, 2, 150.0, BlurMethod::FrequencyDomain}}) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels, r = " << c.r);
        const Plane plane = TestPlane(c.width, c.height, c.channels, 17);
        SetParallelThreads(1);
        const Plane one = Blurred(plane, c.r, c.method);
        for (int32_t threads : {2, 7}) {
            SetParallelThreads(threads);
            EXPECT_EQ(Blurred(plane, c.r, c.method).samples, one.samples) << threads << " threads";
        }
        SetParallelThreads(0);
    }
}

TEST(BlurTest, BlurOfWindowLeavesSurroundingPixelsAlone) {
    // A window onto a larger image has rows longer than its width.
    for (double r : {4.0, 24.0}) {
        PlaneImage parent(TestPlane(30, 20, 1, 5));
        const std::vector<unsigned char> before = parent.plane.samples;
        const Rect inner(5, 6, 15, 26);  // top, left, bottom, right
        Image<unsigned char> window(parent.image, inner);
        ASSERT_EQ(Blur(window, r, nullptr, false, nullptr, 0, 1).status, 0);

        Plane cut{inner.Width(), inner.Height(), 1, {}};
        for (int y = inner.top; y < inner.bottom; ++y) {
            for (int x = inner.left; x < inner.right; ++x) {
                cut.samples.push_back(before[static_cast<size_t>(y) * 30 + x]);
            }
        }
        const Plane expected = ReferenceBlur(cut, r);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 30; ++x) {
                const size_t at = static_cast<size_t>(y) * 30 + x;
                if (inner.Contains(Point{x, y})) {
                    EXPECT_NEAR(parent.plane.samples[at], expected.At(x - inner.left, y - inner.top, 0), 1);
                } else {
                    ASSERT_EQ(parent.plane.samples[at], before[at]) << x << "," << y;
                }
            }
        }
    }
}

TEST(BlurTest, ProgressAndAbort) {
    struct Case {
        BlurMethod method;
        int channels;
        double r;
    };
    // r = 150 takes the frequency-domain method through the transform.
    for (const Case& c : {Case{BlurMethod::DirectSingleChannel, 1, 3.0}, Case{BlurMethod::DirectChannels, 3, 3.0},
                          Case{BlurMethod::FrequencyDomain, 1, 3.0}, Case{BlurMethod::FrequencyDomain, 1, 150.0}}) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels, r = " << c.r);
        PlaneImage view(TestPlane(20, 10, c.channels, 2));
        RecordingSink sink;
        ASSERT_EQ(BlurWithMethod(view.image, c.r, c.method, nullptr, &sink, 0.2, 0.6).status, 0);
        ASSERT_FALSE(sink.values.empty());
        EXPECT_TRUE(std::is_sorted(sink.values.begin(), sink.values.end()));
        EXPECT_GT(sink.values.front(), 0.2);
        EXPECT_DOUBLE_EQ(sink.values.back(), 0.6);

        AbortAfter abort(3);
        EXPECT_EQ(BlurWithMethod(view.image, c.r, c.method, &abort, nullptr, 0, 1).status, 1);
    }
}

TEST(BlurTest, BadInputIsRefused) {
    Image<unsigned char> noPixels(ChannelLayout::SingleChannel());
    noPixels.bounds = Rect(0, 0, 4, 4);
    EXPECT_EQ(Blur(noPixels, 3.0, nullptr, false, nullptr, 0, 1).status, -1);
    PlaneImage view(TestPlane(4, 4, 1, 1));
    EXPECT_EQ(Blur(view.image, INFINITY, nullptr, false, nullptr, 0, 1).status, -1);
    EXPECT_EQ(Blur(view.image, NAN, nullptr, false, nullptr, 0, 1).status, 0);  // no radius: nothing to do
}

}  // namespace
