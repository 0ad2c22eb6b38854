#include "host/ImageFacts.h"

#include "image/ChannelLayout.h"

Rect DocumentBounds(const ps::FilterRecord& record) { return Rect(0, 0, record.imageSize.v, record.imageSize.h); }

Rect FilterRect(const ps::FilterRecord& record) { return RectFromHost(record.filterRect); }

int32_t ColourModel(const ps::FilterRecord& record) { return ColourModelForHostMode(record.imageMode); }

int32_t ColourPlanes(const ps::FilterRecord& record) {
    const int32_t reported =
        record.inLayerPlanes + record.inLayerMasks + record.inInvertedLayerMasks + record.inNonLayerPlanes;
    if (reported > 0) return reported;
    switch (record.imageMode) {
        case ps::plugInModeGrayScale:
        case ps::plugInModeDuotone: return 1;
        case ps::plugInModeRGBColor:
        case ps::plugInModeLabColor: return 3;
        case ps::plugInModeCMYKColor: return 4;
        default: return record.planes;
    }
}

int32_t OutputPlanes(const ps::FilterRecord& record) {
    const int32_t reported = record.outLayerPlanes + record.outTransparencyMask + record.outLayerMasks +
                             record.outInvertedLayerMasks + record.outNonLayerPlanes;
    return reported > 0 ? reported : record.planes;
}

bool InputHasTransparency(const ps::FilterRecord& record) { return record.inTransparencyMask == 1; }

bool OutputHasTransparency(const ps::FilterRecord& record) { return record.outTransparencyMask == 1; }

double PixelsPerInch(const ps::FilterRecord& record) {
    if (record.imageHRes == 0) return 72.0;
    return static_cast<double>(record.imageHRes) / 65536.0;
}

void* HostParentWindow(const ps::FilterRecord& record) {
    const ps::PlatformData* platform = static_cast<const ps::PlatformData*>(record.platformData);
    if (platform == nullptr) return nullptr;
    return reinterpret_cast<void*>(platform->hwnd);
}
