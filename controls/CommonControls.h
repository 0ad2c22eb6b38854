// The common controls header (spinners, tabs, status bar), which needs
// <windows.h> before it.
#pragma once

#include "platform/WinApi.h"

#include <commctrl.h>
