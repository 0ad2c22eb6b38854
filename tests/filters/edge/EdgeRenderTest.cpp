// The Edges render: where the edge goes, how it is composed, each treatment
// against a literal reference, seeds, abort and progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "EdgeReference.h"
#include "EdgeTestSupport.h"
#include "image/NoiseField.h"
#include "image/Parallel.h"
#include "image/RandomGenerator.h"

using namespace edge_test;

namespace {

// Steps from an inside pixel to the nearest outside pixel of a rectangular
// selection, minus one: 0 for a pixel on the selection's rim.
int StepsInside(const Rect& selected, int x, int y) {
    return std::min({x - selected.left, selected.right - 1 - x, y - selected.top, selected.bottom - 1 - y});
}

const ColorSpec kRed = ColorSpec::RGB(255, 0, 0);

TEST(EdgeRender, DistressKeepsTheDeepInsideAndPaintsTheOutside) {
    const Rect bounds(0, 0, 50, 60);
    const Rect selected(10, 10, 40, 50);
    const Image<unsigned char> source = Ramp(RGB(), bounds);
    SingleChannelImage<unsigned char> mask = RectMask(bounds, selected);
    EdgeParameters p = Parameters(kEdgeDistressNoise, 0.0, 10.0);
    p.colour = kRed;
    p.randomSeed = 7;
    const RenderOutcome out = RenderEdge(p, source, &mask);
    ASSERT_EQ(out.status.status, 0);

    NoiseField noise;
    ASSERT_TRUE(noise.Init(80.0, 80.0, 0.5, 7, 1.0, false, 0, 0).IsSuccess());
    int banded = 0;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        for (int x = bounds.left; x < bounds.right; ++x) {
            const uint8_t* o = At(out.output, x, y);
            if (!selected.Contains(Point{x, y})) {
                ASSERT_TRUE(o[0] == 255 && o[1] == 0 && o[2] == 0) << x << "," << y;
                continue;
            }
            const int k = StepsInside(selected, x, y);
            // More than 11 pixels from the edge (which lies half a pixel
            // beyond the rim): untouched.
            if (k >= 11) {
                ASSERT_TRUE(SamePixel(out.output, source, x, y)) << x << "," << y;
                continue;
            }
            // Along the middle of the left side the nearest edge points lie
            // half a pixel above and below: d = √((k + ½)² + ¼), and the
            // output follows E = clamp(1 − (d − t), 0, 1) exactly.
            if (y < 22 || y > 27 || x >= 21) continue;
            const double d = std::sqrt((k + 0.5) * (k + 0.5) + 0.25);
            const double t = (noise.ValueAtPixel(x, y) + 0.5) * 10.0;
            const double e = std::clamp(1.0 - (d - t), 0.0, 1.0);
            const uint8_t* s = At(source, x, y);
            EXPECT_EQ(o[0], static_cast<uint8_t>(s[0] + (255 - s[0]) * e + 0.5)) << x << "," << y;
            EXPECT_EQ(o[1], static_cast<uint8_t>(s[1] - s[1] * e + 0.5)) << x << "," << y;
            if (e == 1.0) ++banded;
        }
    }
    EXPECT_GT(banded, 0);
}

TEST(EdgeRender, FullySelectedImageIsTreatedAlongItsBorder) {
    const Rect bounds(0, 0, 50, 60);
    const Image<unsigned char> source = Ramp(RGB(), bounds);
    SingleChannelImage<unsigned char> mask = RectMask(bounds, bounds);
    EdgeParameters p = Parameters(kEdgeDistressFBM, 5.0, 10.0);
    const RenderOutcome out = RenderEdge(p, source, &mask);
    ASSERT_EQ(out.status.status, 0);
    int changedInBand = 0;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        for (int x = bounds.left; x < bounds.right; ++x) {
            const int k = StepsInside(bounds, x, y);
            const uint8_t* o = At(out.output, x, y);
            if (k <= 3) {  // d ≤ √(3.5² + ½²) < w1 = 5: solid border
                ASSERT_TRUE(o[0] == 255 && o[1] == 255 && o[2] == 255) << x << "," << y;
            } else if (k >= 16) {  // beyond w1 + w2
                ASSERT_TRUE(SamePixel(out.output, source, x, y)) << x << "," << y;
            } else if (!SamePixel(out.output, source, x, y)) {
                ++changedInBand;
            }
        }
    }
    EXPECT_GT(changedInBand, 0);
}

