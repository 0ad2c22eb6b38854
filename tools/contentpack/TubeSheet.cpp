#include "tools/contentpack/TubeSheet.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/Rect.h"

TubePicture TubeSheet(const std::string& name, int32_t columns, const std::vector<CellPaint>& cells) {
    const int32_t rows = CeilDiv(static_cast<int32_t>(cells.size()), columns);
    Picture sheet(columns * kTubeCellSize, rows * kTubeCellSize);
    // Four by four samples a pixel: the shapes' edges and the facets' ridges
    // are sharp inside the paint functions.
    constexpr int kSamples = 4;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const CellPaint& cell = cells[i];
        const Picture drawn = Paint(kTubeCellSize, kTubeCellSize, kSamples, [&cell](double x, double y) {
            return cell(x / kTubeCellSize * 2.0 - 1.0, y / kTubeCellSize * 2.0 - 1.0);
        });
        const int32_t column = static_cast<int32_t>(i) % columns;
        const int32_t row = static_cast<int32_t>(i) / columns;
        sheet.Place(drawn, column * kTubeCellSize, row * kTubeCellSize);
    }
    return TubePicture{name, sheet, columns, rows};
}

namespace {

constexpr int32_t kPerPixel = 2;
constexpr int32_t kMargin = 4;  // grid points beyond each edge of the cell
constexpr int32_t kSide = kTubeCellSize * kPerPixel + 2 * kMargin + 1;
constexpr double kStep = kCellPixel / kPerPixel;

using Grid = std::vector<double>;

std::shared_ptr<Grid> Sampled(const Shape& field) {
    auto grid = std::make_shared<Grid>(static_cast<std::size_t>(kSide) * kSide);
    for (int32_t j = 0; j < kSide; ++j) {
        for (int32_t i = 0; i < kSide; ++i) {
            (*grid)[static_cast<std::size_t>(j) * kSide + i] =
                field(-1.0 + (i - kMargin) * kStep, -1.0 + (j - kMargin) * kStep);
        }
    }
    return grid;
}

// One pass of a Gaussian blur along rows (`stride` 1) or columns (`stride`
// kSide); values beyond the grid count as 0.
Grid Blurred(const Grid& grid, double sigma, int32_t stride) {
    const int32_t reach = static_cast<int32_t>(std::ceil(sigma * 3.0));
    std::vector<double> kernel;
    double total = 0.0;
    for (int32_t k = -reach; k <= reach; ++k) {
        kernel.push_back(std::exp(-0.5 * k * k / (sigma * sigma)));
        total += kernel.back();
    }
    Grid blurred(grid.size(), 0.0);
    for (int32_t j = 0; j < kSide; ++j) {
        for (int32_t i = 0; i < kSide; ++i) {
            const int32_t along = stride == 1 ? i : j;
            double sum = 0.0;
            for (int32_t k = std::max(-reach, -along); k <= std::min(reach, kSide - 1 - along); ++k) {
                sum += kernel[static_cast<std::size_t>(k + reach)] *
                       grid[static_cast<std::size_t>(j * kSide + i + k * stride)];
            }
            blurred[static_cast<std::size_t>(j * kSide + i)] = sum / total;
        }
    }
    return blurred;
}

Shape Interpolated(std::shared_ptr<Grid> grid) {
    return [grid](double u, double v) {
        const double gx = std::clamp((u + 1.0) / kStep + kMargin, 0.0, kSide - 1.001);
        const double gy = std::clamp((v + 1.0) / kStep + kMargin, 0.0, kSide - 1.001);
        const int32_t i = static_cast<int32_t>(gx), j = static_cast<int32_t>(gy);
        const double fx = gx - i, fy = gy - j;
        const double* row = grid->data() + static_cast<std::size_t>(j) * kSide + i;
        const double top = row[0] + (row[1] - row[0]) * fx;
        const double bottom = row[kSide] + (row[kSide + 1] - row[kSide]) * fx;
        return top + (bottom - top) * fy;
    };
}

}  // namespace

Shape Cached(const Shape& field) { return Interpolated(Sampled(field)); }

Shape Inflated(const Shape& shape, double radius, double height) {
    const std::shared_ptr<Grid> inside = Sampled([&shape](double u, double v) { return EdgeOpacity(shape(u, v)); });
    const double sigma = radius / kStep;
    auto blurred = std::make_shared<Grid>(Blurred(Blurred(*inside, sigma, 1), sigma, kSide));
    for (std::size_t k = 0; k < blurred->size(); ++k) {
        // Beyond the edge the surface keeps falling, so that the slope at the
        // edge itself is as steep as just inside it.
        const double rise = 2.0 * (*blurred)[k] - 1.0;
        (*blurred)[k] = height * (rise >= 0.0 ? std::sqrt(rise) : -std::sqrt(-rise));
    }
    return Interpolated(blurred);
}

double EdgeOpacity(double distance, double softness) { return Clamp01(0.5 - distance / (softness * kCellPixel)); }

Shape Rotated(Shape shape, double degrees) {
    const double angle = degrees * kPi / 180.0;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return [shape = std::move(shape), c, s](double x, double y) { return shape(c * x + s * y, -s * x + c * y); };
}

Shape Placed(Shape shape, double scale, double dx, double dy) {
    return [shape = std::move(shape), scale, dx, dy](double x, double y) {
        return shape((x - dx) / scale, (y - dy) / scale) * scale;
    };
}

double RoundedBevel(double distance, double width) {
    const double inside = Clamp01(-distance / width);
    const double t = 1.0 - inside;
    return width * std::sqrt(std::max(0.0, 1.0 - t * t));
}
