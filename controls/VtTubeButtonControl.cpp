#include "controls/VtTubeButtonControl.h"

#include <algorithm>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/PathShortening.h"
#include "platform/ResourceStrings.h"

namespace {

constexpr int kInset = 8;
constexpr int kRowTop = 18;
constexpr int kRowHeight = 23;
constexpr int kButtonWidth = 76;
// The name field keeps this much of its width free of text.
constexpr int kNameMargin = 10;

}  // namespace

TubeButtonLayout TubeButtonLayout::For(int width, int captionWidth) {
    TubeButtonLayout layout{};
    layout.group = RECT{0, 0, width, kHeight};
    layout.button = RECT{width - kInset - kButtonWidth, kRowTop, width - kInset, kRowTop + kRowHeight};
    layout.caption = RECT{kInset, kRowTop + 4, kInset + captionWidth, kRowTop + kRowHeight};
    const int nameLeft = captionWidth > 0 ? layout.caption.right + 4 : kInset;
    layout.name = RECT{nameLeft, kRowTop + 1, layout.button.left - 6, kRowTop + kRowHeight - 1};
    return layout;
}

ResultCode VtTubeButtonControl::Create(HWND parent, const RECT& rect, int id, HFONT font, IContentChooserModel* model,
                                       IContentFileDialog* files, IUserPrompts* prompts) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::TubeButton), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    model_ = model;
    files_ = files;
    prompts_ = prompts;
    font_ = font;
    const ContentChooserKind kind = model->Kind();
    const std::string captionText = LoadResourceString(kCaptionTextId);
    SIZE captionSize{};
    MeasureText(Hwnd(), font, captionText, captionSize);
    const TubeButtonLayout layout = TubeButtonLayout::For(Width(rect), captionSize.cx);
    group_ = CreateChildWindow(L"BUTTON", LoadResourceString(kind.captionId), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0,
                               layout.group, Hwnd(), kGroupId, font);
    caption_ = CreateChildWindow(L"STATIC", captionText, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, layout.caption, Hwnd(),
                                 kCaptionId, font);
    name_ = CreateChildWindow(L"STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_CENTERIMAGE, WS_EX_CLIENTEDGE,
                              layout.name, Hwnd(), kNameId, font);
    const bool made = group_ != nullptr && caption_ != nullptr && name_ != nullptr &&
                      button_.Create(Hwnd(), layout.button, kButtonId, false, font).IsSuccess();
    if (!made) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    button_.SetCaption(LoadResourceString(kButtonLabelId));
    button_.SetClickSink(&browseSink_);
    ShowName();
    return created;
}

void VtTubeButtonControl::SetValue(const ContentRecord& value) {
    value_ = value;
    ShowName();
}

void VtTubeButtonControl::ShowName() {
    std::string path;
    if (!model_->Resolve(value_, path).IsSuccess()) path.clear();
    std::string content;
    if (model_->ContentFolder(content).IsSuccess()) path = PathWithin(path, content);
    RECT field{};
    ::GetClientRect(name_, &field);
    const int room = field.right - kNameMargin;
    // Measured with the space put in front of it below.
    const std::string shown = ShortenedPath(path, [&](const std::string& text) {
        SIZE size{};
        return MeasureText(name_, font_, " " + text, size) && size.cx <= room;
    });
    // A space in front keeps the text off the field's edge.
    SetWindowTextUtf8(name_, shown.empty() ? shown : " " + shown);
}

std::string VtTubeButtonControl::StartingFolder() {
    std::string path;
    std::string folder;
    if (model_->Resolve(value_, path).IsSuccess()) {
        const std::size_t last = path.find_last_of('\\');
        if (last != std::string::npos) folder = path.substr(0, last);
    }
    if (folder.empty() && !model_->ContentFolder(folder).IsSuccess()) folder.clear();
    if (folder.empty() || !model_->FolderExists(folder)) {
        std::string plugin;
        folder = model_->PluginFolder(plugin).IsSuccess() ? plugin : std::string();
    }
    return folder;
}

void VtTubeButtonControl::Browse() {
    std::string chosen;
    HWND owner = GetAncestor(Hwnd(), GA_ROOT);
    if (files_ == nullptr || !files_->AskForFile(owner, StartingFolder(), *model_, chosen)) return;
    ContentRecord stored = value_;
    if (!model_->Validate(chosen).IsSuccess() || !model_->Store(chosen, stored).IsSuccess()) {
        // Never stored: the previous file stays chosen.
        prompts_->ShowFailure(owner, LoadResourceString(kUnusableFileId));
        return;
    }
    value_ = stored;
    ShowName();
    if (changeSink_ != nullptr) changeSink_->Notify();
}

void VtTubeButtonControl::GetHelpText(ResultCode& out, POINT point, std::string& text) {
    out = ResultCode::Success();
    auto hit = [&](HWND child) {
        RECT area{};
        ::GetWindowRect(child, &area);
        MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&area), 2);
        return Contains(area, point.x, point.y);
    };
    const ContentChooserKind kind = model_->Kind();
    if (hit(button_.Hwnd())) text = LoadResourceString(kind.chooserHelpId);
    if (hit(name_)) text = LoadResourceString(kind.nameHelpId);
}

void VtTubeButtonControl::Enable(bool enable) {
    const BOOL on = enable ? TRUE : FALSE;
    for (HWND child : {group_, caption_, name_}) EnableWindow(child, on);
    button_.Enable(enable);
}

int VtTubeButtonControl::SetFocus() {
    ::SetFocus(button_.ButtonHwnd());
    return 1;
}
