// The module whose resources the toolkit uses and under which it registers
// its window classes: the plug-in module given to SetResourceHandle, or the
// program itself before one was given (tests, tools).
#pragma once

#include "platform/WinApi.h"

HINSTANCE ToolkitInstance();