TEST(EdgeRender, TransparentModeLowersAlphaAndKeepsColour) {
    const Rect bounds(0, 0, 40, 40);
    const Rect selected(8, 8, 32, 32);
    const Image<unsigned char> source = Ramp(RGBA(), bounds, 200);
    SingleChannelImage<unsigned char> mask = RectMask(bounds, selected);
    EdgeParameters p = Parameters(kEdgeDistressNoise, 2.0, 10.0);
    p.colour = kRed;
    p.transparent = 1;
    const RenderOutcome out = RenderEdge(p, source, &mask);
    ASSERT_EQ(out.status.status, 0);
    int partial = 0;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        for (int x = bounds.left; x < bounds.right; ++x) {
            const uint8_t* o = At(out.output, x, y);
            const uint8_t* s = At(source, x, y);
            ASSERT_TRUE(o[0] == s[0] && o[1] == s[1] && o[2] == s[2]) << x << "," << y;
            if (!selected.Contains(Point{x, y}) || StepsInside(selected, x, y) == 0) {
                EXPECT_EQ(o[3], 0) << x << "," << y;  // E = 1
            } else if (StepsInside(selected, x, y) >= 13) {
                EXPECT_EQ(o[3], 200) << x << "," << y;
            } else {
                EXPECT_LE(o[3], 200);
                if (o[3] > 0 && o[3] < 200) ++partial;
            }
        }
    }
    EXPECT_GT(partial, 0);
}

TEST(EdgeRender, TransparentWithoutAlphaPaintsTheColour) {
    const Rect bounds(0, 0, 30, 30);
    const Rect selected(5, 5, 25, 25);
    for (const ChannelLayout& layout : {RGB(), Grey()}) {
        const Image<unsigned char> source = Ramp(layout, bounds);
        SingleChannelImage<unsigned char> mask = RectMask(bounds, selected);
        EdgeParameters p = Parameters(kEdgeDistressNoise, 2.0, 10.0);
        p.colour = ColorSpec::RGB(0, 0, 0);
        p.transparent = 1;
        const RenderOutcome out = RenderEdge(p, source, &mask);
        ASSERT_EQ(out.status.status, 0);
        for (int c = 0; c < layout.channelCount; ++c) {
            EXPECT_EQ(At(out.output, 0, 0)[c], 0);
            EXPECT_EQ(At(out.output, 5, 15)[c], 0);  // on the rim, inside the solid border
            EXPECT_EQ(At(out.output, 15, 15)[c], At(source, 15, 15)[c]);
        }
    }
}

TEST(EdgeRender, ColourModeDrivesAlphaTowardOpaqueWithTheColour) {
    const Rect bounds(0, 0, 40, 40);
    const Rect selected(6, 6, 34, 34);
    const Image<unsigned char> source = MakeImage(RGBA(), bounds, [](int, int, int c) -> uint8_t {
        const uint8_t samples[4] = {0, 100, 100, 55};
        return samples[c];
    });
    SingleChannelImage<unsigned char> mask = RectMask(bounds, selected);
    EdgeParameters p = Parameters(kEdgeTornPaper, 1.0, 12.0);
    p.colour = kRed;
    const RenderOutcome out = RenderEdge(p, source, &mask);
    ASSERT_EQ(out.status.status, 0);
    int partial = 0;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        for (int x = bounds.left; x < bounds.right; ++x) {
            const uint8_t* o = At(out.output, x, y);
            // Red went from 0 toward 255, so it tells E to within half a step;
            // green and alpha must follow the same E.
            const double low = std::max(0.0, (o[0] - 0.5) / 255.0), high = std::min(1.0, (o[0] + 0.5) / 255.0);
            EXPECT_GE(o[3], static_cast<int>(55 + 200 * low + 0.5) - 0) << x << "," << y;
            EXPECT_LE(o[3], static_cast<int>(55 + 200 * high + 0.5)) << x << "," << y;
            EXPECT_LE(o[1], static_cast<int>(100 - 100 * low + 0.5)) << x << "," << y;
            EXPECT_GE(o[1], static_cast<int>(100 - 100 * high + 0.5)) << x << "," << y;
            EXPECT_EQ(o[2], o[1]);
            if (!selected.Contains(Point{x, y})) {
                EXPECT_TRUE(o[0] == 255 && o[3] == 255) << x << "," << y;
            }
            if (o[0] > 0 && o[0] < 255) ++partial;
        }
    }
    EXPECT_GT(partial, 0);
}

