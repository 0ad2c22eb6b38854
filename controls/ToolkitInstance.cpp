#include "controls/ToolkitInstance.h"

#include "platform/ResourceStrings.h"

HINSTANCE ToolkitInstance() {
    if (void* module = ResourceModule()) return static_cast<HINSTANCE>(module);
    return GetModuleHandleW(nullptr);
}
