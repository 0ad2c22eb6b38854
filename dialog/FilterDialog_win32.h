// FilterDialog: the modal, resizable window in which the user adjusts an
// effect: a menu bar, the parameter controls in a column on the left, the
// preview with its thumbnail and toolbox on the right, OK and Cancel at the
// top right and a status bar along the bottom. It owns the model that fills
// it, runs the 100 ms timer that polls the preview, turns menu commands and
// shortcuts into the model's operations, and makes the host calls the
// preview's worker relays to it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/EventNotifySink.h"
#include "controls/GdiHandles.h"
#include "controls/KeyboardSinks.h"
#include "controls/VtDialog.h"
#include "dialog/DappleFilterDialogModel_win32.h"
#include "dialog/IFilterDialog_win32.h"

class WindowHostCallRelay;

class FilterDialog : public VtDialog, public IFilterDialog {
public:
    static constexpr int kMenuId = 10036;
    static constexpr int kIconId = 10037;
    static constexpr UINT_PTR kTimerId = 1;
    // The timer's period while nothing is due, and while the preview waits
    // for its render or renders.
    static constexpr UINT kTimerPeriod = 100;
    static constexpr UINT kBusyTimerPeriod = 15;
    // Submenus that the dialog fills, and the fixed items each keeps.
    static constexpr int kEffectMenu = 1;
    static constexpr int kEffectMenuFixedItems = 3;
    static constexpr int kSettingsMenu = 3;
    static constexpr int kSettingsMenuFixedItems = 6;

    explicit FilterDialog(FilterDialogContext& context);
    ~FilterDialog() override;

    FilterDialogModel* Model() { return model_.get(); }
    bool MenuOpen() const { return menuOpen_; }
    // How many times the layout was redone: the dialog's own bookkeeping,
    // which tests read.
    int LayoutCount() const { return layoutCount_; }
    // Stops the timer for good (tests then tick the dialog themselves).
    void StopTimer();

    // VtDialog
    void InitDialog(ResultCode& out) override;
    LRESULT OnSize(UINT sizeType, unsigned width, unsigned height) override;
    LRESULT OnSizing(UINT edge, RECT* rect) override;
    LRESULT OnEnterSizeMove() override;
    LRESULT OnExitSizeMove() override;
    LRESULT OnTimer(UINT_PTR timerId) override;
    LRESULT OnCommand(UINT notifyCode, UINT id, HWND control) override;
    LRESULT OnDrawItem(UINT controlId, DRAWITEMSTRUCT* item) override;
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    // IFilterDialog
    HWND Window() override { return Hwnd(); }
    HFONT Font() override { return font_; }
    RECT ClientArea() override;
    RECT WindowBounds() override;
    void PlaceWindow(const RECT& bounds) override;
    void EndOK() override;
    void EndCancel() override;
    void Relayout() override;
    void SetTitle(const std::string& title) override;
    void PreviewBusy(bool busy) override;
    void ControlsNeed(int clientHeight) override;
    bool DeferUntilHostAnswered(std::function<void()> action) override;
    // The smallest window: 700 × 500, or higher where the controls need it.
    SIZE MinimumSize();
    void SetSettingsMenu(const std::vector<std::string>& first, const std::vector<std::string>& second) override;
    void SetEffectMenu(const std::vector<EffectEntry>& list) override;
    void EnableUndo(bool enable) override;
    void EnableRedo(bool enable) override;
    ResultCode EnableEffect(FilterKind kind, bool enable) override;
    void CheckEffect(FilterKind kind, bool check) override;
    void EnableEffectStepping(bool enable) override;
    void CheckViewOption(bool check) override;
    void EnableRestoreLastUsed(bool enable) override;

    // The setting a settings-menu command loads, and whether it is the
    // user's; false for an id the menu does not hold.
    bool SettingOfCommand(UINT id, std::string& name, bool& fromUser) const;

    // Runs what waited for a host call's answer (posted once the answer
    // is given, outside the range the worker's stop serves).
    static constexpr UINT kRunDeferredMessage = 0x8015;

private:
    void End(INT_PTR result);
    LRESULT AnswerHostCall(UINT message, WPARAM wparam, LPARAM lparam);
    void RunDeferred();
    void KeyEvent();
    void OnKeyDown(WPARAM key, LPARAM flags);
    void RunCommand(UINT id);
    // Hides the window while the model switches the effect.
    void SwitchEffect(ResultCode (FilterDialogModel::*step)(), FilterKind kind);
    void EditCommand(UINT message);
    void CopyCommandLine();
    void OpenHelp();
    void ShowAbout();
    void FitToScreen();
    void Tick();
    HMENU Submenu(int index) const;

    FilterDialogContext& context_;
    std::unique_ptr<DappleFilterDialogModel> model_;
    HFONT font_ = nullptr;
    IconHandle icon_;  // the window's small icon, which outlives the window
    UINT_PTR timer_ = 0;
    UINT timerPeriod_ = kTimerPeriod;
    bool menuOpen_ = false;
    bool ticking_ = false;
    int layoutCount_ = 0;
    int controlsHeight_ = 0;
    RECT sizeMoveClient_{};
    std::map<UINT, std::string> settingNames_;
    std::unique_ptr<WindowHostCallRelay> relay_;
    int answeringHostCalls_ = 0;
    std::vector<std::function<void()>> deferred_;
    MemberNotifySink<FilterDialog, &FilterDialog::KeyEvent> keyboardSink_{this};
    KeyboardSinkRegistration keys_{&keyboardSink_};
};