// A selection with a curved, soft side so that every treatment meets
// partial mask values and slanted edges.
SingleChannelImage<unsigned char> BlobMask(const Rect& bounds) {
    ResultCode result;
    SingleChannelImage<unsigned char> mask(bounds, result);
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        for (int x = bounds.left; x < bounds.right; ++x) {
            const double dx = (x - 40.0) / 34.0, dy = (y - 36.0) / 28.0;
            const double r = std::sqrt(dx * dx + dy * dy);
            const double v = std::clamp((1.0 - r) * 255.0 * 6.0, 0.0, 255.0);
            *mask.PixelAddress(Point{x, y}) = static_cast<uint8_t>(v);
        }
    }
    return mask;
}

struct ReferenceCase {
    int32_t type;
    double border, width, scale, direction;
    uint16_t seed;
};

const ReferenceCase kReferenceCases[] = {
    {kEdgeDistressNoise, 0.0, 10.0, 40.0, 45.0, 3}, {kEdgeDistressFBM, 3.0, 12.0, 20.0, 0.0, 9},
    {kEdgeHalftoneDots, 2.0, 20.0, 60.0, 30.0, 4},  {kEdgeHalftoneDots, 0.0, 24.0, 100.0, 0.0, 11},
    {kEdgeHalftoneLines, 2.0, 20.0, 80.0, 60.0, 5}, {kEdgePixelizer, 3.0, 18.0, 70.0, 20.0, 6},
    {kEdgePixelizer, 0.0, 30.0, 1.0, 45.0, 2},      {kEdgeTornPaper, 2.0, 14.0, 30.0, 0.0, 8}};

// Renders every reference case at `reduction` with its lengths multiplied by
// the reduction, so that the rendered band is the same at every reduction,
// and compares the result with the reference.
void ExpectEveryTreatmentMatchesTheReference(double reduction) {
    const Rect bounds(0, 0, 72, 80);
    const Image<unsigned char> black = MakeImage(RGB(), bounds, [](int, int, int) -> uint8_t { return 0; });
    SingleChannelImage<unsigned char> mask = BlobMask(bounds);
    for (const ReferenceCase& c : kReferenceCases) {
        EdgeParameters p = Parameters(c.type, c.border * reduction, c.width * reduction);
        p.scale = c.scale;
        p.direction = c.direction;
        p.randomSeed = c.seed;
        const RenderOutcome out = RenderEdge(p, black, &mask, reduction);
        ASSERT_EQ(out.status.status, 0);
        const edge_reference::Grid e = edge_reference::Amount(p, mask, reduction);
        int mismatches = 0, partial = 0;
        for (int y = bounds.top; y < bounds.bottom; ++y) {
            for (int x = bounds.left; x < bounds.right; ++x) {
                const int expected = static_cast<int>(255.0 * e.At(x, y) + 0.5);
                const int got = At(out.output, x, y)[0];
                // One step for the last bit of a differently ordered sum.
                if (std::abs(got - expected) > 1) ++mismatches;
                if (got > 0 && got < 255) ++partial;
            }
        }
        EXPECT_EQ(mismatches, 0) << "edge type " << c.type << " seed " << c.seed << " reduction " << reduction;
        if (c.type != kEdgeHalftoneDots) {
            EXPECT_GT(partial, 0) << "edge type " << c.type;
        }
    }
}

TEST(EdgeRender, EveryTreatmentMatchesTheLiteralReference) { ExpectEveryTreatmentMatchesTheReference(1.0); }

TEST(EdgeRender, ReducedRendersKeepTheFullSizeScreen) {
    ExpectEveryTreatmentMatchesTheReference(2.0);
    ExpectEveryTreatmentMatchesTheReference(4.0);
}

