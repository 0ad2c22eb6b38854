// Pixelizer: a rotated screen of square cells, each switched on (full edge)
// or off at random with a probability that follows the distance into the
// band; neighbouring cells blend over one pixel along their common side.
#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "filters/edge/EdgeBevels.h"
#include "filters/edge/EdgeScreen.h"
#include "filters/edge/EdgeTreatments.h"
#include "image/VariableProbabilityField.h"

namespace edge {

namespace {

constexpr double kBevelShare = 0.3;

// Decides the cells of the screen from the density image.
class PixelizerCells {
  public:
    PixelizerCells(const Screen &screen, const DensityImage &density, const VariableProbabilityField &field)
        : screen_(screen), density_(density), field_(field) {}

    // 1 (on, edge colour) or 0 (off) for the cell whose corner is (i, j).
    double Value(double i, double j) const {
        const double corners[4] = {Sample(i, j), Sample(i + 1.0, j), Sample(i, j + 1.0), Sample(i + 1.0, j + 1.0)};
        const double lowest = std::min(std::min(corners[0], corners[1]), std::min(corners[2], corners[3]));
        const double highest = std::max(std::max(corners[0], corners[1]), std::max(corners[2], corners[3]));
        if (lowest <= 0.0) return 1.0;
        if (highest >= 1.0) return 0.0;
        const RealPoint centre = screen_.ToImage(i + 0.5, j + 0.5);
        const double qx = std::floor(centre.x);
        const double qy = std::floor(centre.y);
        if (!(std::fabs(qx) < 2e9) || !(std::fabs(qy) < 2e9)) return 1.0;
        // The threshold belongs to the cell, not to the pixel at its centre:
        // cells are the same at every reduction, pixels are not, and the
        // preview must switch the same cells as the full-size render.
        return density_.At(static_cast<int32_t>(qx), static_cast<int32_t>(qy)) < field_.Threshold(Wrap(i), Wrap(j))
                   ? 1.0
                   : 0.0;
    }

  private:
    // A cell index as the lattice hashes it: only its low 12 bits count.
    static int32_t Wrap(double index) { return static_cast<int32_t>(std::fmod(index, 4096.0)); }

    double Sample(double u, double v) const {
        const RealPoint p = screen_.ToImage(u, v);
        return density_.Bilinear(p.x, p.y);
    }

    const Screen &screen_;
    const DensityImage &density_;
    const VariableProbabilityField &field_;
};

// a + w (b − a) / 2: half-way at most, so that two cells meet at the mean.
double Mix(double a, double b, double w) { return a + w * (b - a) / 2.0; }

// The edge amount of a pixel at (fu, fv) inside cell (i, j), blended with the
// neighbouring cells within half a pixel (h, in screen units) of a side.
double BlendedCell(const PixelizerCells &cells, double i, double j, double fu, double fv, double h) {
    const double own = cells.Value(i, j);
    const bool nearLeft = fu <= h, nearRight = fu >= 1.0 - h;
    const bool nearTop = fv <= h, nearBottom = fv >= 1.0 - h;
    const double wL = Clamp01((h - fu) / h), wR = Clamp01((fu - (1.0 - h)) / h);
    const double wT = Clamp01((h - fv) / h), wB = Clamp01((fv - (1.0 - h)) / h);
    auto cell = [&](double di, double dj) { return cells.Value(i + di, j + dj); };

    if (nearTop && nearLeft) return Mix(Mix(own, cell(0, -1), wT), Mix(cell(-1, 0), cell(-1, -1), wT), wL);
    if (nearTop && nearRight) return Mix(Mix(own, cell(0, -1), wT), Mix(cell(1, 0), cell(1, -1), wT), wR);
    if (nearBottom && nearLeft) return Mix(Mix(own, cell(0, 1), wB), Mix(cell(-1, 0), cell(-1, 1), wB), wL);
    if (nearBottom && nearRight) return Mix(Mix(own, cell(0, 1), wB), Mix(cell(1, 0), cell(1, 1), wB), wR);
    if (nearRight) return Mix(own, cell(1, 0), wR);
    if (nearLeft) return Mix(own, cell(-1, 0), wL);
    if (nearTop) return Mix(own, cell(0, -1), wT);
    if (nearBottom) return Mix(own, cell(0, 1), wB);
    return own;
}

} // namespace

ResultCode FillPixelizer(const TreatmentRequest &request) {
    DensityImage density;
    ResultCode result;
    density.image = SingleChannelImage<double>(request.amount->bounds, result);
    density.outside = 0.0;
    if (result.IsFailure()) return result;
    std::unique_ptr<EdgePixelizerDistanceTransform> bevel(
        new (std::nothrow) EdgePixelizerDistanceTransform(density.image, request.border, request.width));
    if (bevel == nullptr) return ResultCode::OutOfMemory();
    result = RunEdgeBevel(*bevel, request, request.ProgressAt(kBevelShare));
    if (result.IsFailure()) return result;

    std::unique_ptr<VariableProbabilityField> field(new (std::nothrow) VariableProbabilityField());
    if (field == nullptr) return ResultCode::OutOfMemory();
    result = field->Init(request.seed, &density.image, density.outside);
    if (result.IsFailure()) return result;

    const Screen screen(Screen::CellSize(request.width, request.scale), request.direction, 0.0, 0.0);
    const PixelizerCells cells(screen, density, *field);
    const double halfPixel = screen.PixelSize() / 2.0;
    SingleChannelImage<double> &amount = *request.amount;
    const Rect region = Rect::Intersect(amount.bounds, request.area);
    const double from = request.ProgressAt(kBevelShare);
    for (int32_t y = region.top; y < region.bottom; ++y) {
        const double done = static_cast<double>(y - region.top) / static_cast<double>(region.Height());
        request.Report(from + done * (request.progressEnd - from));
        for (int32_t x = region.left; x < region.right; ++x) {
            const double t = density.At(x, y);
            double &e = Element(amount, Point{x, y});
            if (!(t > 0.0)) {
                e = 1.0;
            } else if (t >= 1.0) {
                e = 0.0;
            } else if (screen.IsUsable()) {
                const RealPoint s = screen.ToScreen(x, y);
                const double i = std::floor(s.x);
                const double j = std::floor(s.y);
                e = BlendedCell(cells, i, j, s.x - i, s.y - j, halfPixel);
            }
        }
    }
    request.Report(request.progressEnd);
    return ResultCode::Success();
}

} // namespace edge
