// The name prompt: a small modal dialog from a template of the plug-in
// module with a prompt text (item 10029), a name field (item 10030), OK and
// Cancel. Used to name a saved setting, gradient or bevel profile.
#pragma once

#include <functional>
#include <string>

#include "controls/VtDialog.h"

class NamePromptDialog : public VtDialog {
public:
    static constexpr int kPromptItem = 10029;
    static constexpr int kNameItem = 10030;

    // Captions of the two buttons, resource strings.
    static constexpr int kOkCaptionId = 10752;
    static constexpr int kCancelCaptionId = 10751;
    // The longest name the field hands back.
    static constexpr std::size_t kMaxNameLength = 255;

    NamePromptDialog(std::string title, std::string prompt, std::string name);

    // OK then takes only names `accepts` takes; for others the message
    // `messageId` is shown and the prompt stays open.
    void AcceptOnly(std::function<bool(const std::string&)> accepts, int messageId);

    // Runs the dialog from `templateId`; true when the user confirmed, with
    // the typed name in Name().
    bool Ask(HWND owner, int templateId);
    const std::string& Name() const { return name_; }

    void InitDialog(ResultCode& out) override;
    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;

private:
    std::string title_;
    std::string prompt_;
    std::string name_;
    std::function<bool(const std::string&)> accepts_;
    int refusalId_ = 0;
};