// A render of part of the image (the preview's view of a large picture)
// gives that part exactly as the render of the whole does.
TEST(EdgeRender, APartRendersAsItsPlaceInTheWhole) {
    const Rect bounds(0, 0, 72, 80);
    const Image<unsigned char> grey = MakeImage(
        RGB(), bounds, [](int x, int y, int c) -> uint8_t { return static_cast<uint8_t>(40 + x + 2 * y + 30 * c); });
    SingleChannelImage<unsigned char> mask = BlobMask(bounds);
    const Rect parts[] = {Rect(20, 30, 40, 55), Rect(0, 0, 9, 13), Rect(50, 10, 72, 80), Rect(33, 36, 34, 37)};
    for (const ReferenceCase& c : kReferenceCases) {
        EdgeParameters p = Parameters(c.type, c.border, c.width);
        p.scale = c.scale;
        p.direction = c.direction;
        p.randomSeed = c.seed;
        const RenderOutcome whole = RenderEdge(p, grey, &mask);
        ASSERT_EQ(whole.status.status, 0);
        for (const Rect& part : parts) {
            const RenderOutcome piece = RenderEdge(p, grey, &mask, 1.0, nullptr, nullptr, part);
            ASSERT_EQ(piece.status.status, 0);
            int differing = 0;
            for (int y = part.top; y < part.bottom; ++y) {
                for (int x = part.left; x < part.right; ++x) {
                    if (std::memcmp(At(piece.output, x, y), At(whole.output, x, y), 3) != 0) ++differing;
                }
            }
            EXPECT_EQ(differing, 0) << "edge type " << c.type << " seed " << c.seed << " part " << part.left << ","
                                    << part.top;
        }
    }
}

TEST(EdgeRender, HalftoneLinesLieWhereTheOffsetTimesTheCellPutsThem) {
    // Worked out by hand. Seed 1 draws 16807 and 282475249 first, so the
    // offset is oy = 2 × 282475249 / 2147483647 − 1 = −0.736924. Width 30 at
    // scale 100 gives cells of c = 30 / 4 = 7.5 pixels; at direction 0 a
    // pixel's v = y / c + oy × c = y / 7.5 − 5.526933, so the lines lie at
    // y = 3.952 + 7.5 k. In the middle column of a wide selection the nearest
    // edge points are the corners half a pixel above row 0, d = √((y + ½)² + ¼),
    // T = (30 − d) / 30, sampled on the line; the line's half width is
    // h = (1 − 2t²) / 2 below t = ½ and (1 − t)² above, in cells; E = 0 within
    // h − 1/c of the line, 1 beyond h, linear between.
    const Rect bounds(0, 0, 80, 200);
    const Image<unsigned char> black = MakeImage(RGB(), bounds, [](int, int, int) -> uint8_t { return 0; });
    SingleChannelImage<unsigned char> mask = RectMask(bounds, bounds);
    EdgeParameters p = Parameters(kEdgeHalftoneLines, 0.0, 30.0);
    p.scale = 100.0;
    p.direction = 0.0;
    p.randomSeed = 1;
    const RenderOutcome out = RenderEdge(p, black, &mask);
    ASSERT_EQ(out.status.status, 0);
    // E × 255 for rows 0 to 29 of column 100; row 30 lies beyond the band.
    const int expected[30] = {255, 255, 255, 255, 225, 255, 255, 255, 255, 255, 255, 66, 91, 255, 255,
                              255, 255, 33,  0,   0,   0,   57,  255, 199, 0,   0,   0,  0,  0,   0};
    for (int y = 0; y < 30; ++y) {
        EXPECT_NEAR(At(out.output, 100, y)[0], expected[y], 1) << "row " << y;
    }
}

TEST(EdgeRender, EachTreatmentChangesTheBandAndNotTheDeepInside) {
    const Rect bounds(0, 0, 80, 80);
    const Rect selected(10, 10, 70, 70);
    const Image<unsigned char> source = Ramp(RGB(), bounds);
    SingleChannelImage<unsigned char> mask = RectMask(bounds, selected);
    for (int32_t type = 0; type <= 5; ++type) {
        const EdgeParameters p = Parameters(type, 2.0, 14.0);
        const RenderOutcome out = RenderEdge(p, source, &mask);
        ASSERT_EQ(out.status.status, 0);
        int changed = 0, belowFull = 0, full = 0;
        for (int y = bounds.top; y < bounds.bottom; ++y) {
            for (int x = bounds.left; x < bounds.right; ++x) {
                if (!selected.Contains(Point{x, y})) continue;
                const int k = StepsInside(selected, x, y);
                const bool same = SamePixel(out.output, source, x, y);
                if (k >= 17) {
                    ASSERT_TRUE(same) << "type " << type << " at " << x << "," << y;
                } else if (k >= 3 && k <= 12) {
                    changed += same ? 0 : 1;
                    const uint8_t* o = At(out.output, x, y);
                    const bool painted = o[0] == 255 && o[1] == 255 && o[2] == 255;
                    full += painted ? 1 : 0;
                    belowFull += painted ? 0 : 1;
                }
            }
        }
        EXPECT_GT(changed, 100) << "type " << type;
        if (type >= 2 && type <= 4) {
            // A screen: both fully painted and lighter pixels in the band.
            EXPECT_GT(belowFull, 20) << "type " << type;
            EXPECT_GT(full, 20) << "type " << type;
        }
    }
}

