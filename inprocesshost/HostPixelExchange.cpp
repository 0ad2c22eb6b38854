#include "inprocesshost/HostPixelExchange.h"

#include <cstddef>
#include <cstring>
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

// The image's bytes from pixel (x, y) on.
const uint8_t* PixelsAt(const HostImage& image, int32_t x, int32_t y) {
    return image.pixels.data() + Index(static_cast<std::size_t>(y),
                                       static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.Planes()),
                                       static_cast<std::size_t>(x), static_cast<std::size_t>(image.Planes()));
}

// Copies planes lo.. of `rect` from the image into interleaved rows.
void CopyFromImage(const HostImage& image, const Rect& rect, int32_t lo, int32_t planes, int32_t rowBytes,
                   std::vector<uint8_t>& rows) {
    rows.assign(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(rect.Height()), kPaddingByte);
    const std::size_t imagePlanes = static_cast<std::size_t>(image.Planes());
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        const uint8_t* from = PixelsAt(image, rect.left, y) + lo;
        uint8_t* to = rows.data() + static_cast<std::size_t>(y - rect.top) * static_cast<std::size_t>(rowBytes);
        if (planes == image.Planes()) {
            std::memcpy(to, from, static_cast<std::size_t>(rect.Width()) * imagePlanes);
            continue;
        }
        for (int32_t x = rect.left; x < rect.right; ++x, from += imagePlanes, to += planes) {
            std::memcpy(to, from, static_cast<std::size_t>(planes));
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
    record.inColumnBytes = planes;
    record.inPlaneBytes = 1;
    // Every plane without padding: the rows as the image holds them, which
    // stay as they are until the next exchange writes the output back.
    if (planes == image.Planes() && rowPadding_ == 0) {
        Release(input_);
        record.inData = const_cast<uint8_t*>(PixelsAt(image, rect.left, rect.top));
        record.inRowBytes = image.width * planes;
        return ps::noErr;
    }
    const int32_t rowBytes = rect.Width() * planes + rowPadding_;
    CopyFromImage(image, rect, record.inLoPlane, planes, rowBytes, input_);
    record.inData = input_.data();
    record.inRowBytes = rowBytes;
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
    if (!masked) {
        const std::size_t imagePlanes = static_cast<std::size_t>(image.Planes());
        for (int32_t y = rect.top; y < rect.bottom; ++y) {
            const uint8_t* from =
                output_.data() + static_cast<std::size_t>(y - rect.top) * static_cast<std::size_t>(pending_.rowBytes);
            uint8_t* to = const_cast<uint8_t*>(PixelsAt(image, rect.left, y)) + pending_.loPlane;
            if (pending_.planes == image.Planes()) {
                std::memcpy(to, from, static_cast<std::size_t>(rect.Width()) * imagePlanes);
                continue;
            }
            for (int32_t x = rect.left; x < rect.right; ++x, from += pending_.planes, to += imagePlanes) {
                std::memcpy(to, from, static_cast<std::size_t>(pending_.planes));
            }
        }
        return;
    }
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        for (int32_t x = rect.left; x < rect.right; ++x) {
            const std::size_t at =
                Index(static_cast<std::size_t>(y - rect.top), static_cast<std::size_t>(pending_.rowBytes),
                      static_cast<std::size_t>(x - rect.left), static_cast<std::size_t>(pending_.planes));
            const uint32_t weight = selection[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                                              static_cast<std::size_t>(x)];
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
