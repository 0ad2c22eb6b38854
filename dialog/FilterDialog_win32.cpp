#include "dialog/FilterDialog_win32.h"

#include <algorithm>

#include "controls/ChildWindows.h"
#include "controls/KeyboardHook.h"
#include "controls/ToolkitInstance.h"
#include "controls/VtStatusBarControl.h"
#include "dialog/DialogLayout.h"
#include "dialog/PreviewModel.h"
#include "host/WindowHostCallRelay_win32.h"
#include "platform/TextEncoding.h"

namespace {

// The window's size when it opens: large enough for the controls and a
// good preview, never beyond most of the screen.
constexpr int kOpeningWidth = 980;
constexpr int kOpeningHeight = 700;

}  // namespace

FilterDialog::FilterDialog(FilterDialogContext& context) : context_(context) {}

FilterDialog::~FilterDialog() {
    if (timer_ != 0 && Hwnd() != nullptr) KillTimer(Hwnd(), timer_);
    keys_.Remove();
    // The worker may relay host calls to this window until it stops.
    if (model_ != nullptr && model_->Preview() != nullptr) model_->Preview()->StopWorker();
    relay_.reset();
    model_.reset();
}

void FilterDialog::InitDialog(ResultCode& out) {
    out = ResultCode::Success();
    relay_ = std::make_unique<WindowHostCallRelay>(Hwnd());
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    // Ours to destroy: a host may run the dialog a thousand times.
    icon_.Reset(static_cast<HICON>(
        LoadImageW(ToolkitInstance(), MAKEINTRESOURCEW(kIconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    if (icon_) SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
    FitToScreen();
    keys_.Add();
    model_ = std::make_unique<DappleFilterDialogModel>(*this, context_);
    out = model_->Initialize();
    if (out.IsFailure()) return;
    SendMessageW(Hwnd(), DM_REPOSITION, 0, 0);
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
    timerPeriod_ = kTimerPeriod;
    timer_ = SetTimer(Hwnd(), kTimerId, timerPeriod_, nullptr);
    if (timer_ != 0 && model_->Preview() != nullptr) PreviewBusy(model_->Preview()->State() == PreviewState::Dirty);
    if (timer_ == 0) out = ResultCode::Failure();
}

void FilterDialog::FitToScreen() {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) work = RECT{0, 0, 1024, 768};
    const int width = std::max(kDialogMinimumWidth, std::min<int>(kOpeningWidth, Width(work) * 9 / 10));
    const int height = std::max(kDialogMinimumHeight, std::min<int>(kOpeningHeight, Height(work) * 9 / 10));
    SetWindowPos(Hwnd(), nullptr, work.left + (Width(work) - width) / 2, work.top + (Height(work) - height) / 2, width,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT FilterDialog::ClientArea() {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    return client;
}

void FilterDialog::StopTimer() {
    if (timer_ != 0) KillTimer(Hwnd(), timer_);
    timer_ = 0;
}

void FilterDialog::PreviewBusy(bool busy) {
    const UINT period = busy ? kBusyTimerPeriod : kTimerPeriod;
    if (timer_ == 0 || period == timerPeriod_) return;
    timerPeriod_ = period;
    timer_ = SetTimer(Hwnd(), kTimerId, period, nullptr);
}

RECT FilterDialog::WindowBounds() {
    RECT window{};
    ::GetWindowRect(Hwnd(), &window);
    return window;
}

void FilterDialog::PlaceWindow(const RECT& bounds) {
    if (Width(bounds) < kDialogMinimumWidth || Height(bounds) < kDialogMinimumHeight) return;
    if (MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) == nullptr) return;
    SetWindowPos(Hwnd(), nullptr, bounds.left, bounds.top, Width(bounds), Height(bounds),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FilterDialog::End(INT_PTR result) {
    StopTimer();
    keys_.Remove();
    EndDialog(Hwnd(), result);
}

void FilterDialog::EndOK() { End(0); }

void FilterDialog::EndCancel() { End(1); }

void FilterDialog::Relayout() {
    if (model_ == nullptr) return;
    ++layoutCount_;
    model_->Relayout();
}

void FilterDialog::SetTitle(const std::string& title) { SetWindowTextUtf8(Hwnd(), title); }

LRESULT FilterDialog::OnSize(UINT, unsigned, unsigned) {
    if (model_ == nullptr) return 0;
    // While the frame is dragged the controls follow; the preview is framed
    // again once the drag ends.
    if (InSizeMove()) {
        model_->PlaceFixedControls();
    } else {
        Relayout();
    }
    return 0;
}

SIZE FilterDialog::MinimumSize() {
    RECT window{};
    RECT client{};
    ::GetWindowRect(Hwnd(), &window);
    ::GetClientRect(Hwnd(), &client);
    const int frameHeight = Height(window) - Height(client);
    return SIZE{kDialogMinimumWidth, std::max(kDialogMinimumHeight, controlsHeight_ + frameHeight)};
}

void FilterDialog::ControlsNeed(int clientHeight) {
    controlsHeight_ = clientHeight;
    const SIZE minimum = MinimumSize();
    RECT window{};
    ::GetWindowRect(Hwnd(), &window);
    if (Height(window) >= minimum.cy) return;
    SetWindowPos(Hwnd(), nullptr, 0, 0, Width(window), minimum.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(Hwnd(), DM_REPOSITION, 0, 0);
}

LRESULT FilterDialog::OnSizing(UINT, RECT* rect) {
    if (rect == nullptr) return 0;
    const SIZE minimum = MinimumSize();
    const Rect sized = WithMinimumSize(Rect(rect->top, rect->left, rect->bottom, rect->right));
    rect->right = sized.right;
    rect->bottom = std::max<LONG>(sized.bottom, rect->top + minimum.cy);
    return TRUE;
}

LRESULT FilterDialog::OnEnterSizeMove() {
    sizeMoveClient_ = ClientArea();
    return 0;
}

LRESULT FilterDialog::OnExitSizeMove() {
    const RECT now = ClientArea();
    if (!EqualRect(&sizeMoveClient_, &now)) Relayout();
    return 0;
}

LRESULT FilterDialog::OnTimer(UINT_PTR timerId) {
    if (timerId == kTimerId) Tick();
    return 0;
}

void FilterDialog::Tick() {
    // A tick that shows a message box lets further ticks through its
    // message loop; they wait for it.
    if (ticking_ || InSizeMove() || model_ == nullptr) return;
    ticking_ = true;
    if (GetForegroundWindow() == Hwnd() && !menuOpen_) {
        POINT cursor{};
        if (GetCursorPos(&cursor)) model_->UpdateHelpText(cursor);
    }
    model_->PollPreview();
    ticking_ = false;
}

LRESULT FilterDialog::OnDrawItem(UINT controlId, DRAWITEMSTRUCT* item) {
    if (controlId == FilterDialogModel::kStatusBarId && item != nullptr && model_ != nullptr &&
        model_->StatusBar() != nullptr) {
        model_->StatusBar()->DrawProgress(*item);
    }
    return 0;
}

LRESULT FilterDialog::AnswerHostCall(UINT message, WPARAM wparam, LPARAM lparam) {
    ++answeringHostCalls_;
    const LRESULT answer = AnswerHostCallMessage(message, wparam, lparam);
    --answeringHostCalls_;
    // What waited runs once this answer has reached the worker.
    if (answeringHostCalls_ == 0 && !deferred_.empty()) PostMessageW(Hwnd(), kRunDeferredMessage, 0, 0);
    return answer;
}

bool FilterDialog::DeferUntilHostAnswered(std::function<void()> action) {
    if (answeringHostCalls_ == 0) return false;
    deferred_.push_back(std::move(action));
    return true;
}

void FilterDialog::RunDeferred() {
    // Another answer under way posts this message again when it is given.
    if (answeringHostCalls_ > 0) return;
    std::vector<std::function<void()>> waiting;
    waiting.swap(deferred_);
    for (const std::function<void()>& action : waiting) action();
}

LRESULT FilterDialog::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (IsHostCallMessage(message)) return AnswerHostCall(message, wparam, lparam);
    if (message == kRunDeferredMessage) {
        RunDeferred();
        return 0;
    }
    switch (message) {
        case WM_ENTERMENULOOP: menuOpen_ = true; break;
        case WM_EXITMENULOOP: menuOpen_ = false; break;
        case WM_KEYDOWN:
            if (!DeferUntilHostAnswered([this, wparam, lparam] { OnKeyDown(wparam, lparam); })) {
                OnKeyDown(wparam, lparam);
            }
            break;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            const SIZE minimum = MinimumSize();
            info->ptMinTrackSize = POINT{minimum.cx, minimum.cy};
            break;
        }
        default: break;
    }
    return 0;
}
