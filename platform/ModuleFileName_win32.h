// The full path of a loaded module's file, for the Windows-only parts of the
// platform layer.
#pragma once

#include <string>

#include "platform/WinApi.h"

// `module` null names the program. Long paths can exceed MAX_PATH, so the
// buffer grows until the name fits. Empty when the name cannot be read.
std::wstring ModuleFileName(HMODULE module);
