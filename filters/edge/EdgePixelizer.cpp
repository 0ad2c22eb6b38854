// Pixelizer: a rotated screen of square cells, each switched on (full edge)
// or off at random with a probability that follows the distance into the
// band; neighbouring cells blend over one pixel along their common side.
#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "filters/edge/EdgeBevels.h"
#include "filters/edge/EdgeDensityWalk.h"
#include "filters/edge/EdgeScreen.h"
#include "filters/edge/EdgeTreatments.h"
#include "image/VariableProbabilityField.h"

namespace edge {

namespace {

constexpr double kBevelShare = 0.3;

// Decides the cells of the screen from the density image.
class PixelizerCells {
public:
    // `screen` is the render's screen, `fullSize` the same screen at full
    // size: the cells of both are the same, only the pixels differ.
    PixelizerCells(const Screen& screen, const Screen& fullSize, const TiledImage& density,
                   const VariableProbabilityField& field)
        : screen_(screen), fullSize_(fullSize), density_(density), field_(field) {}

    // False when the table of answers could not be allocated.
    bool IsReady() const { return cache_ != nullptr; }

    // 1 (on, edge colour) or 0 (off) for the cell whose corner is (i, j).
    // Every pixel of a cell and of its neighbours asks for it, so the answers
    // are kept in a small direct-mapped table.
    double Value(double i, double j) const {
        CacheEntry& entry = cache_[CacheSlot(i, j)];
        if (entry.filled && entry.i == i && entry.j == j) return entry.value;
        entry = CacheEntry{i, j, Decide(i, j), true};
        return entry.value;
    }

private:
    struct CacheEntry {
        double i = 0.0;
        double j = 0.0;
        double value = 0.0;
        bool filled = false;
    };
    static constexpr std::size_t kCacheSize = 4096;

    static std::size_t CacheSlot(double i, double j) {
        const auto a = static_cast<uint64_t>(static_cast<int64_t>(std::fmod(i, 1048576.0)));
        const auto b = static_cast<uint64_t>(static_cast<int64_t>(std::fmod(j, 1048576.0)));
        return static_cast<std::size_t>((a * 73856093u) ^ (b * 19349663u)) & (kCacheSize - 1);
    }

    double Decide(double i, double j) const {
        const double corners[4] = {Sample(i, j), Sample(i + 1.0, j), Sample(i, j + 1.0), Sample(i + 1.0, j + 1.0)};
        const double lowest = std::min(std::min(corners[0], corners[1]), std::min(corners[2], corners[3]));
        const double highest = std::max(std::max(corners[0], corners[1]), std::max(corners[2], corners[3]));
        if (lowest <= 0.0) return 1.0;
        if (highest >= 1.0) return 0.0;
        // The density at the pixel of the cell's centre against the threshold
        // drawn for that pixel at full size: a reduced render then draws the
        // same threshold for a cell as the final render does.
        Pixel q, fullSizeQ;
        if (!CentrePixel(screen_, i, j, q) || !CentrePixel(fullSize_, i, j, fullSizeQ)) return 1.0;
        return density_.At(q.x, q.y) < field_.Threshold(fullSizeQ.x, fullSizeQ.y) ? 1.0 : 0.0;
    }

    struct Pixel {
        int32_t x;
        int32_t y;
    };

    // The pixel that holds the image point of cell (i, j)'s centre; false
    // when it lies beyond any image.
    static bool CentrePixel(const Screen& screen, double i, double j, Pixel& pixel) {
        const RealPoint centre = screen.ToImage(i + 0.5, j + 0.5);
        const double x = std::floor(centre.x);
        const double y = std::floor(centre.y);
        if (!(std::fabs(x) < 2e9) || !(std::fabs(y) < 2e9)) return false;
        pixel = Pixel{static_cast<int32_t>(x), static_cast<int32_t>(y)};
        return true;
    }

    double Sample(double u, double v) const {
        const RealPoint p = screen_.ToImage(u, v);
        return density_.Bilinear(p.x, p.y);
    }