TEST(EdgeRender, SameSeedSameBytesAndAnotherSeedOtherBytes) {
    const Rect bounds(0, 0, 64, 64);
    const Image<unsigned char> source = Ramp(RGB(), bounds);
    SingleChannelImage<unsigned char> mask = RectMask(bounds, Rect(6, 6, 58, 58));
    for (int32_t type = 0; type <= 5; ++type) {
        EdgeParameters p = Parameters(type, 1.0, 16.0);
        p.randomSeed = 12;
        const RenderOutcome first = RenderEdge(p, source, &mask);
        const RenderOutcome again = RenderEdge(p, source, &mask);
        p.randomSeed = 13;
        const RenderOutcome other = RenderEdge(p, source, &mask);
        EXPECT_TRUE(SameImage(first.output, again.output)) << "type " << type;
        EXPECT_FALSE(SameImage(first.output, other.output)) << "type " << type;
    }
}

TEST(EdgeRender, UnknownTypeFillsUniformRandomAmountsAfterTheScreenOffset) {
    const Rect bounds(0, 0, 25, 30);
    const Rect maskBounds(5, 4, 20, 26);
    const Image<unsigned char> source = Ramp(RGB(), bounds);
    SingleChannelImage<unsigned char> mask = RectMask(maskBounds, maskBounds);
    EdgeParameters p = Parameters(7, 0.0, 10.0);
    p.randomSeed = 5;
    p.colour = ColorSpec::RGB(20, 240, 130);
    const RenderOutcome out = RenderEdge(p, source, &mask, 1.0, nullptr, nullptr, maskBounds);
    ASSERT_EQ(out.status.status, 0);

    RandomGenerator generator(5);
    generator.NextUnit();  // the two draws of the screen offset
    generator.NextUnit();
    const int colour[3] = {20, 240, 130};
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        for (int x = bounds.left; x < bounds.right; ++x) {
            if (!maskBounds.Contains(Point{x, y})) {
                ASSERT_TRUE(SamePixel(out.output, source, x, y));
                continue;
            }
            const double e = generator.NextUnit();
            for (int c = 0; c < 3; ++c) {
                const int s = At(source, x, y)[c];
                ASSERT_EQ(At(out.output, x, y)[c], static_cast<int>(s + (colour[c] - s) * e + 0.5));
            }
        }
    }
}

TEST(EdgeRender, AbortEndsTheRenderWithStatusOne) {
    const Rect bounds(0, 0, 40, 40);
    const Image<unsigned char> source = Ramp(RGB(), bounds);
    SingleChannelImage<unsigned char> mask = RectMask(bounds, Rect(5, 5, 35, 35));
    for (int32_t type : {0, 1, 2, 3, 4, 5, 7}) {
        CountingAbort abort(0);
        const RenderOutcome out = RenderEdge(Parameters(type, 0.0, 10.0), source, &mask, 1.0, &abort);
        EXPECT_EQ(out.status.status, 1) << "type " << type;
        EXPECT_EQ(abort.calls, 1) << "type " << type;
    }
}

TEST(EdgeRender, CompositionAsksBetweenChunksOfRows) {
    // The random fill asks nothing, so the composition's questions are the
    // only ones. Rows 4096 pixels wide go 16 to a chunk; on one thread the
    // question before each chunk comes from the only thread, so the first
    // chunk is done when the second answer is yes.
    const Rect bounds(0, 0, 40, 4096);
    const Image<unsigned char> source = Ramp(RGB(), bounds);
    SingleChannelImage<unsigned char> mask = RectMask(bounds, bounds);
    EdgeParameters p = Parameters(9, 0.0, 10.0);
    p.colour = ColorSpec::RGB(255, 255, 255);
    SetParallelThreads(1);
    CountingAbort abort(1);
    const RenderOutcome out = RenderEdge(p, source, &mask, 1.0, &abort);
    SetParallelThreads(0);
    EXPECT_EQ(out.status.status, 1);
    EXPECT_EQ(abort.calls, 2);
    for (int y = 0; y < 40; ++y) {
        bool rowChanged = false;
        for (int x = 0; x < 4096; ++x) rowChanged |= !SamePixel(out.output, source, x, y);
        EXPECT_EQ(rowChanged, y < 16) << "row " << y;
    }
}

