// The system's open-file dialog as the content chooser runs it: Explorer
// style, resizable, the kind's file pattern, and the plug-in module's extra
// template 215 with a preview pane (item 4000) that shows the picture of
// the file selected.
#pragma once

#include <string>

#include "content/ContentChooserModel.h"
#include "platform/WinApi.h"

class IContentFileDialog {
public:
    // Asks for a file starting in `folder`; true with its full path in
    // `chosen` when the user confirmed one.
    virtual bool AskForFile(HWND owner, const std::string& folder, IContentChooserModel& model,
                            std::string& chosen) = 0;

protected:
    ~IContentFileDialog() = default;
};

class ContentOpenDialog final : public IContentFileDialog {
public:
    static constexpr int kTemplateId = 215;
    static constexpr int kPreviewItem = 4000;

    // While the dialog is up, IsOpen() is true and the keyboard hook is
    // suspended. When the dialog fails (rather than being cancelled) the
    // system's text for the last error is shown.
    bool AskForFile(HWND owner, const std::string& folder, IContentChooserModel& model, std::string& chosen) override;

    // Whether a modal file dialog is open in this process.
    static bool IsOpen();

    // The hook of the dialog: on a change of selection it shows the
    // selected file's preview (or clears the pane).
    static UINT_PTR CALLBACK Hook(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
    // What the hook does on a selection change, for `path` and `pane`.
    static void ShowPreview(IContentChooserModel& model, const std::string& path, HWND pane);
};
