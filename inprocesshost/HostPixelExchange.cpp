#include "inprocesshost/HostPixelExchange.h"

#include <cstddef>
#include <new>

#include "pluginapi/RectConversion.h"

namespace {

// Fills the padding at the end of delivered rows, so that a plug-in that
// reads past a row's pixels gets visibly wrong values.
constexpr uint8_t kPaddingByte = 0xA5;

// The request clipped to the document, written back into the record.
Rect ClipRequest(ps::Rect16& field, const HostImage& image) {
    const Rect requested = RectFromHost(field);
    Rect clipped = requested.IsEmpty() ? Rect() : Rect::Intersect(requested, Rect(0, 0, image.height, image.width));
    if (clipped.IsEmpty()) clipped = Rect();
    if (!requested.IsEmpty()) field = RectToHost(clipped);
    return clipped;
}

bool PlanesValid(int32_t lo, int32_t hi, int32_t available) { return lo >= 0 && lo <= hi && hi < available; }

std::size_t Index(std::size_t row, std::size_t rowBytes, std::size_t column, std::size_t planes) {
    return row * rowBytes + column * planes;
}

// Copies planes lo.. of `rect` from the image into interleaved rows.
void CopyFromImage(const HostImage& image, const Rect& rect, int32_t lo, int32_t planes, int32_t rowBytes,
                   std::vector<uint8_t>& rows) {
    rows.assign(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(rect.Height()), kPaddingByte);
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        for (int32_t x = rect.left; x < rect.right; ++x) {
            const std::size_t at = Index(static_cast<std::size_t>(y - rect.top), static_cast<std::size_t>(rowBytes),
                                         static_cast<std::size_t>(x - rect.left), static_cast<std::size_t>(planes));
            for (int32_t p = 0; p < planes; ++p) rows[at + static_cast<std::size_t>(p)] = image.At(x, y, lo + p);
        }
    }
}

void Release(std::vector<uint8_t>& rows) { std::vector<uint8_t>().swap(rows); }

}  // namespace

ps::OSErr HostPixelExchange::Exchange(ps::FilterRecord& record, HostImage& image, int32_t outputPlanes,
                                      const std::vector<uint8_t>& selection) {
    CommitPendingOutput(record, image, selection);
    try {
        const ps::OSErr inputError = DeliverInput(record, image);
        if (inputError != ps::noErr) return inputError;
        const ps::OSErr outputError = DeliverOutput(record, image, outputPlanes);
        if (outputError != ps::noErr) return outputError;
        DeliverMask(record, image, selection);
    } catch (const std::bad_alloc&) {
        Reset();
        record.inData = record.outData = record.maskData = nullptr;
        return ps::memFullErr;
    }
    return ps::noErr;
}

ps::OSErr HostPixelExchange::DeliverInput(ps::FilterRecord& record, const HostImage& image) {
    const Rect rect = ClipRequest(record.inRect, image);
    record.inData = nullptr;
    record.inRowBytes = 0;
    if (rect.IsEmpty()) {
        Release(input_);
        return ps::noErr;
    }
    if (!PlanesValid(record.inLoPlane, record.inHiPlane, image.Planes()) || record.inputRate != ps::kFixedOne) {
        Release(input_);
        return ps::paramErr;
    }
    const int32_t planes = record.inHiPlane - record.inLoPlane + 1;
    const int32_t rowBytes = rect.Width() * planes + rowPadding_;
    CopyFromImage(image, rect, record.inLoPlane, planes, rowBytes, input_);
    record.inData = input_.data();
    record.inRowBytes = rowBytes;
    record.inColumnBytes = planes;
    record.inPlaneBytes = 1;
    return ps::noErr;
}

ps::OSErr HostPixelExchange::DeliverOutput(ps::FilterRecord& record, const HostImage& image, int32_t outputPlanes) {
    const Rect rect = ClipRequest(record.outRect, image);
    record.outData = nullptr;
    record.outRowBytes = 0;
    if (rect.IsEmpty()) {
        Release(output_);
        return ps::noErr;
    }
    if (!PlanesValid(record.outLoPlane, record.outHiPlane, outputPlanes)) {
        Release(output_);
        return ps::paramErr;
    }
    const int32_t planes = record.outHiPlane - record.outLoPlane + 1;
    const int32_t rowBytes = rect.Width() * planes + rowPadding_;
    // The output rows start as the image's pixels, as a host hands them out.
    CopyFromImage(image, rect, record.outLoPlane, planes, rowBytes, output_);
    record.outData = output_.data();
    record.outRowBytes = rowBytes;
    record.outColumnBytes = planes;
    record.outPlaneBytes = 1;
    pending_ = PendingOutput{true, rect, record.outLoPlane, planes, rowBytes};
    return ps::noErr;
}

void HostPixelExchange::DeliverMask(ps::FilterRecord& record, const HostImage& image,
                                    const std::vector<uint8_t>& selection) {
    const Rect rect = ClipRequest(record.maskRect, image);
    record.maskData = nullptr;
    record.maskRowBytes = 0;
    // Without a selection there is no mask to deliver.
    if (rect.IsEmpty() || selection.size() != image.PixelCount() || record.maskRate != ps::kFixedOne) {
        Release(mask_);
        return;
    }
    const int32_t rowBytes = rect.Width() + rowPadding_;
    mask_.assign(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(rect.Height()), kPaddingByte);
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        const uint8_t* source = selection.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
        for (int32_t x = rect.left; x < rect.right; ++x) {
            mask_[static_cast<std::size_t>(y - rect.top) * static_cast<std::size_t>(rowBytes) +
                  static_cast<std::size_t>(x - rect.left)] = source[x];
        }
    }
    record.maskData = mask_.data();
    record.maskRowBytes = rowBytes;
}

void HostPixelExchange::CommitPendingOutput(const ps::FilterRecord& record, HostImage& image,
                                            const std::vector<uint8_t>& selection) {
    if (!pending_.active) return;
    pending_.active = false;
    const bool masked = record.autoMask != 0 && selection.size() == image.PixelCount();
    const Rect& rect = pending_.rect;
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        for (int32_t x = rect.left; x < rect.right; ++x) {
            const std::size_t at =
                Index(static_cast<std::size_t>(y - rect.top), static_cast<std::size_t>(pending_.rowBytes),
                      static_cast<std::size_t>(x - rect.left), static_cast<std::size_t>(pending_.planes));
            const uint32_t weight =
                masked ? selection[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                                   static_cast<std::size_t>(x)]
                       : 255;
            for (int32_t p = 0; p < pending_.planes; ++p) {
                uint8_t& target = image.At(x, y, pending_.loPlane + p);
                const uint32_t written = output_[at + static_cast<std::size_t>(p)];
                target = static_cast<uint8_t>((target * (255 - weight) + written * weight + 127) / 255);
            }
        }
    }
}

void HostPixelExchange::Reset() {
    pending_ = PendingOutput();
    Release(input_);
    Release(output_);
    Release(mask_);
}