TEST(EdgeRender, ProgressRisesToOne) {
    const Rect bounds(0, 0, 40, 40);
    const Image<unsigned char> source = Ramp(RGB(), bounds);
    SingleChannelImage<unsigned char> mask = RectMask(bounds, Rect(5, 5, 35, 35));
    for (int32_t type : {0, 1, 2, 3, 4, 5, 7}) {
        RecordingProgress progress;
        const RenderOutcome out = RenderEdge(Parameters(type, 0.0, 10.0), source, &mask, 1.0, nullptr, &progress);
        ASSERT_EQ(out.status.status, 0);
        ASSERT_FALSE(progress.values.empty());
        EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end())) << "type " << type;
        EXPECT_GE(progress.values.front(), 0.0);
        EXPECT_DOUBLE_EQ(progress.values.back(), 1.0) << "type " << type;
        // The fill ends by 0.9 (0.75 for the random fill); the rest is composition.
        const double fillEnd = type == 7 ? 0.75 : 0.9;
        const auto firstComposition =
            std::find_if(progress.values.begin(), progress.values.end(), [&](double v) { return v > fillEnd; });
        EXPECT_NE(firstComposition, progress.values.end());
        EXPECT_GE(*firstComposition, 0.9);
    }
}

TEST(EdgeRender, CompositionWorksOnTheDestinationsPixels) {
    // The host delivers the pixels to treat in the output buffer; the input
    // view here holds something else, which must not show.
    const Rect bounds(0, 0, 30, 30);
    const Image<unsigned char> destination = Ramp(RGB(), bounds);
    const Image<unsigned char> other = MakeImage(RGB(), bounds, [](int, int, int) -> uint8_t { return 3; });
    SingleChannelImage<unsigned char> mask = RectMask(bounds, Rect(5, 5, 25, 25));
    EdgeParameters p = Parameters(kEdgeDistressNoise, 2.0, 6.0);
    p.colour = ColorSpec::RGB(0, 0, 0);
    ResultCode made;
    Image<unsigned char> output(destination.layout, bounds, made);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            for (int c = 0; c < 3; ++c) output.PixelAddress(Point{x, y})[c] = At(destination, x, y)[c];
    ParameterBlock block{};
    block.As<EdgeParameters>() = p;
    Edge edge;
    RenderContext context;
    context.area = bounds;
    context.maskBounds = bounds;
    context.inputView = &other;
    context.outputView = &output;
    context.maskView = &mask;
    context.parameters = &block;
    ASSERT_TRUE(edge.BeginRender(context).IsSuccess());
    ASSERT_EQ(edge.Render(context).status, 0);
    EXPECT_TRUE(SamePixel(output, destination, 15, 15));
    EXPECT_EQ(At(output, 0, 0)[0], 0);
}

TEST(EdgeRender, NothingToMeasureWithoutAMaskStillTreatsTheArea) {
    // No mask view: everything of the mask's bounds counts as selected.
    const Rect bounds(0, 0, 30, 30);
    const Image<unsigned char> source = Ramp(RGB(), bounds);
    const RenderOutcome out = RenderEdge(Parameters(kEdgeDistressNoise, 4.0, 10.0), source, nullptr);
    ASSERT_EQ(out.status.status, 0);
    EXPECT_EQ(At(out.output, 0, 15)[0], 255);
    EXPECT_TRUE(SamePixel(out.output, source, 15, 15));
}

TEST(EdgeRender, UnusableLengthsAndScalesDoNotBreakTheRender) {
    const Rect bounds(0, 0, 30, 30);
    const Image<unsigned char> source = Ramp(RGB(), bounds);
    SingleChannelImage<unsigned char> mask = RectMask(bounds, Rect(4, 4, 26, 26));
    for (int32_t type = 0; type <= 5; ++type) {
        EdgeParameters p = Parameters(type, 3.0, 10.0);
        p.width.unit = 77;  // converts to 0 pixels
        p.scale = std::nan("");
        const RenderOutcome out = RenderEdge(p, source, &mask);
        ASSERT_EQ(out.status.status, 0) << "type " << type;
        EXPECT_EQ(At(out.output, 4, 15)[0], 255) << "type " << type;  // inside the border
        EXPECT_TRUE(SamePixel(out.output, source, 15, 15)) << "type " << type;
    }
    EXPECT_EQ(RenderEdge(Parameters(0, 3.0, 10.0), source, &mask, 0.0).status.status, -1);
}

}  // namespace
