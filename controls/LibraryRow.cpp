#include "controls/LibraryRow.h"

#include <algorithm>

#include "controls/ChildWindows.h"
#include "platform/ResourceStrings.h"
#include "platform/TextEncoding.h"

namespace {

constexpr int kGap = 4;
constexpr int kButtonPadding = 16;
constexpr int kListHeight = 200;  // with the list dropped

}  // namespace

bool LibraryRow::Create(HWND parent, const RECT& row, HFONT font, const LibraryTexts& texts, ILibraryEntries* entries,
                        IUserPrompts* prompts) {
    parent_ = parent;
    texts_ = texts;
    entries_ = entries;
    prompts_ = prompts;
    // Buttons at the right, as wide as their captions; the list takes the rest.
    int right = row.right;
    const int ids[] = {kDeleteId, kRenameId, kSaveId};
    const int captions[] = {kDeleteCaptionId, kRenameCaptionId, kSaveCaptionId};
    for (int i = 0; i < 3; ++i) {
        const std::string caption = LoadResourceString(captions[i]);
        SIZE size{};
        MeasureText(parent, font, caption, size);
        const int width = std::max<int>(size.cx + kButtonPadding, 50);
        HWND button = CreateChildWindow(L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                                        RECT{right - width, row.top, right, row.top + kHeight}, parent, ids[i], font);
        if (button == nullptr) return false;
        right -= width + kGap;
    }
    list_ = CreateChildWindow(L"COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                              RECT{row.left, row.top + 1, std::max<LONG>(row.left + 1, right), row.top + kListHeight},
                              parent, kListId, font);
    if (list_ == nullptr) return false;
    Fill();
    return true;
}

std::vector<std::string> LibraryRow::Rows() const {
    std::vector<std::string> rows;
    const LRESULT count = SendMessageW(list_, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list_, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(list_, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        rows.push_back(Utf8FromWide(text));
    }
    return rows;
}

std::string LibraryRow::Selected() const {
    const LRESULT index = SendMessageW(list_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return std::string();
    return Rows()[static_cast<std::size_t>(index)];
}

int LibraryRow::FindRow(const std::string& name) const {
    const std::vector<std::string> rows = Rows();
    const auto found = std::find(rows.begin(), rows.end(), name);
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

void LibraryRow::SelectRow(int index) {
    SendMessageW(list_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // Rename and delete need a chosen entry.
    const BOOL chosen = enabled_ && index >= 0 ? TRUE : FALSE;
    EnableWindow(ButtonHwnd(kRenameId), chosen);
    EnableWindow(ButtonHwnd(kDeleteId), chosen);
}

void LibraryRow::Fill() {
    SendMessageW(list_, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> names;
    entries_->List(names);
    for (const std::string& name : names)
        SendMessageW(list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(name).c_str()));
    SelectRow(-1);
}

void LibraryRow::Fail(int textId, const std::string& name) {
    prompts_->ShowFailure(parent_, WithName(LoadResourceString(textId), name));
}

bool LibraryRow::ConfirmReplace(const std::string& name) {
    return prompts_->Confirm(parent_, LoadResourceString(kReplaceCaptionId),
                             WithName(LoadResourceString(kReplaceTextId), name));
}

void LibraryRow::Save() {
    std::string name = Selected();
    if (!prompts_->AskName(parent_, LoadResourceString(texts_.saveTitle), LoadResourceString(texts_.saveText), name))
        return;
    bool exists = false;
    if (!entries_->Exists(name, exists).IsSuccess()) return Fail(texts_.saveFailed, name);
    if (exists && !ConfirmReplace(name)) return;
    if (!entries_->SaveCurrent(name).IsSuccess()) return Fail(texts_.saveFailed, name);
    int row = FindRow(name);
    if (row < 0) {
        // Appended where the user sees it; the next fill sorts it in.
        row = static_cast<int>(
            SendMessageW(list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(name).c_str())));
    }
    SelectRow(row);
}

void LibraryRow::Delete() {
    const LRESULT index = SendMessageW(list_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return Fail(texts_.deleteFailed, std::string());
    const std::string name = Selected();
    if (!entries_->Delete(name).IsSuccess()) return Fail(texts_.deleteFailed, name);
    SendMessageW(list_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SelectRow(-1);
}

void LibraryRow::Rename() {
    const LRESULT index = SendMessageW(list_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return Fail(texts_.renameFailed, std::string());
    const std::string oldName = Selected();
    std::string newName = oldName;
    if (!prompts_->AskName(parent_, LoadResourceString(kRenameTitleId), LoadResourceString(kRenameTextId), newName))
        return;
    if (newName == oldName) return;
    bool exists = false;
    if (!entries_->Exists(newName, exists).IsSuccess()) return Fail(texts_.renameFailed, newName);
    if (exists) {
        if (!ConfirmReplace(newName)) return;
        if (!entries_->Delete(newName).IsSuccess()) return Fail(texts_.renameFailed, newName);
        const int replaced = FindRow(newName);
        if (replaced >= 0) SendMessageW(list_, CB_DELETESTRING, static_cast<WPARAM>(replaced), 0);
    }
    if (!entries_->Rename(oldName, newName).IsSuccess()) {
        Fill();
        return Fail(texts_.renameFailed, newName);
    }
    const int row = FindRow(oldName);
    SendMessageW(list_, CB_DELETESTRING, static_cast<WPARAM>(row), 0);
    SendMessageW(list_, CB_INSERTSTRING, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(WideFromUtf8(newName).c_str()));
    SelectRow(row);
}

void LibraryRow::Load() {
    const std::string name = Selected();
    SelectRow(FindRow(name));
    if (name.empty()) return;
    if (!entries_->LoadCurrent(name).IsSuccess()) Fail(texts_.loadFailed, name);
}

bool LibraryRow::OnCommand(UINT notifyCode, UINT id) {
    switch (id) {
        case kListId:
            if (notifyCode == CBN_SELCHANGE) Load();
            return true;
        case kSaveId:
            if (notifyCode == BN_CLICKED) Save();
            return true;
        case kRenameId:
            if (notifyCode == BN_CLICKED) Rename();
            return true;
        case kDeleteId:
            if (notifyCode == BN_CLICKED) Delete();
            return true;
        default: return false;
    }
}

void LibraryRow::Enable(bool enable) {
    enabled_ = enable;
    EnableWindow(list_, enable ? TRUE : FALSE);
    EnableWindow(ButtonHwnd(kSaveId), enable ? TRUE : FALSE);
    SelectRow(static_cast<int>(SendMessageW(list_, CB_GETCURSEL, 0, 0)));
}

bool LibraryRow::HelpAt(POINT point, std::string& text) const {
    const int ids[] = {kListId, kSaveId, kRenameId, kDeleteId};
    for (int i = 0; i < 4; ++i) {
        RECT area{};
        GetWindowRect(GetDlgItem(parent_, ids[i]), &area);
        MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&area), 2);
        if (Contains(area, point.x, point.y)) {
            text = LoadResourceString(kListHelpId + i);
            return true;
        }
    }
    return false;
}
