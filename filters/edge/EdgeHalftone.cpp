// Halftone dots and halftone lines: the band is first made full edge with a
// density that falls from 1 on the border to 0 at the band's inner side; a
// rotated screen then cuts holes (dots) or gaps (lines) into it whose size
// follows the density.
#include <cmath>
#include <memory>
#include <new>

#include "filters/edge/EdgeBevels.h"
#include "filters/edge/EdgeScreen.h"
#include "filters/edge/EdgeTreatments.h"

namespace edge {

namespace {

// The share of the progress range the bevel takes; the screen takes the rest.
constexpr double kBevelShare = 0.3;

// Fills T and E with the halftone bevel. T reads `densityOutside` beyond its
// bounds.
ResultCode MeasureDensity(const TreatmentRequest &request, DensityImage &density, double densityOutside) {
    ResultCode result;
    density.image = SingleChannelImage<double>(request.amount->bounds, result);
    density.outside = densityOutside;
    if (result.IsFailure()) return result;
    std::unique_ptr<EdgeHalftoneDotsPrecisionBevel> bevel(new (std::nothrow) EdgeHalftoneDotsPrecisionBevel(
        *request.amount, density.image, request.border, request.width));
    if (bevel == nullptr) return ResultCode::OutOfMemory();
    return RunEdgeBevel(*bevel, request, request.ProgressAt(kBevelShare));
}

// Calls `patternPixel(x, y, E&)` for every pixel of E's area inside the
// request's area whose density lies strictly between 0 and 1, reporting
// progress per row over the rest of the range.
template <typename PatternPixel>
void WalkPartialDensity(const TreatmentRequest &request, const DensityImage &density, PatternPixel &&patternPixel) {
    SingleChannelImage<double> &amount = *request.amount;
    const Rect region = Rect::Intersect(amount.bounds, request.area);
    const double from = request.ProgressAt(kBevelShare);
    for (int32_t y = region.top; y < region.bottom; ++y) {
        const double done = static_cast<double>(y - region.top) / static_cast<double>(region.Height());
        request.Report(from + done * (request.progressEnd - from));
        for (int32_t x = region.left; x < region.right; ++x) {
            const double t = density.At(x, y);
            if (!(t > 0.0 && t < 1.0)) continue;
            patternPixel(x, y, Element(amount, Point{x, y}));
        }
    }
    request.Report(request.progressEnd);
}

} // namespace

ResultCode FillHalftoneDots(const TreatmentRequest &request) {
    DensityImage density;
    const ResultCode measured = MeasureDensity(request, density, 0.0);
    if (measured.IsFailure()) return measured;
    const double c = Screen::CellSize(request.width, request.scale);
    const Screen screen(c, request.direction, request.offsetX, request.offsetY);
    if (!screen.IsUsable()) return ResultCode::Success();

    const Rect &bounds = density.image.bounds;
    WalkPartialDensity(request, density, [&](int32_t x, int32_t y, double &amount) {
        const RealPoint s = screen.ToScreen(x, y);
        const double u0 = std::floor(s.x), u1 = std::ceil(s.x);
        const double v0 = std::floor(s.y), v1 = std::ceil(s.y);
        const RealPoint candidates[4] = {{u0, v0}, {u1, v0}, {u0, v1}, {u1, v1}};
        for (const RealPoint &candidate : candidates) {
            const RealPoint centre = screen.ToImage(candidate.x, candidate.y);
            if (!(centre.x >= bounds.left && centre.x < bounds.right - 1 && centre.y >= bounds.top &&
                  centre.y < bounds.bottom - 1)) {
                continue;
            }
            const double t = density.Bilinear(centre.x, centre.y);
            const double radius = 0.1 * c + (1.2 * c - 0.1 * c) * (1.0 - t);
            const double dx = x - centre.x;
            const double dy = y - centre.y;
            amount *= Clamp01(std::sqrt(dx * dx + dy * dy) + 1.0 - radius);
        }
    });
    return ResultCode::Success();
}

ResultCode FillHalftoneLines(const TreatmentRequest &request) {
    DensityImage density;
    const ResultCode measured = MeasureDensity(request, density, 1.0);
    if (measured.IsFailure()) return measured;
    const double c = Screen::CellSize(request.width, request.scale);
    const Screen screen(c, request.direction, request.offsetX, request.offsetY);
    if (!screen.IsUsable()) return ResultCode::Success();
    const double pixel = screen.PixelSize();

    WalkPartialDensity(request, density, [&](int32_t x, int32_t y, double &amount) {
        const RealPoint s = screen.ToScreen(x, y);
        const double below = std::floor(s.y);
        const double line = s.y - below > 0.5 ? std::ceil(s.y) : below;
        const double lineDistance = std::fabs(s.y - line);
        const RealPoint onLine = screen.ToImage(s.x, line);
        const double t = std::fabs(density.Bilinear(onLine.x, onLine.y));
        const double widthFraction = t < 0.5 ? 1.0 - 2.0 * t * t : 2.0 * (1.0 - t) * (1.0 - t);
        const double halfWidth = 0.5 * widthFraction;
        if (lineDistance >= halfWidth) {
            amount = 1.0;
            return;
        }
        const double inside = halfWidth - lineDistance;
        amount = inside >= pixel ? 0.0 : 1.0 - inside / pixel;
    });
    return ResultCode::Success();
}

} // namespace edge
