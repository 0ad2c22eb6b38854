// The advance-state exchange of the in-process host: delivers exactly the
// rectangles and planes a plug-in requests in the filter record (input,
// output and selection mask, planes interleaved, each row `rowBytes` long)
// and writes the output rows back into the image at the next exchange.
// Input of every plane without row padding is handed out in place, the
// image's own rows (`inRowBytes` is then the image's row), as hosts do
// with their tiles: no copy of the image is made for it.
//
// Requests are clipped to the document and the clipped rectangle is written
// back into the record, so that the rows always match the rectangle the
// plug-in reads. An empty request gets null data. Planes outside the
// image, a plane range running backwards, or a sampling rate other than 1
// are refused with paramErr (this host offers no sampling).
#pragma once

#include <cstdint>
#include <vector>

#include "base/Rect.h"
#include "inprocesshost/HostImage.h"
#include "pluginapi/PluginInterface.h"

class HostPixelExchange {
public:
    // Writes back the pending output, then delivers the current requests.
    // `outputPlanes` is how many planes the plug-in may write (the colour
    // planes only when the transparency is protected). `selection` is one
    // byte per image pixel, or empty for no selection.
    ps::OSErr Exchange(ps::FilterRecord& record, HostImage& image, int32_t outputPlanes,
                       const std::vector<uint8_t>& selection);
    // Writes back the output delivered last, if any; with the record's
    // autoMask set and a selection, through the selection.
    void CommitPendingOutput(const ps::FilterRecord& record, HostImage& image, const std::vector<uint8_t>& selection);
    // Forgets the pending output and frees the delivered rows.
    void Reset();

    void SetRowPadding(int32_t bytes) { rowPadding_ = bytes < 0 ? 0 : bytes; }
    bool HasPendingOutput() const { return pending_.active; }

private:
    struct PendingOutput {
        bool active = false;
        Rect rect;
        int32_t loPlane = 0;
        int32_t planes = 0;
        int32_t rowBytes = 0;
    };

    ps::OSErr DeliverInput(ps::FilterRecord& record, const HostImage& image);
    ps::OSErr DeliverOutput(ps::FilterRecord& record, const HostImage& image, int32_t outputPlanes);
    void DeliverMask(ps::FilterRecord& record, const HostImage& image, const std::vector<uint8_t>& selection);

    std::vector<uint8_t> input_;
    std::vector<uint8_t> output_;
    std::vector<uint8_t> mask_;
    PendingOutput pending_;
    int32_t rowPadding_ = 0;
};
