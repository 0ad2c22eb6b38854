// The Windows dialog tests' common ground: an effect run through the entry
// by the in-process host as a host does when the user picks the effect from
// its menu, with the real dialog; the test's script runs inside the
// dialog's message loop once the dialog is up, and drives it with window
// messages. The dialog's own timer is stopped: the script ticks it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "DialogProbe.h"
#include "controls/VtButtonControl.h"
#include "controls/VtSliderContainerControl.h"
#include "dialog/FilterDialog_win32.h"
#include "dialog/PreviewModel.h"
#include "host/FilterFactory.h"
#include "inprocesshost/InProcessHost.h"
#include "platform/ResourceStrings.h"
#include "platform/Warning.h"
#include "settings/SettingsFolders.h"

class FilterDialogTest : public testing::Test {
protected:
    // The kinds the probe stands in for (the effect switching tests need two).
    static constexpr FilterKind kProbeKind = FilterKinds::Patchwork;
    static constexpr FilterKind kOtherProbeKind = FilterKinds::Resurface;

    FilterDialogTest();
    ~FilterDialogTest() override;

    // Runs `kind` with its dialog; `script` gets the dialog once it is up.
    // A script that does not end the dialog has it cancelled afterwards.
    RunOutcome RunWithDialog(FilterKind kind, const std::function<void(FilterDialog&)>& script);

    // One tick of the dialog's timer, as the system would send it.
    static void Tick(FilterDialog& dialog);
    // Ticks until the preview's render has ended (at most a few seconds).
    static void TickUntilRendered(FilterDialog& dialog);
    // Waits (serving messages) until the worker's probe render has begun.
    static void WaitForRenderStart(int renders);
    // Sends a menu command.
    static void Command(FilterDialog& dialog, UINT id);
    // Keys as the user presses them: through the system's input queue to
    // the focused window, taken by the dialog manager's loop
    // (IsDialogMessage) as the dialog's own loop takes them. The chord's
    // keys go down in order and come up in reverse.
    static void PressKeys(FilterDialog& dialog, std::initializer_list<WORD> chord);
    // Lower-case letters and digits, typed one by one.
    static void TypeKeys(FilterDialog& dialog, const std::string& text);
    // Serves the dialog's messages as its modal loop does, until the input
    // sent has been taken and nothing is left to do.
    static void RunDialogLoop(FilterDialog& dialog);
    // The control of the current effect's parameter with `key`.
    template <class Control>
    static Control& ControlOf(FilterDialog& dialog, uint32_t key) {
        for (const ParameterControl& bound : dialog.Model()->Controls()) {
            if (bound.parameter->HasKey(key)) return *dynamic_cast<Control*>(bound.window.get());
        }
        throw std::logic_error("no such control");
    }
    // The slider of the probe's amount, and a typed change of it.
    static VtSliderContainerControl& AmountSlider(FilterDialog& dialog);
    static void TypeAmount(FilterDialog& dialog, const std::wstring& text);
    static DialogProbeRecord& Record(FilterDialog& dialog);
    static bool MenuItemEnabled(FilterDialog& dialog, UINT id);

    // Answers the next modal windows that come up over the dialog (name
    // prompts, questions, the settings manager), one action each, in order;
    // each action gets the window.
    static void AnswerDialogs(std::vector<std::function<void(HWND)>> actions);
    static std::function<void(HWND)> TypeName(const std::wstring& name);
    static std::function<void(HWND)> Press(UINT id);
    // Serves messages until every answer was given.
    static void UntilAnswered();
    // A new host in place of the old one, as when the user starts the host
    // program again: the parameters it kept are gone.
    void RestartHost();

    // The in-process host's record of the probe after a run.
    DialogProbeRecord StoredRecord(FilterKind kind);
    void StoreRecord(FilterKind kind, const DialogProbeRecord& record);

    // The user's and the plug-in's folders of the dialog's settings: a
    // scratch folder of the test's own.
    std::filesystem::path UserFolder() const { return root_ / "user"; }
    std::filesystem::path PluginFolder() const { return root_ / "plugin"; }

    InProcessHost host;
    std::vector<std::string> warnings;

private:
    std::filesystem::path root_;
    std::unique_ptr<GivenSettingsFolders> folders_;
    ScopedFilterOverride probe_;
    ScopedFilterOverride otherProbe_;
    WarningSink previousSink_;
};
