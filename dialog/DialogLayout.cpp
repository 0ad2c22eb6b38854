#include "dialog/DialogLayout.h"

#include <algorithm>

Rect DialogRegionRect(DialogRegion region, const Rect& client) {
    const int32_t l = client.left;
    const int32_t t = client.top;
    const int32_t r = client.right;
    const int32_t b = client.bottom;
    const int32_t w = r - l;
    switch (region) {
        case DialogRegion::OkButton: return Rect(t + 3, w - 78, t + 26, w - 3);
        case DialogRegion::CancelButton: return Rect(t + 26, w - 78, t + 49, w - 3);
        case DialogRegion::Preview: return Rect(t + 75, 2 * l + 310, b - 26, r - 3);
        case DialogRegion::StatusBar: return Rect(b - 20, l, b, r);
        case DialogRegion::Toolbox: return Rect(t + 53, l + 391, t + 75, l + 475);
        case DialogRegion::Thumbnail: return Rect(t, l + 310, t + 75, l + 385);
        case DialogRegion::ParameterColumn: return Rect(t + 6, l + 6, b - 26, l + 304);
        case DialogRegion::Tabs: return Rect(t + 3, l + 3, b - 26, l + 304);
    }
    return Rect();
}

Rect WithMinimumSize(const Rect& window) {
    Rect sized = window;
    sized.right = std::max(sized.right, sized.left + kDialogMinimumWidth);
    sized.bottom = std::max(sized.bottom, sized.top + kDialogMinimumHeight);
    return sized;
}
