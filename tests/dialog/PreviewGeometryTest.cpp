// The preview's framing against what the user must see: every preview
// pixel on the image shows the source pixel the zoom level names, the view
// never leaves a large image, zooming at a point keeps that point under the
// pointer, and a rectangle zoom picks the largest magnification that fits.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "dialog/PreviewGeometry.h"
#include "dialog/ZoomLevels.h"

namespace {

// The source column a preview column shows, worked out from the level: a
// reduction f shows every f-th pixel, a magnification m repeats each m times.
double SourceOf(double scale, int originReduced, int x) {
    if (scale >= 1.0) return scale * (originReduced + x);
    const int m = static_cast<int>(std::lround(1.0 / scale));
    return originReduced + x / m;
}

PreviewGeometry Framed(int imageWidth, int imageHeight, int viewWidth, int viewHeight) {
    PreviewGeometry geometry;
    geometry.SetImageSize(imageWidth, imageHeight);
    geometry.SetViewSize(viewWidth, viewHeight);
    return geometry;
}

}  // namespace

TEST(ZoomLevelsTest, StepsStopAtTheEndsOfTheList) {
    EXPECT_EQ(ZoomedIn(0.0625), 0.0625);
    EXPECT_EQ(ZoomedOut(16.0), 16.0);
    EXPECT_EQ(ZoomedIn(1.0), 0.5);
    EXPECT_EQ(ZoomedOut(1.0), 2.0);
    EXPECT_EQ(ZoomedIn(5.0), 4.0);  // between levels: the nearest one inward
    EXPECT_EQ(ZoomPercentText(12.0), "8.33%");
    EXPECT_EQ(ZoomPercentText(16.0), "6.25%");
    EXPECT_EQ(ZoomPercentText(0.0625), "1600%");
}

TEST(PreviewGeometryTest, EveryLevelShowsTheSourcePixelItNames) {
    for (double scale : kZoomLevels) {
        PreviewGeometry geometry = Framed(5000, 3000, 301, 203);
        geometry.Fit();
        // Walk from the fitted level to this one through the zoom steps.
        while (geometry.Scale() > scale) geometry.ZoomIn();
        while (geometry.Scale() < scale) geometry.ZoomOut();
        ASSERT_EQ(geometry.Scale(), scale);
        const Point origin = geometry.Origin();
        for (int x : {0, 1, 7, 150, 300}) {
            const SourcePoint source = geometry.SourceAt(x, 0);
            EXPECT_EQ(std::floor(source.x), SourceOf(scale, origin.x, x)) << "scale " << scale << " x " << x;
            // A large image is never scrolled past its edges.
            EXPECT_GE(source.x, 0.0);
            EXPECT_LT(source.x, 5000.0);
        }
    }
}

TEST(PreviewGeometryTest, FitTakesTheLargestMagnificationUpTo100Percent) {
    PreviewGeometry large = Framed(6000, 4000, 700, 600);
    large.Fit();
    EXPECT_EQ(large.Scale(), 12.0);  // 6000 / 12 = 500 fits; 6000 / 8 = 750 does not
    PreviewGeometry small = Framed(100, 80, 700, 600);
    small.Fit();
    EXPECT_EQ(small.Scale(), 1.0);
    // The small image sits in the middle of the view.
    const Point at = small.ViewPointOf(SourcePoint{0.0, 0.0});
    EXPECT_EQ(at.x, (700 - 100) / 2);
    EXPECT_EQ(at.y, (600 - 80) / 2);
    EXPECT_FALSE(small.ActualSize());
}

TEST(PreviewGeometryTest, ZoomingAtAPointKeepsItUnderThePointer) {
    PreviewGeometry geometry = Framed(4000, 4000, 400, 300);
    geometry.Fit();
    // From 25 %, where the image is larger than the view, down to 200 %.
    while (geometry.Scale() > 4.0) geometry.ZoomIn();
    const std::vector<std::tuple<int, int>> points = {{200, 150}, {130, 90}, {260, 210}};
    for (const auto& [x, y] : points) {
        for (int step = 0; step < 4; ++step) {
            const SourcePoint before = geometry.SourceAt(x, y);
            const double scaleBefore = geometry.Scale();
            ASSERT_TRUE(geometry.ZoomInAt(x, y));
            const SourcePoint after = geometry.SourceAt(x, y);
            // Within one source pixel of the coarser level.
            EXPECT_LE(std::fabs(after.x - before.x), scaleBefore) << x << "," << y;
            EXPECT_LE(std::fabs(after.y - before.y), scaleBefore) << x << "," << y;
        }
        for (int step = 0; step < 4; ++step) geometry.ZoomOutAt(x, y);
    }
}

TEST(PreviewGeometryTest, RectangleZoomPicksTheLargestMagnificationThatFits) {
    PreviewGeometry geometry = Framed(4000, 4000, 400, 300);
    geometry.Fit();
    ASSERT_EQ(geometry.Scale(), 16.0);
    // 40 × 20 preview pixels at 1/16 are 640 × 320 source pixels: at 1/2
    // they take 320 × 160 and fit; at 1/1 (640 wide) they would not.
    const SourcePoint topLeft = geometry.SourceAt(100, 100);
    const SourcePoint bottomRight = geometry.SourceAt(140, 120);
    ASSERT_TRUE(geometry.ZoomToRect(Rect(100, 100, 120, 140)));
    EXPECT_EQ(geometry.Scale(), 2.0);
    // The rectangle's middle is the view's middle.
    const SourcePoint middle = geometry.SourceAt(200, 150);
    EXPECT_NEAR(middle.x, (topLeft.x + bottomRight.x) / 2.0, 2.0);
    EXPECT_NEAR(middle.y, (topLeft.y + bottomRight.y) / 2.0, 2.0);
    // A rectangle no level can magnify enough takes the largest magnification.
    ASSERT_TRUE(geometry.ZoomToRect(Rect(10, 10, 11, 11)));
    EXPECT_EQ(geometry.Scale(), 0.0625);
}

TEST(PreviewGeometryTest, PanMovesWithThePointerAndStopsAtTheEdges) {
    PreviewGeometry geometry = Framed(2000, 1000, 400, 300);
    ASSERT_FALSE(geometry.ActualSize());  // starts at 100 %
    geometry.CentreOn(SourcePoint{1000.0, 500.0});
    const SourcePoint start = geometry.Position();
    ASSERT_TRUE(geometry.PanFrom(start, -30, 20));
    EXPECT_EQ(geometry.Position().x, start.x + 30.0);
    EXPECT_EQ(geometry.Position().y, start.y - 20.0);
    // Far past the edge: the view ends at the image's corner.
    geometry.PanFrom(start, -5000, -5000);
    EXPECT_EQ(geometry.ShownSource(), Rect(700, 1600, 1000, 2000));
    geometry.PanFrom(start, 5000, 5000);
    EXPECT_EQ(geometry.ShownSource(), Rect(0, 0, 300, 400));
}
