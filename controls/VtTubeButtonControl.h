// VtTubeButtonControl: the content chooser of a content parameter (picture
// tube, frame, tile library, texture). A group captioned with the kind, the
// chosen file's name (shortened to fit: the start of its path, an ellipsis
// and the last folders), and a button that opens the system's open-file
// dialog with a preview of each file. A file that fails the content check
// is never taken: the user is told and the previous file stays.
#pragma once

#include <string>

#include "content/ContentChooserModel.h"
#include "controls/ContentOpenDialog.h"
#include "controls/EventNotifySink.h"
#include "controls/IControl.h"
#include "controls/UserPrompts.h"
#include "controls/VtButtonControl.h"
#include "controls/VtControl.h"

class ITubeButtonControl {
public:
    // Not owned; told after the user picks a file.
    virtual void SetChangeSink(EventNotifySink* sink) = 0;
    virtual ContentRecord GetValue() = 0;
    // The whole record; the name shown follows. No notification.
    virtual void SetValue(const ContentRecord& value) = 0;
    virtual int PreferredHeight() = 0;

protected:
    ~ITubeButtonControl() = default;
};

struct TubeButtonLayout {
    static constexpr int kHeight = 50;
    RECT group;
    RECT caption;
    RECT name;
    RECT button;
    static TubeButtonLayout For(int width, int captionWidth);
};

class VtTubeButtonControl : public VtControl, public ITubeButtonControl, public ICompoundControl {
public:
    static constexpr int kGroupId = 1;
    static constexpr int kCaptionId = 2;
    static constexpr int kNameId = 3;
    static constexpr int kButtonId = 4;
    // String resources: the button's label, the refusal of a file.
    static constexpr int kButtonLabelId = 7348;
    static constexpr int kUnusableFileId = 10033;
    static constexpr int kCaptionTextId = 11250;

    // `model`, `files` and `prompts` are not owned.
    ResultCode Create(HWND parent, const RECT& rect, int id, HFONT font, IContentChooserModel* model,
                      IContentFileDialog* files, IUserPrompts* prompts);

    void SetChangeSink(EventNotifySink* sink) override { changeSink_ = sink; }
    ContentRecord GetValue() override { return value_; }
    void SetValue(const ContentRecord& value) override;
    int PreferredHeight() override { return TubeButtonLayout::kHeight; }

    // Over the button the kind's help on choosing, over the name its help
    // on the file in use.
    void GetHelpText(ResultCode& out, POINT point, std::string& text) override;
    using VtControl::GetHelpText;

    void Enable(bool enable) override;
    using VtControl::Enable;
    int SetFocus() override;

    // The button's click: asks for a file and takes it if it passes.
    void Browse();
    // Where the open dialog starts for the current value.
    std::string StartingFolder();

    HWND NameHwnd() const { return name_; }
    VtButtonControl& Button() { return button_; }

private:
    void ShowName();

    ContentRecord value_{};
    IContentChooserModel* model_ = nullptr;
    IContentFileDialog* files_ = nullptr;
    IUserPrompts* prompts_ = nullptr;
    HWND group_ = nullptr;
    HWND caption_ = nullptr;
    HWND name_ = nullptr;
    HFONT font_ = nullptr;
    VtButtonControl button_;
    EventNotifySink* changeSink_ = nullptr;
    MemberNotifySink<VtTubeButtonControl, &VtTubeButtonControl::Browse> browseSink_{this};
};