    const Screen& screen_;
    const Screen& fullSize_;
    const TiledImage& density_;
    const VariableProbabilityField& field_;
    std::unique_ptr<CacheEntry[]> cache_{new (std::nothrow) CacheEntry[kCacheSize]};
};

// a + w (b − a) / 2: half-way at most, so that two cells meet at the mean.
double Mix(double a, double b, double w) { return a + w * (b - a) / 2.0; }

// The edge amount of a pixel at (fu, fv) inside cell (i, j), blended with the
// neighbouring cells within half a pixel (h, in screen units) of a side.
double BlendedCell(const PixelizerCells& cells, double i, double j, double fu, double fv, double h) {
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

bool InBand(double t) { return t > 0.0 && t < 1.0; }

// The edge amount beyond the band: full edge on and beyond the border
// (t <= 0), nothing deep inside (t >= 1).
double AmountBeyondBand(double t) { return t > 0.0 ? 0.0 : 1.0; }

// The edge amount of one pixel from its density t: the cell pattern in the
// band.
double PixelAmount(const PixelizerCells& cells, const Screen& screen, double halfPixel, int32_t x, int32_t y,
                   double t) {
    if (!InBand(t)) return AmountBeyondBand(t);
    if (!screen.IsUsable()) return 0.0;
    const RealPoint s = screen.ToScreen(x, y);
    const double i = std::floor(s.x);
    const double j = std::floor(s.y);
    return BlendedCell(cells, i, j, s.x - i, s.y - j, halfPixel);
}

}  // namespace

ResultCode FillPixelizer(const TreatmentRequest& request) {
    const Screen screen(Screen::CellSize(request.width, request.scale), request.direction, 0.0, 0.0);
    TiledImage density;
    ResultCode result = density.Init(request.amount->Bounds(), 0.0, 0.0);
    if (result.IsFailure()) return result;
    std::unique_ptr<EdgePixelizerDistanceTransform> bevel(
        new (std::nothrow) EdgePixelizerDistanceTransform(density, request.border, request.width));
    if (bevel == nullptr) return ResultCode::OutOfMemory();
    // A pixel's amount reads T at the centres of its cell and of the cells
    // beside it: within three cells of it.
    result = RunEdgeBevel(*bevel, request, request.ProgressAt(kBevelShare),
                          screen.IsUsable() ? 3.0 * screen.CellSize() : 0.0);
    if (result.IsSuccess() && density.OutOfMemory()) result = ResultCode::OutOfMemory();
    if (result.IsFailure()) return result;

    // Only the thresholds are drawn from the field; densities are read here.
    std::unique_ptr<VariableProbabilityField> field(new (std::nothrow) VariableProbabilityField());
    if (field == nullptr) return ResultCode::OutOfMemory();
    result = field->Init(request.seed, nullptr, density.Outside());
    if (result.IsFailure()) return result;

    const Screen fullSize(Screen::CellSize(request.width * request.reductionFactor, request.scale), request.direction,
                          0.0, 0.0);
    const PixelizerCells cells(screen, fullSize, density, *field);
    if (!cells.IsReady()) return ResultCode::OutOfMemory();
    const double halfPixel = screen.PixelSize() / 2.0;
    TiledImage& amount = *request.amount;
    WalkDensity(
        request, density, request.ProgressAt(kBevelShare),
        [&](std::size_t tile, bool whole, double t) {
            // E and T share their tiling: a whole tile of one density outside
            // the band is one amount.
            if (!whole || InBand(t)) return false;
            amount.SetTileConstant(tile, AmountBeyondBand(t));
            return true;
        },
        [&](int32_t x, int32_t y, double t) { amount.Set(x, y, PixelAmount(cells, screen, halfPixel, x, y, t)); });
    return amount.OutOfMemory() ? ResultCode::OutOfMemory() : ResultCode::Success();
}

}  // namespace edge
