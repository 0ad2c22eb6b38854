// Halftone dots and halftone lines: the band is first made full edge with a
// density that falls from 1 on the border to 0 at the band's inner side; a
// rotated screen then cuts holes (dots) or gaps (lines) into it whose size
// follows the density.
#include <cmath>
#include <memory>
#include <new>

#include "filters/edge/EdgeBevels.h"
#include "filters/edge/EdgeDensityWalk.h"
#include "filters/edge/EdgeScreen.h"
#include "filters/edge/EdgeTreatments.h"

namespace edge {

namespace {

// The share of the progress range the bevel takes; the screen takes the rest.
constexpr double kBevelShare = 0.3;

// Fills T and E with the halftone bevel. T reads `densityOutside` beyond its
// bounds. The pattern reads T at the centres of the cells around a pixel:
// within `reach` of it.
ResultCode MeasureDensity(const TreatmentRequest& request, TiledImage& density, double densityOutside, double reach) {
    ResultCode result = density.Init(request.amount->Bounds(), densityOutside, densityOutside);
    if (result.IsFailure()) return result;
    std::unique_ptr<EdgeHalftoneDotsPrecisionBevel> bevel(
        new (std::nothrow) EdgeHalftoneDotsPrecisionBevel(*request.amount, density, request.border, request.width));
    if (bevel == nullptr) return ResultCode::OutOfMemory();
    result = RunEdgeBevel(*bevel, request, request.ProgressAt(kBevelShare), reach);
    if (result.IsSuccess() && density.OutOfMemory()) return ResultCode::OutOfMemory();
    return result;
}

// Measures T (reading `densityOutside` beyond its bounds) and E, then sets E
// at every pixel of the request's area whose density lies strictly between 0
// and 1 to `patternAmount(screen, density, x, y)`, over the rest of the
// progress range.
template <typename PatternAmount>
ResultCode FillHalftone(const TreatmentRequest& request, double densityOutside, PatternAmount&& patternAmount) {
    const Screen screen = HalftoneScreen(request.width, request.scale, request.direction, request.reductionFactor,
                                         request.offsetX, request.offsetY);
    TiledImage density;
    const ResultCode measured =
        MeasureDensity(request, density, densityOutside, screen.IsUsable() ? 2.0 * screen.CellSize() : 0.0);
    if (measured.IsFailure()) return measured;
    if (!screen.IsUsable()) return ResultCode::Success();

    TiledImage& amount = *request.amount;
    auto partial = [](double t) { return t > 0.0 && t < 1.0; };
    WalkDensity(
        request, density, request.ProgressAt(kBevelShare), [&](std::size_t, bool, double t) { return !partial(t); },
        [&](int32_t x, int32_t y, double t) {
            if (partial(t)) amount.Set(x, y, patternAmount(screen, density, x, y));
        });
    return amount.OutOfMemory() ? ResultCode::OutOfMemory() : ResultCode::Success();
}

}  // namespace

ResultCode FillHalftoneDots(const TreatmentRequest& request) {
    const TiledImage& amount = *request.amount;
    return FillHalftone(request, 0.0, [&](const Screen& screen, const TiledImage& density, int32_t x, int32_t y) {
        const double c = screen.CellSize();
        const Rect& bounds = density.Bounds();
        const RealPoint s = screen.ToScreen(x, y);
        const double u0 = std::floor(s.x), u1 = std::ceil(s.x);
        const double v0 = std::floor(s.y), v1 = std::ceil(s.y);
        const RealPoint candidates[4] = {{u0, v0}, {u1, v0}, {u0, v1}, {u1, v1}};
        double e = amount.At(x, y);
        for (const RealPoint& candidate : candidates) {
            const RealPoint centre = screen.ToImage(candidate.x, candidate.y);
            if (!(centre.x >= bounds.left && centre.x < bounds.right - 1 && centre.y >= bounds.top &&
                  centre.y < bounds.bottom - 1)) {
                continue;
            }
            const double t = density.Bilinear(centre.x, centre.y);
            const double radius = 0.1 * c + (1.2 * c - 0.1 * c) * (1.0 - t);
            const double dx = x - centre.x;
            const double dy = y - centre.y;
            e *= Clamp01(std::sqrt(dx * dx + dy * dy) + 1.0 - radius);
        }
        return e;
    });
}

ResultCode FillHalftoneLines(const TreatmentRequest& request) {
    return FillHalftone(request, 1.0, [](const Screen& screen, const TiledImage& density, int32_t x, int32_t y) {
        const RealPoint s = screen.ToScreen(x, y);
        const double below = std::floor(s.y);
        const double line = s.y - below > 0.5 ? std::ceil(s.y) : below;
        const double lineDistance = std::fabs(s.y - line);
        const RealPoint onLine = screen.ToImage(s.x, line);
        const double t = std::fabs(density.Bilinear(onLine.x, onLine.y));
        const double widthFraction = t < 0.5 ? 1.0 - 2.0 * t * t : 2.0 * (1.0 - t) * (1.0 - t);
        const double halfWidth = 0.5 * widthFraction;
        if (lineDistance >= halfWidth) return 1.0;
        const double inside = halfWidth - lineDistance;
        const double pixel = screen.PixelSize();
        return inside >= pixel ? 0.0 : 1.0 - inside / pixel;
    });
}

}  // namespace edge
