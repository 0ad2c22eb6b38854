#include "FilterDialogFixture_win32.h"

#include <chrono>
#include <cstring>
#include <deque>
#include <new>
#include <thread>

#include "dialog/FilterDialogRunner.h"
#include "host/DialogRunner.h"
#include "tests/controls/TestWindows.h"

namespace {

std::function<void(FilterDialog&)> gScript;
bool gScriptRan = false;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    FilterDialog* dialog = CurrentFilterDialog();
    if (dialog == nullptr || dialog->Hwnd() == nullptr || gScriptRan) return;
    KillTimer(nullptr, timer);
    gScriptRan = true;
    dialog->StopTimer();
    gScript(*dialog);
    if (dialog->Model() != nullptr && !dialog->Model()->Destroyed()) {
        SendMessageW(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
    }
}

std::unique_ptr<Filter> MakeProbe() { return std::make_unique<DialogProbeFilter>(); }

std::deque<std::function<void(HWND)>> gAnswers;

BOOL CALLBACK FindModal(HWND hwnd, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(hwnd, className, 16);
    const FilterDialog* dialog = CurrentFilterDialog();
    if (lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
        (dialog == nullptr || hwnd != dialog->Hwnd())) {
        *reinterpret_cast<HWND*>(found) = hwnd;
    }
    return TRUE;
}

void CALLBACK AnswerModal(HWND, UINT, UINT_PTR timer, DWORD) {
    if (gAnswers.empty()) {
        KillTimer(nullptr, timer);
        return;
    }
    HWND modal = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindModal, reinterpret_cast<LPARAM>(&modal));
    if (modal == nullptr) return;
    const std::function<void(HWND)> answer = gAnswers.front();
    gAnswers.pop_front();
    answer(modal);
}

std::filesystem::path ScratchRoot() {
    static const DWORD run = GetTickCount();
    static int serial = 0;
    return std::filesystem::temp_directory_path() /
           ("dapple-dialog-" + std::to_string(run) + "-" + std::to_string(serial++));
}

}  // namespace

FilterDialogTest::FilterDialogTest()
    : root_(ScratchRoot()), probe_(kProbeKind, MakeProbe), otherProbe_(kOtherProbeKind, MakeProbe) {
    DialogProbe().Reset();
    std::filesystem::create_directories(PluginFolder() / kSettingsFolderName);
    folders_ = std::make_unique<GivenSettingsFolders>(UserFolder().string(), PluginFolder().string());
    previousSink_ = SetWarningSink([this](const std::string& line) { warnings.push_back(line); });
    InstallFilterDialogWindow(folders_.get());
    host.SetImage(HostImage(HostImageMode::Rgb, 240, 180, true)).SetPlayMode(ps::plugInDialogDisplay);
}

FilterDialogTest::~FilterDialogTest() {
    SetFilterDialogRunner(FilterDialogRunner());
    SetWarningSink(previousSink_);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

RunOutcome FilterDialogTest::RunWithDialog(FilterKind kind, const std::function<void(FilterDialog&)>& script) {
    gScript = script;
    gScriptRan = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, RunScript);
    RunOptions options;
    options.parametersSelector = true;
    const RunOutcome outcome = host.RunFilter(kind, options);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(gScriptRan) << "the dialog never came up";
    gScript = nullptr;
    return outcome;
}

void FilterDialogTest::Tick(FilterDialog& dialog) { SendMessageW(dialog.Hwnd(), WM_TIMER, FilterDialog::kTimerId, 0); }

