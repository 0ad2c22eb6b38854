#include "filters/stamp/CellPreparation.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "content/TubeCellGrid.h"
#include "filters/stamp/StampFit.h"
#include "image/HueSaturationValue.h"
#include "image/ImageStatistics.h"
#include "image/Resample.h"

namespace {

const ChannelLayout kRGBA(kColourModelRGB, 3, true);
const ChannelLayout kHSVA(kColourModelHSB, 3, true);

// What the cells of one tube may take, so that no stamp size takes the
// machine's memory: the table of cells, with their shadows and colour
// forms, and the work of making one more.
constexpr uint64_t kCellTableBudget = uint64_t{512} << 20;

uint64_t CellTableBytes(Point size, const CellPreparation& request, int32_t cells) {
    Rect stamp(0, 0, size.y, size.x);
    if (request.shadow.on) stamp = ShadowedRect(stamp, request.shadow);
    const uint64_t pixels = uint64_t(std::max(stamp.Width(), 0)) * uint64_t(std::max(stamp.Height(), 0));
    // Four bytes a pixel, and four doubles for a colour form; making a
    // shadow takes a mask and a blur's rows besides.
    const uint64_t perPixel = 4 + (request.colourStamps ? 4 * sizeof(double) : 0);
    return pixels * perPixel * uint64_t(cells) + pixels * 16;
}

// One side of a scaled stamp, at least 2; absurd sizes become 0, which the
// caller refuses as more than memory holds.
int32_t ScaledSide(int32_t side, double factor) {
    const double scaled = side * factor + 0.5;
    if (!(scaled < 1e9)) return 0;
    return std::max(2, static_cast<int32_t>(scaled));
}

ResultCode MakeColourStamp(const Image<unsigned char>& stamp, std::unique_ptr<Image<double>>& colour) {
    ResultCode result;
    std::unique_ptr<Image<double>> made(new (std::nothrow) Image<double>(kHSVA, stamp.bounds, result));
    if (made == nullptr) return ResultCode::OutOfMemory();
    if (result.IsFailure()) return result;
    for (int32_t y = stamp.bounds.top; y < stamp.bounds.bottom; ++y) {
        const unsigned char* from = stamp.PixelAddress(Point{stamp.bounds.left, y});
        double* to = made->PixelAddress(Point{stamp.bounds.left, y});
        for (int32_t x = stamp.bounds.left; x < stamp.bounds.right; ++x, from += 4, to += 4) {
            const HSVColour hsv = ToHSV(RGBColour{from[0] / 255.0, from[1] / 255.0, from[2] / 255.0});
            to[0] = hsv.hue;
            to[1] = hsv.saturation;
            to[2] = hsv.value;
            to[3] = from[3];
        }
    }
    colour = std::move(made);
    return ResultCode::Success();
}

ResultCode PrepareCell(const CellPreparation& request, const TubeCellGrid& grid, Point size, int32_t column,
                       int32_t row, FillStampScaledTubeStamp& cell) {
    const Image<unsigned char> source(*request.tube, grid.CellRect(column, row));
    ResultCode result;
    cell.stamp.reset(new (std::nothrow) Image<unsigned char>(kRGBA, Rect(0, 0, size.y, size.x), result));
    if (cell.stamp == nullptr) return ResultCode::OutOfMemory();
    if (result.IsFailure()) return result;
    result = Resample(source, *cell.stamp, request.abort, nullptr, 0.0, 1.0);
    if (result.IsFailure()) return result;
    MeasureStamp(*cell.stamp, cell);
    if (request.shadow.on) {
        result = AddDropShadow(request.shadow, cell.stamp, request.abort);
        if (result.IsFailure()) return result;
    }
    // The box's right and bottom are its last pixels.
    const Rect box = VisiblePixelBounds(*cell.stamp);
    cell.visible = Rect(box.top, box.left, box.bottom + 1, box.right + 1);
    if (request.colourStamps) return MakeColourStamp(*cell.stamp, cell.colourStamp);
    return ResultCode::Success();
}

}  // namespace

Point ScaledStampSize(int32_t cellWidth, int32_t cellHeight, double targetWidth) {
    const double factor = cellWidth > 0 && targetWidth > 0.0 ? targetWidth / cellWidth : 0.0;
    return Point{ScaledSide(cellWidth, factor), ScaledSide(cellHeight, factor)};
}

void MeasureStamp(const Image<unsigned char>& stamp, FillStampScaledTubeStamp& cell) {
    double alphaSum = 0.0;
    for (int32_t y = stamp.bounds.top; y < stamp.bounds.bottom; ++y) {
        const unsigned char* pixel = stamp.PixelAddress(Point{stamp.bounds.left, y});
        for (int32_t x = stamp.bounds.left; x < stamp.bounds.right; ++x, pixel += stamp.pixelStride)
            alphaSum += pixel[3];
    }
    cell.area = alphaSum / 255.0;

    // The visible box's right and bottom are its last pixels, not one past.
    const Rect box = VisiblePixelBounds(stamp);
    const double width = box.right - box.left;
    const double height = box.bottom - box.top;
    cell.radius = static_cast<int32_t>(std::ceil(0.5 * std::sqrt(width * width + height * height)));
    const double centreX = 0.5 * (box.left + box.right) - stamp.bounds.left;
    const double centreY = 0.5 * (box.top + box.bottom) - stamp.bounds.top;
    cell.centreOffsetX = static_cast<int32_t>(std::floor(centreX + 0.5));
    cell.centreOffsetY = static_cast<int32_t>(std::floor(centreY + 0.5));
    cell.centreFractionX = centreX - cell.centreOffsetX;
    cell.centreFractionY = centreY - cell.centreOffsetY;
}

ResultCode PrepareCells(const CellPreparation& request, CellTable& cells, CellMeasures& measures) {
    measures = CellMeasures();
    const Image<unsigned char>& tube = *request.tube;
    const TubeCellGrid grid(request.columns, request.rows, tube.Width(), tube.Height());
    if (grid.CellCount() == 0 || grid.CellWidth() < 1 || grid.CellHeight() < 1) return ResultCode::Failure();
    const Point size = ScaledStampSize(grid.CellWidth(), grid.CellHeight(), request.targetWidth);
    if (size.x == 0 || size.y == 0 || CellTableBytes(size, request, grid.CellCount()) > kCellTableBudget)
        return ResultCode::Failure(kStampsTooLarge);
    try {
        cells.Reset(grid.Columns(), grid.Rows());
    } catch (const std::bad_alloc&) {
        cells.Clear();
        return ResultCode::OutOfMemory();
    }

    const int32_t count = grid.CellCount();
    const double span = request.progressTo - request.progressFrom;
    double areaSum = 0.0;
    for (int32_t index = 0; index < count; ++index) {
        if (request.progress != nullptr)
            request.progress->Update(request.progressFrom + span * index / static_cast<double>(count));
        if (request.abort != nullptr && request.abort->IsAborted()) return ResultCode::Cancelled();
        const int32_t column = index % grid.Columns();
        const int32_t row = index / grid.Columns();
        FillStampScaledTubeStamp& cell = cells.At(column, row);
        const ResultCode result = PrepareCell(request, grid, size, column, row, cell);
        if (result.IsFailure()) {
            if (result.status == ResultCode::kOutOfMemory) cells.Clear();
            return result;
        }
        areaSum += cell.area;
        measures.largestRadius = std::max(measures.largestRadius, cell.radius);
    }
    measures.meanArea = areaSum / count;
    return ResultCode::Success();
}
