// The row of an editor that keeps its values in a library: a drop-down list
// of the stored names (picking one loads it) and Save, Rename and Delete
// buttons. It runs the library's flows: asking for names, confirming the
// replacement of an entry, reporting failures, and keeping the list, its
// selection and the buttons in step.
#pragma once

#include <string>
#include <vector>

#include "controls/Library.h"
#include "controls/UserPrompts.h"
#include "platform/WinApi.h"

class LibraryRow {
public:
    static constexpr int kListId = 20;
    static constexpr int kSaveId = 21;
    static constexpr int kRenameId = 22;
    static constexpr int kDeleteId = 23;
    // String resources: the three button captions, the confirmation of a
    // replacement (caption, text with the name), the prompt of a rename,
    // and the help over list and buttons.
    static constexpr int kSaveCaptionId = 11240;
    static constexpr int kRenameCaptionId = 11241;
    static constexpr int kDeleteCaptionId = 11242;
    static constexpr int kListHelpId = 11243;
    static constexpr int kReplaceCaptionId = 10710;
    static constexpr int kReplaceTextId = 10711;
    static constexpr int kRenameTitleId = 10740;
    static constexpr int kRenameTextId = 10741;
    static constexpr int kHeight = 23;

    // Makes the row's windows in `parent` over `row` (parent client
    // coordinates) and fills the list. `entries` and `prompts` are not owned.
    bool Create(HWND parent, const RECT& row, HFONT font, const LibraryTexts& texts, ILibraryEntries* entries,
                IUserPrompts* prompts);

    // The parent's WM_COMMAND; true when it was one of the row's.
    bool OnCommand(UINT notifyCode, UINT id);
    void Enable(bool enable);
    // The help text over `point` (parent client coordinates); false over
    // none of the row's windows.
    bool HelpAt(POINT point, std::string& text) const;

    void Fill();
    void Save();
    void Rename();
    void Delete();
    void Load();

    HWND ListHwnd() const { return list_; }
    HWND ButtonHwnd(int id) const { return GetDlgItem(parent_, id); }
    std::vector<std::string> Rows() const;
    // The selected row's name; empty with none.
    std::string Selected() const;

private:
    int FindRow(const std::string& name) const;
    void SelectRow(int index);
    bool ConfirmReplace(const std::string& name);
    void Fail(int textId, const std::string& name);

    HWND parent_ = nullptr;
    HWND list_ = nullptr;
    LibraryTexts texts_{};
    ILibraryEntries* entries_ = nullptr;
    IUserPrompts* prompts_ = nullptr;
    bool enabled_ = true;
};
