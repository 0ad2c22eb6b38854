#include "platform/ProductVersion.h"

#include "platform/BuiltInStrings.h"

std::string ProductVersion() {
    const char* version = BuiltInProductVersion();
    if (version == nullptr || version[0] == '\0') return std::string();
    return std::string(version) + " Release";
}
