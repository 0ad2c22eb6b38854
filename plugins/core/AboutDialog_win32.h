// DappleAboutDialog: the family's about box (dialog template 122 of the
// resource module), showing the module's product version.
#pragma once

#include <string>

#include "controls/VtDialog.h"

class DappleAboutDialog : public VtDialog {
public:
    explicit DappleAboutDialog(std::string productVersion) : productVersion_(std::move(productVersion)) {}

    void InitDialog(ResultCode& out) override;
    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;

private:
    std::string productVersion_;
};

// Shows the about box modally over `parent` (may be null).
void RunAboutDialog(void* parent, const std::string& productVersion);
