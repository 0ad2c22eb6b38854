#include "base/FilterKind.h"
#include "host/AboutBox.h"
#include "host/Selectors.h"

void RunAboutSelector(void* aboutRecord, FilterKind kind) {
    if (kind != FilterKinds::BorderStamp) return;
    void* parent = nullptr;
    const ps::AboutRecord* about = static_cast<const ps::AboutRecord*>(aboutRecord);
    if (about != nullptr && about->platformData != nullptr) {
        parent = reinterpret_cast<void*>(static_cast<const ps::PlatformData*>(about->platformData)->hwnd);
    }
    ShowAboutBox(parent);
}
