// The questions and messages the editors put to the user in modal windows
// of their own: a name to save under, a confirmation, a failure. Tests
// answer them without windows.
#pragma once

#include <string>

#include "platform/WinApi.h"

class IUserPrompts {
public:
    // Asks for a name in the name prompt; false when the user cancels (or
    // the prompt cannot be shown). `name` starts the field and receives the
    // answer.
    virtual bool AskName(HWND owner, const std::string& title, const std::string& text, std::string& name) = 0;
    // A Yes/No question with No as the default and a warning icon; true
    // for Yes.
    virtual bool Confirm(HWND owner, const std::string& caption, const std::string& text) = 0;
    virtual void ShowFailure(HWND owner, const std::string& text) = 0;

protected:
    ~IUserPrompts() = default;
};

// The real windows: the name prompt of the plug-in module's template 10002
// and message boxes. The keyboard hook is suspended while they are up.
class WindowsUserPrompts final : public IUserPrompts {
public:
    static constexpr int kNamePromptTemplate = 10002;

    bool AskName(HWND owner, const std::string& title, const std::string& text, std::string& name) override;
    bool Confirm(HWND owner, const std::string& caption, const std::string& text) override;
    void ShowFailure(HWND owner, const std::string& text) override;
};
