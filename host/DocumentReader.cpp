#include "host/DocumentReader.h"

#include <algorithm>
#include <cstring>

#include "host/HostCalls.h"
#include "host/HostRequests.h"
#include "host/ImageFacts.h"
#include "host/PhotoshopAbortTester.h"
#include "pluginapi/RectConversion.h"

namespace {

// Bands of about this many bytes, so that a host delivering each one needs
// no more memory than that at a time.
constexpr int64_t kBandBytes = int64_t{4} << 20;

int32_t BandRows(const Rect& document, int32_t planes) {
    const int64_t rowBytes = std::max<int64_t>(1, int64_t{document.Width()} * planes);
    return static_cast<int32_t>(std::clamp<int64_t>(kBandBytes / rowBytes, 1, document.Height()));
}

}  // namespace

ResultCode ReadDocumentPixels(ps::FilterRecord& record, RowImage& pixels, ChannelLayout& layout) {
    RequestsClearedOnExit clearOnExit(record);
    const Rect document = DocumentBounds(record);
    const int32_t planes = OutputPlanes(record);
    const bool hasAlpha = OutputHasTransparency(record);
    if (document.IsEmpty() || planes <= 0) return ResultCode::Failure();
    ResultCode result = pixels.Allocate(document, planes, 1);
    if (result.IsFailure()) return result;
    layout = ChannelLayout(ColourModel(record), planes - (hasAlpha ? 1 : 0), hasAlpha);

    Photoshop_Abort_Tester abort(record.abortProc);
    record.inLoPlane = 0;
    record.inHiPlane = static_cast<int16_t>(planes - 1);
    record.inputRate = ps::kFixedOne;
    const std::size_t rowBytes = static_cast<std::size_t>(document.Width()) * static_cast<std::size_t>(planes);
    const int32_t bandRows = BandRows(document, planes);
    for (int32_t top = document.top; top < document.bottom; top += bandRows) {
        const Rect band(top, document.left, std::min(top + bandRows, document.bottom), document.right);
        record.inRect = RectToHost(band);
        record.outRect = RectToHost(Rect());
        if (HostAdvanceState() != ps::noErr || record.inData == nullptr ||
            record.inRowBytes < static_cast<int32_t>(rowBytes)) {
            result = ResultCode::Failure();
            break;
        }
        const auto* source = static_cast<const unsigned char*>(record.inData);
        for (int32_t y = band.top; y < band.bottom; ++y) {
            std::memcpy(pixels.Row(y), source, rowBytes);
            source += record.inRowBytes;
        }
        if (abort.IsAborted()) {
            result = ResultCode::Cancelled();
            break;
        }
    }
    if (result.IsFailure()) pixels.Free();
    return result;
}
