#include "platform/HostIdentity.h"

#include "platform/ModuleFileName_win32.h"
#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

std::string HostExecutablePath() { return Utf8FromWide(ModuleFileName(nullptr)); }
