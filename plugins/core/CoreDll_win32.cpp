// The core library's Windows side: when the DLL is loaded, the Win32 user
// interface takes its place behind the portable core: the about box and the
// filter dialog.
#include "dialog/FilterDialogRunner.h"
#include "host/AboutBox.h"
#include "plugins/core/AboutDialog_win32.h"

namespace {

struct InstallWindowsInterface {
    InstallWindowsInterface() {
        SetAboutBoxPresenter(RunAboutDialog);
        InstallFilterDialogWindow();
    }
};

const InstallWindowsInterface gInstalled;

}  // namespace
