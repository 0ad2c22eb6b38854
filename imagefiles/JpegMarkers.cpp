#include "imagefiles/JpegMarkers.h"

namespace {

constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kBaselineFrame = 0xC0;
constexpr uint8_t kStartOfScan = 0xDA;

}  // namespace

bool LocateJpegScan(const uint8_t* data, std::size_t size, JpegScanPlace& place) {
    if (size < 4 || data[0] != 0xFF || data[1] != kStartOfImage || data[size - 2] != 0xFF ||
        data[size - 1] != kEndOfImage)
        return false;
    bool sawFrame = false;
    for (std::size_t at = 2; at + 4 <= size;) {
        if (data[at] != 0xFF) return false;
        const uint8_t marker = data[at + 1];
        const std::size_t length = std::size_t(data[at + 2]) << 8 | data[at + 3];
        if (length < 2 || at + 2 + length > size - 2) return false;
        if (marker == kBaselineFrame) {
            place.frameHeader = at;
            sawFrame = true;
        }
        at += 2 + length;
        if (marker == kStartOfScan) {
            place.entropyBegin = at;
            place.entropyEnd = size - 2;
            return sawFrame;
        }
    }
    return false;
}
