// The filter dialog window as its model drives it: ending the dialog, its
// menus and their states, its layout.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/FilterKind.h"
#include "base/ResultCode.h"
#include "dialog/EffectList.h"
#include "platform/WinApi.h"

class IFilterDialog {
public:
    // The dialog's window: parent of the controls, owner of message boxes.
    virtual HWND Window() = 0;
    virtual HFONT Font() = 0;
    virtual RECT ClientArea() = 0;
    // The window's place on the screen; PlaceWindow ignores a rectangle
    // smaller than the dialog's minimum or off the screen.
    virtual RECT WindowBounds() = 0;
    virtual void PlaceWindow(const RECT& bounds) = 0;

    // End the dialog with 0 (confirmed) or 1 (cancelled).
    virtual void EndOK() = 0;
    virtual void EndCancel() = 0;
    virtual void Relayout() = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // The preview waits for a render or renders: the timer polls it often
    // then, so that the render starts and shows without delay.
    virtual void PreviewBusy(bool busy) = 0;
    // The parameter controls need a client area this high: the window grows
    // to it and is not made smaller.
    virtual void ControlsNeed(int clientHeight) = 0;
    // While the window answers a host call that the preview's worker
    // relayed, the worker waits for that answer and cannot be stopped; a
    // host that keeps its windows going meanwhile can let the user's clicks
    // through. True: `action` is kept and runs once the answer is given.
    // False: nothing stands in the way, and the caller goes on itself.
    virtual bool DeferUntilHostAnswered(std::function<void()> action) = 0;

    // Below the fixed items of the settings menu: the user's setting names
    // (commands 6000 + i), a separator, the factory's (7000 + i).
    virtual void SetSettingsMenu(const std::vector<std::string>& first, const std::vector<std::string>& second) = 0;
    // Below the fixed items of the effect menu: one command 4000 + kind per
    // entry.
    virtual void SetEffectMenu(const std::vector<EffectEntry>& list) = 0;
    virtual void EnableUndo(bool enable) = 0;
    virtual void EnableRedo(bool enable) = 0;
    // -1 when the window has no menu.
    virtual ResultCode EnableEffect(FilterKind kind, bool enable) = 0;
    virtual void CheckEffect(FilterKind kind, bool check) = 0;
    virtual void EnableEffectStepping(bool enable) = 0;
    virtual void CheckViewOption(bool check) = 0;
    virtual void EnableRestoreLastUsed(bool enable) = 0;

protected:
    ~IFilterDialog() = default;
};
