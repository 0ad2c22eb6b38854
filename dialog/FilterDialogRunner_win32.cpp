#include "dialog/FilterDialogRunner.h"

#include <cstring>
#include <new>
#include <vector>

#include "controls/ControlClasses.h"
#include "controls/KeyboardHook.h"
#include "controls/ToolkitInstance.h"
#include "controls/VtWindow.h"
#include "dialog/DialogDocument.h"
#include "dialog/FilterDialog_win32.h"
#include "filters/Filter.h"
#include "host/DialogRunner.h"
#include "host/ImageFacts.h"
#include "host/RunRecord.h"

namespace {

FilterDialog* gCurrentDialog = nullptr;
const ISettingsFolders* gSettingsFolders = nullptr;

// The dialog is current for its lifetime.
class CurrentDialogScope {
public:
    explicit CurrentDialogScope(FilterDialog* dialog) : previous_(gCurrentDialog) { gCurrentDialog = dialog; }
    ~CurrentDialogScope() { gCurrentDialog = previous_; }
    CurrentDialogScope(const CurrentDialogScope&) = delete;
    CurrentDialogScope& operator=(const CurrentDialogScope&) = delete;

private:
    FilterDialog* previous_;
};

// The dialog's template, made in memory: a resizable popup with a caption,
// the menu of the resource module and no items (the model makes the
// controls). The size is a first guess; the dialog sizes itself to the
// screen when it opens.
std::vector<WORD> DialogTemplate() {
    constexpr DWORD kStyle =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | DS_CENTER | DS_SETFONT;
    constexpr short kWidth = 700;
    constexpr short kHeight = 500;
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE header{};
    header.style = kStyle;
    header.cdit = 0;
    header.cx = kWidth;
    header.cy = kHeight;
    std::memcpy(words.data(), &header, sizeof header);
    words.push_back(0xFFFF);  // the menu, by resource id
    words.push_back(static_cast<WORD>(FilterDialog::kMenuId));
    words.push_back(0);  // the default dialog class
    words.push_back(0);  // no title yet
    words.push_back(8);  // the font of the dialog units
    for (wchar_t c : std::wstring(L"MS Shell Dlg")) words.push_back(static_cast<WORD>(c));
    words.push_back(0);
    return words;
}

// Registration of the control classes and the keyboard hook for the
// dialog's life.
class DialogEnvironment {
public:
    DialogEnvironment() {
        classes_ = RegisterControlClasses();
        if (classes_.IsSuccess()) hook_ = KeyboardHook::Install();
    }
    ~DialogEnvironment() {
        if (hook_.IsSuccess() && classes_.IsSuccess()) KeyboardHook::Uninstall();
        UnregisterControlClasses();
    }
    DialogEnvironment(const DialogEnvironment&) = delete;
    DialogEnvironment& operator=(const DialogEnvironment&) = delete;

    ResultCode Status() const { return classes_.IsFailure() ? classes_ : hook_; }

private:
    ResultCode classes_;
    ResultCode hook_ = ResultCode::Failure();
};

}  // namespace

ResultCode RunFilterDialogWindow(Filter& filter, ParameterBlock& block, RunRecord& run, ps::FilterRecord& record) {
    try {
        DialogDocument document(record, run);
        ResultCode result = document.Read();
        if (result.IsFailure()) return result;

        FilterDialogContext context;
        context.record = &record;
        context.run = &run;
        context.filter = &filter;
        context.block = &block;
        context.document = document.ForRun();
        context.settingsFolders = gSettingsFolders;
        context.documentFor = [&document](const Filter& effect, PreviewDocument& shown) {
            return document.ForEffect(effect, shown);
        };

        std::unique_ptr<Filter> chosen;
        {
            DialogEnvironment environment;
            if (environment.Status().IsFailure()) return environment.Status();
            const std::vector<WORD> words = DialogTemplate();
            FilterDialog dialog(context);
            const CurrentDialogScope current(&dialog);
            const INT_PTR ended = DialogBoxIndirectParamW(
                ToolkitInstance(), reinterpret_cast<const DLGTEMPLATE*>(words.data()),
                static_cast<HWND>(HostParentWindow(record)), VtDialogProc, reinterpret_cast<LPARAM>(&dialog));
            if (ended == 1) return ResultCode::Cancelled();
            if (ended != 0) return ResultCode(ended == -1 ? ResultCode::kFailure : static_cast<int32_t>(ended));
            if (dialog.Model() == nullptr) return ResultCode::Failure();
            chosen = dialog.Model()->TakeChosenEffect();
        }
        // The effect chosen in the dialog renders in place of the run's own
        // (whose object the dialog no longer refers to).
        if (chosen != nullptr) {
            document.HandOver(*chosen);
            run.filter = std::move(chosen);
        }
        return ResultCode::Success();
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }
}

FilterDialog* CurrentFilterDialog() { return gCurrentDialog; }

void InstallFilterDialogWindow(const ISettingsFolders* settingsFolders) {
    gSettingsFolders = settingsFolders;
    SetFilterDialogRunner(RunFilterDialogWindow);
}