void FilterDialogTest::TickUntilRendered(FilterDialog& dialog) {
    PreviewModel* preview = dialog.Model()->Preview();
    for (int i = 0; i < 3000; ++i) {
        Tick(dialog);
        if (preview->State() != PreviewState::Rendering && preview->State() != PreviewState::Dirty) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ADD_FAILURE() << "the preview never rendered";
}

void FilterDialogTest::WaitForRenderStart(int renders) {
    for (int i = 0; i < 3000 && DialogProbe().rendersStarted < renders; ++i) {
        PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_GE(DialogProbe().rendersStarted, renders) << "the render never began";
}

void FilterDialogTest::Command(FilterDialog& dialog, UINT id) { SendMessageW(dialog.Hwnd(), WM_COMMAND, id, 0); }

namespace {

void SendKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (key == VK_INSERT || key == VK_DELETE) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void FilterDialogTest::PressKeys(FilterDialog& dialog, std::initializer_list<WORD> chord) {
    if (GetForegroundWindow() != dialog.Hwnd()) SetForegroundWindow(dialog.Hwnd());
    for (WORD key : chord) SendKey(key, false);
    for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) SendKey(*key, true);
    RunDialogLoop(dialog);
}

void FilterDialogTest::TypeKeys(FilterDialog& dialog, const std::string& text) {
    for (char c : text) PressKeys(dialog, {static_cast<WORD>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c)});
}

void FilterDialogTest::RunDialogLoop(FilterDialog& dialog) {
    int idle = 0;
    for (int round = 0; round < 1000 && idle < 3; ++round) {
        MSG message;
        bool served = false;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            served = true;
            if (IsWindow(dialog.Hwnd()) && IsDialogMessageW(dialog.Hwnd(), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        idle = served ? 0 : idle + 1;
        if (!served) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

VtSliderContainerControl& FilterDialogTest::AmountSlider(FilterDialog& dialog) {
    return *dynamic_cast<VtSliderContainerControl*>(dialog.Model()->Controls().at(0).window.get());
}

void FilterDialogTest::TypeAmount(FilterDialog& dialog, const std::wstring& text) {
    HWND field = AmountSlider(dialog).EditHwnd();
    SetFocus(field);
    ReplaceText(field, text);
    // Leaving the field commits what was typed.
    SetFocus(dialog.Model()->OkButton()->ButtonHwnd());
    PumpMessages();
}

DialogProbeRecord& FilterDialogTest::Record(FilterDialog& dialog) {
    return dialog.Model()->CurrentBlock().As<DialogProbeRecord>();
}

void FilterDialogTest::AnswerDialogs(std::vector<std::function<void(HWND)>> actions) {
    gAnswers.assign(actions.begin(), actions.end());
    SetTimer(nullptr, 0, 20, AnswerModal);
}

std::function<void(HWND)> FilterDialogTest::TypeName(const std::wstring& name) {
    return [name](HWND prompt) {
        SetWindowTextW(GetDlgItem(prompt, 10030), name.c_str());
        PostMessageW(prompt, WM_COMMAND, IDOK, 0);
    };
}

std::function<void(HWND)> FilterDialogTest::Press(UINT id) {
    return [id](HWND window) { PostMessageW(window, WM_COMMAND, id, 0); };
}

void FilterDialogTest::UntilAnswered() {
    for (int i = 0; i < 500 && !gAnswers.empty(); ++i) PumpMessagesFor(10);
    PumpMessagesFor(50);
}

void FilterDialogTest::RestartHost() {
    host.~InProcessHost();
    new (&host) InProcessHost();
    host.SetImage(HostImage(HostImageMode::Rgb, 240, 180, true)).SetPlayMode(ps::plugInDialogDisplay);
}

bool FilterDialogTest::MenuItemEnabled(FilterDialog& dialog, UINT id) {
    const UINT state = GetMenuState(GetMenu(dialog.Hwnd()), id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

DialogProbeRecord FilterDialogTest::StoredRecord(FilterKind kind) {
    DialogProbeRecord record{};
    std::string bytes;
    EXPECT_TRUE(host.Handles().Read(host.ParametersHandle(kind), bytes));
    if (bytes.size() >= sizeof record) std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

void FilterDialogTest::StoreRecord(FilterKind kind, const DialogProbeRecord& record) {
    std::memcpy(host.Handles().Lock(host.ParametersHandle(kind)), &record, sizeof record);
    host.Handles().Unlock(host.ParametersHandle(kind));
}
