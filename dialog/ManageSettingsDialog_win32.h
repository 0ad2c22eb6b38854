// The settings manager: the user's named settings of the current effect in
// a list, with buttons to rename and to delete the chosen one (template
// 10035 of the resource module). Renaming asks for the new name in the
// name prompt; deleting asks first.
#pragma once

#include <string>
#include <vector>

#include "controls/VtDialog.h"

class Filter;
class SettingsArchiver;

// Asks for a setting's name in the name prompt (template 10034), which
// takes only names the settings store can save under. False when the user
// cancels; `name` starts the field and receives the answer.
bool AskSettingName(HWND owner, int titleId, int promptId, std::string& name);

class ManageSettingsDialog : public VtDialog {
public:
    static constexpr int kTemplateId = 10035;
    static constexpr int kRenameButton = 10031;
    static constexpr int kDeleteButton = 10032;
    static constexpr int kList = 10033;
    // Resource strings: the title and the two buttons' captions; the name
    // prompt's title and text for renaming; the failures.
    static constexpr int kTitleId = 11500;
    static constexpr int kRenameCaptionId = 11501;
    static constexpr int kDeleteCaptionId = 11502;
    static constexpr int kRenameTitleId = 10740;
    static constexpr int kRenamePromptId = 10741;
    static constexpr int kRenameFailedId = 11503;
    static constexpr int kDeleteFailedId = 11504;

    // Neither is owned.
    ManageSettingsDialog(SettingsArchiver& archiver, const Filter& effect) : archiver_(archiver), effect_(effect) {}

    // Runs the dialog over `owner`; returns when the user closes it.
    void Run(HWND owner);

    void InitDialog(ResultCode& out) override;
    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;

    // The names the list shows, in order.
    std::vector<std::string> ListedNames() const;

private:
    void FillList();
    void UpdateButtons();
    // The chosen entry's index, or -1.
    int Chosen() const;
    std::string NameAt(int index) const;
    void Select(int index);
    void Rename();
    void Delete();

    SettingsArchiver& archiver_;
    const Filter& effect_;
};
