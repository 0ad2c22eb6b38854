#include "host/SelectionMaskReader.h"

#include <cstring>
#include <memory>
#include <new>

#include "filters/Filter.h"
#include "host/HostCalls.h"
#include "host/HostRequests.h"
#include "host/ImageFacts.h"
#include "host/PhotoshopAbortTester.h"
#include "host/RunRecord.h"
#include "image/RowImage.h"
#include "image/Tiling.h"

namespace {

bool FilterCaseHasSelection(int16_t filterCase) {
    return filterCase == ps::filterCaseFlatImageWithSelection ||
           filterCase == ps::filterCaseEditableTransparencyWithSelection ||
           filterCase == ps::filterCaseProtectedTransparencyWithSelection;
}

// Wraps the host's rows of one plane (or the mask) delivered for `rect`.
ResultCode WrapHostPlane(const Rect& rect, void* data, int32_t rowBytes, RowImage& rows) {
    if (data == nullptr || rowBytes < rect.Width()) return ResultCode::Failure();
    return rows.WrapRows(rect, 1, 1, static_cast<unsigned char*>(data), rowBytes);
}

// The layer's transparency over the whole document, cropped to its content.
ResultCode ReadTransparencyShape(ps::FilterRecord& record, RowImage& mask) {
    const Rect document = DocumentBounds(record);
    const int16_t plane = static_cast<int16_t>(ColourPlanes(record));
    record.inRect = RectToHost(document);
    record.inLoPlane = plane;
    record.inHiPlane = plane;
    if (HostAdvanceState() != ps::noErr) return ResultCode::Failure();
    RowImage transparency;
    const ResultCode wrapped = WrapHostPlane(document, record.inData, record.inRowBytes, transparency);
    if (wrapped.IsFailure()) return wrapped;
    return transparency.CropToContent(mask);
}

// The host's mask over the whole filter rectangle in one request, cropped to
// its content.
ResultCode ReadWholeHostMask(ps::FilterRecord& record, const Rect& filterRect, RowImage& mask) {
    record.maskRect = RectToHost(filterRect);
    if (HostAdvanceState() != ps::noErr) return ResultCode::Failure();
    RowImage hostMask;
    const ResultCode wrapped = WrapHostPlane(filterRect, record.maskData, record.maskRowBytes, hostMask);
    if (wrapped.IsFailure()) return wrapped;
    return hostMask.CropToContent(mask);
}

// The host's mask over the filter rectangle, piece by piece.
ResultCode ReadHostMaskInPieces(ps::FilterRecord& record, const Rect& filterRect, RowImage& mask) {
    const ResultCode allocated = mask.Allocate(filterRect, 1, 1);
    if (allocated.IsFailure()) return allocated;
    Photoshop_Abort_Tester abort(record.abortProc);
    const Tiling pieces{filterRect, kMaskPieceSize, TileOrder::TopDown};
    const int32_t count = pieces.Count();
    for (int32_t i = 0; i < count; ++i) {
        const Rect piece = pieces.Tile(i);
        record.maskRect = RectToHost(piece);
        if (HostAdvanceState() != ps::noErr || abort.IsAborted() || record.maskData == nullptr ||
            record.maskRowBytes < piece.Width()) {
            mask.Free();
            return ResultCode::Failure();
        }
        const unsigned char* source = static_cast<const unsigned char*>(record.maskData);
        for (int32_t y = piece.top; y < piece.bottom; ++y) {
            std::memcpy(mask.PixelAddress(piece.left, y), source, static_cast<std::size_t>(piece.Width()));
            source += record.maskRowBytes;
        }
    }
    return ResultCode::Success();
}

ResultCode ReadMask(ps::FilterRecord& record, const Filter& filter, RowImage& mask, bool& shapeFromTransparency) {
    const SelectionClass selection = ClassifySelection(record);
    const Rect filterRect = FilterRect(record);
    if (selection == SelectionClass::WholeLayer && InputHasTransparency(record) &&
        !FilterCaseHasSelection(record.filterCase) && filter.UsesTransparencyAsShape()) {
        const ResultCode read = ReadTransparencyShape(record, mask);
        if (read.IsFailure()) return read;
        if (mask.Bounds().IsEmpty()) return mask.AllocateConstantMask(filterRect, 255);
        shapeFromTransparency = true;
        return ResultCode::Success();
    }
    if (selection != SelectionClass::HostSelection) return mask.AllocateConstantMask(filterRect, 255);
    if (filterRect == DocumentBounds(record)) return ReadWholeHostMask(record, filterRect, mask);
    return ReadHostMaskInPieces(record, filterRect, mask);
}

}  // namespace

SelectionClass ClassifySelection(const ps::FilterRecord& record) {
    if (record.haveMask) return SelectionClass::HostSelection;
    if (FilterRect(record) == DocumentBounds(record) ||
        record.filterCase == ps::filterCaseProtectedTransparencyNoSelection) {
        return SelectionClass::WholeLayer;
    }
    return SelectionClass::Rectangle;
}

ResultCode ReadSelectionMask(ps::FilterRecord& record, const Filter& filter, RunRecord& run) {
    record.inputRate = ps::kFixedOne;
    record.maskRate = ps::kFixedOne;
    ClearRequests(record);
    RequestsClearedOnExit clearOnExit(record);

    run.selectionMask.reset();
    run.shapeFromTransparency = 0;
    std::unique_ptr<RowImage> mask(new (std::nothrow) RowImage);
    if (!mask) return ResultCode::OutOfMemory();
    bool shapeFromTransparency = false;
    const ResultCode read = ReadMask(record, filter, *mask, shapeFromTransparency);
    if (read.IsFailure()) return read;
    run.selectionMask = std::move(mask);
    run.shapeFromTransparency = shapeFromTransparency ? 1 : 0;
    return ResultCode::Success();
}
