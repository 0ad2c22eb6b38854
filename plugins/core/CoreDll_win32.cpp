// The core library's Windows side: when the DLL is loaded, the Win32 user
// interface takes its place behind the portable core (the about box; the
// filter dialog installs itself the same way).
#include "host/AboutBox.h"
#include "plugins/core/AboutDialog_win32.h"

namespace {

struct InstallWindowsInterface {
    InstallWindowsInterface() { SetAboutBoxPresenter(RunAboutDialog); }
};

const InstallWindowsInterface gInstalled;

}  // namespace
