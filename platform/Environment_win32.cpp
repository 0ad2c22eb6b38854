// The wide environment, so that a folder named in any script survives.
#include <cstdlib>
#include <string>

#include "platform/Environment.h"
#include "platform/TextEncoding.h"

std::string EnvironmentValue(const char* name) {
    const std::wstring wideName = WideFromUtf8(name);
    const wchar_t* value = _wgetenv(wideName.c_str());
    return value != nullptr ? Utf8FromWide(value) : std::string();
}
