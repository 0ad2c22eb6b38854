#include "controls/VtRandomSeedControl.h"

#include <algorithm>
#include <ctime>

#include "controls/ChildWindows.h"
#include "controls/ControlClasses.h"
#include "controls/NumberText.h"

namespace {

int32_t ClampedSeed(long long value) {
    return static_cast<int32_t>(
        std::clamp<long long>(value, VtRandomSeedControl::kMinSeed, VtRandomSeedControl::kMaxSeed));
}

}  // namespace

RandomSeedLayout RandomSeedLayout::For(const RECT& client, int labelWidth, const ParameterGrid& grid) {
    const int x0 = client.left;
    const int y0 = client.top;
    const int width = Width(client);
    RandomSeedLayout layout{};
    layout.button = RECT{x0, y0, x0 + labelWidth + 15, y0 + kHeight};
    const int editTop = y0 + (kHeight - ParameterGrid::kFieldHeight) / 2;
    layout.edit = RECT{x0 + std::max<int>(grid.ValueLeft(width), labelWidth + 17), editTop, x0 + grid.ValueRight(width),
                       editTop + ParameterGrid::kFieldHeight};
    return layout;
}

VtRandomSeedControl::VtRandomSeedControl() : generator_(static_cast<int32_t>(std::time(nullptr))) {}

ResultCode VtRandomSeedControl::Create(HWND parent, const RECT& rect, int id, HFONT font, const std::string& label) {
    const ResultCode created =
        CreateControlWindow(ControlClassAtom(ControlClass::RandomSeed), parent, rect, id, WS_EX_CONTROLPARENT);
    if (!created.IsSuccess()) return created;
    font_ = font;
    label_ = label;
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    const RandomSeedLayout layout = RandomSeedLayout::For(client, LabelWidth(), ParameterGrid::For(Hwnd(), font));
    button_ = CreateChildWindow(L"BUTTON", label, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, layout.button,
                                Hwnd(), kButtonId, font);
    if (button_ != nullptr) {
        // Scrolling sideways: a narrow field must still take a longer text.
        edit_ = CreateChildWindow(L"EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                                  WS_EX_CLIENTEDGE, layout.edit, Hwnd(), kEditId, font);
    }
    if (edit_ == nullptr) {
        ResultCode ignored;
        Release(ignored);
        return ResultCode::Failure();
    }
    SendMessageW(edit_, EM_LIMITTEXT, 255, 0);
    enterKeySink_.SetField(edit_);
    enterKey_.Add();
    SetSeed(seed_);
    return created;
}

void VtRandomSeedControl::Release(ResultCode& out) {
    enterKey_.Remove();
    out = ResultCode::Success();
}

void VtRandomSeedControl::SetSeed(int32_t seed) {
    seed_ = ClampedSeed(seed);
    SetWindowTextUtf8(edit_, std::to_string(seed_));
}

int VtRandomSeedControl::LabelWidth() {
    SIZE size{};
    if (!MeasureText(Hwnd(), font_, label_, size)) return 5;
    return size.cx;
}

void VtRandomSeedControl::Enable(bool enable) {
    const BOOL on = enable ? TRUE : FALSE;
    EnableWindow(button_, on);
    EnableWindow(edit_, on);
    VtControl::Enable(enable);
}

void VtRandomSeedControl::EditLeft() {
    const int32_t typed = ClampedSeed(ParseLeadingInteger(WindowTextUtf8(edit_)));
    // The same seed leaves the text as typed ("7abc" stays when 7 is the seed).
    if (typed == seed_) return;
    SetSeed(typed);
    if (changeSink_ != nullptr) changeSink_->Notify();
}

void VtRandomSeedControl::NewSeed() {
    // The sequence goes on from press to press; it does not restart from
    // the seed shown.
    SetSeed(1 + generator_.Next() % kLargestDrawnSeed);
    if (changeSink_ != nullptr) changeSink_->Notify();
}

LRESULT VtRandomSeedControl::OnCommand(UINT notifyCode, UINT id, HWND) {
    if (id == kEditId && notifyCode == EN_KILLFOCUS) EditLeft();
    if (id == kButtonId && notifyCode == BN_CLICKED) NewSeed();
    return 1;
}
