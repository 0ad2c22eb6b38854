// The about selector through the built modules and the real core: the
// Border Stamp module (kind 0) shows the family's about box over the host's
// window with the module's product version; the other modules show nothing.
// A watcher thread finds the box among this thread's windows, reads it and
// closes it, as a user would.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "pluginapi/PluginInterface.h"
#include "plugins/EffectModules.h"
#include "plugins/resources/ResourceIds.h"
#include "tests/plugins/PluginFolder.h"

namespace {

using ModuleEntry = ps::PluginMainProc;

// What the watcher saw of one dialog window.
struct SeenDialog {
    std::wstring title;
    std::wstring versionText;
    HWND owner = nullptr;
};

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// Watches `thread`'s top-level windows; every dialog that appears is read
// and then closed with its OK button.
class DialogWatcher {
public:
    explicit DialogWatcher(DWORD thread) : thread_(thread), worker_([this] { Watch(); }) {}
    ~DialogWatcher() { Stop(); }
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Stops watching; what was seen stays readable.
    void Stop() {
        stop_ = true;
        if (worker_.joinable()) worker_.join();
    }
    const std::vector<SeenDialog>& Seen() const { return seen_; }

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    void Watch() {
        while (!stop_) {
            HWND dialog = nullptr;
            EnumThreadWindows(thread_, FindDialog, reinterpret_cast<LPARAM>(&dialog));
            if (dialog == nullptr) {
                Sleep(20);
                continue;
            }
            SeenDialog seen;
            seen.title = WindowText(dialog);
            seen.versionText = WindowText(GetDlgItem(dialog, kAboutVersionItemId));
            seen.owner = GetWindow(dialog, GW_OWNER);
            seen_.push_back(seen);
            // The user presses OK; the box must end its modal loop for it.
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            while (!stop_ && IsWindow(dialog)) Sleep(20);
        }
    }

    DWORD thread_;
    std::atomic<bool> stop_{false};
    std::vector<SeenDialog> seen_;
    std::thread worker_;
};

// Sends the about selector through the module's entry, with `parent` as the
// host window; returns the result the module left.
int16_t RunAbout(const EffectModule& effect, HWND parent, intptr_t& data) {
    HMODULE module = LoadLibraryW(ModulePath(effect.fileName).c_str());
    EXPECT_NE(module, nullptr);
    if (module == nullptr) return -999;
    auto entry = reinterpret_cast<ModuleEntry>(reinterpret_cast<void*>(GetProcAddress(module, kModuleEntryName)));
    EXPECT_NE(entry, nullptr);
    int16_t result = -999;
    if (entry != nullptr) {
        ps::PlatformData platform{reinterpret_cast<intptr_t>(parent)};
        ps::AboutRecord about{};
        about.platformData = &platform;
        entry(ps::filterSelectorAbout, &about, &data, &result);
    }
    FreeLibrary(module);
    return result;
}

class HostWindow {
public:
    HostWindow()
        : hwnd_(CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {}
    ~HostWindow() {
        if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

}  // namespace

TEST(AboutBox, BorderStampShowsTheAboutBoxWithTheModulesProductVersionOverTheHostWindow) {
    HostWindow host;
    ASSERT_NE(host.Get(), nullptr);
    DialogWatcher watcher(GetCurrentThreadId());
    intptr_t data = 0;
    const int16_t result = RunAbout(*FindEffectModule(0), host.Get(), data);
    watcher.Stop();

    EXPECT_EQ(result, 0);
    EXPECT_EQ(data, 0);  // no run was started
    ASSERT_EQ(watcher.Seen().size(), 1u);
    const SeenDialog& box = watcher.Seen().front();
    EXPECT_EQ(box.title, L"About Mornebrook Dapple!");
    EXPECT_EQ(box.versionText, L"1.0.0 Release");
    EXPECT_EQ(box.owner, host.Get());
}

TEST(AboutBox, TheOtherModulesShowNothing) {
    HostWindow host;
    DialogWatcher watcher(GetCurrentThreadId());
    for (int32_t kind = 1; kind <= 5; ++kind) {
        SCOPED_TRACE(kind);
        intptr_t data = 0;
        EXPECT_EQ(RunAbout(*FindEffectModule(kind), host.Get(), data), 0);
        EXPECT_EQ(data, 0);
    }
    // A box is modal: had one opened, the entry would have returned only
    // after the watcher saw it and pressed OK.
    watcher.Stop();
    EXPECT_TRUE(watcher.Seen().empty());
}
