#include "controls/ContentOpenDialog.h"

#include <commdlg.h>

#include <vector>

#include "controls/KeyboardSinks.h"
#include "controls/ToolkitInstance.h"
#include "controls/VtContentThumbnail.h"
#include "platform/ResourceStrings.h"
#include "platform/TextEncoding.h"

namespace {

bool gOpen = false;
constexpr int kMaxPath = 260;

using GetOpenFileNameProc = BOOL(WINAPI*)(OPENFILENAMEW*);
using ExtendedErrorProc = DWORD(WINAPI*)();

// The common dialog library, loaded when first needed.
HMODULE CommonDialogs() {
    static HMODULE library = LoadLibraryW(L"comdlg32.dll");
    return library;
}

// Registers the preview pane's class for one dialog, unless it is there.
class ScopedThumbnailClass {
public:
    ScopedThumbnailClass() {
        WNDCLASSEXW existing{};
        existing.cbSize = sizeof existing;
        if (!GetClassInfoExW(ToolkitInstance(), kContentThumbnailClass, &existing))
            registered_ = RegisterContentThumbnailClass();
    }
    ~ScopedThumbnailClass() {
        if (registered_) UnregisterContentThumbnailClass();
    }
    ScopedThumbnailClass(const ScopedThumbnailClass&) = delete;
    ScopedThumbnailClass& operator=(const ScopedThumbnailClass&) = delete;

private:
    bool registered_ = false;
};

// The filter text: name, zero, pattern, two zeros.
std::wstring FilterText(const ContentChooserKind& kind) {
    std::wstring filter = WideFromUtf8(LoadResourceString(kind.filterNameId));
    filter.push_back(L'\0');
    filter += WideFromUtf8(kind.pattern);
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    return filter;
}

void ShowLastError() {
    const DWORD error = GetLastError();
    if (error == 0) return;
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    MessageBoxW(nullptr, text != nullptr ? text : L"", L"GetLastError", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    if (text != nullptr) LocalFree(text);
}

}  // namespace

bool ContentOpenDialog::IsOpen() { return gOpen; }

void ContentOpenDialog::ShowPreview(IContentChooserModel& model, const std::string& path, HWND pane) {
    if (pane == nullptr) return;
    Image<unsigned char> picture(ChannelLayout(kColourModelRGB, 3, false));
    if (!path.empty() && model.Preview(path, picture) && picture.data != nullptr) {
        SendMessageW(pane, kContentThumbnailShow, 0, reinterpret_cast<LPARAM>(&picture));
    } else {
        SendMessageW(pane, kContentThumbnailClear, 0, 0);
    }
}

UINT_PTR CALLBACK ContentOpenDialog::Hook(HWND dialog, UINT message, WPARAM, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        // The dialog's parameter block carries the model.
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(reinterpret_cast<OPENFILENAMEW*>(lparam)));
        return 0;
    }
    if (message != WM_NOTIFY) return 0;
    const auto* notice = reinterpret_cast<const OFNOTIFYW*>(lparam);
    if (notice == nullptr || notice->hdr.code != CDN_SELCHANGE) return 0;
    const auto* request = reinterpret_cast<const OPENFILENAMEW*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (request == nullptr) return 0;
    auto* model = reinterpret_cast<IContentChooserModel*>(request->lCustData);
    HWND pane = GetDlgItem(dialog, kPreviewItem);
    wchar_t path[kMaxPath] = {};
    // The Explorer dialog itself is the hook dialog's parent.
    const LRESULT length = SendMessageW(GetParent(dialog), CDM_GETFILEPATH, kMaxPath, reinterpret_cast<LPARAM>(path));
    if (model == nullptr || pane == nullptr || length <= 0) return 0;
    ShowPreview(*model, Utf8FromWide(path), pane);
    return 0;
}

bool ContentOpenDialog::AskForFile(HWND owner, const std::string& folder, IContentChooserModel& model,
                                   std::string& chosen) {
    const auto open = reinterpret_cast<GetOpenFileNameProc>(
        reinterpret_cast<void*>(GetProcAddress(CommonDialogs(), "GetOpenFileNameW")));
    const auto extendedError = reinterpret_cast<ExtendedErrorProc>(
        reinterpret_cast<void*>(GetProcAddress(CommonDialogs(), "CommDlgExtendedError")));
    if (open == nullptr) return false;
    const ContentChooserKind kind = model.Kind();
    const std::wstring filter = FilterText(kind);
    const std::wstring startFolder = WideFromUtf8(folder);
    const std::wstring extension = WideFromUtf8(kind.defaultExtension);
    std::vector<wchar_t> file(kMaxPath, L'\0');

    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.hInstance = ToolkitInstance();
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = kMaxPath;
    request.lpstrInitialDir = startFolder.c_str();
    request.lpstrDefExt = extension.c_str();
    request.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_FILEMUSTEXIST |
                    OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    request.lpTemplateName = MAKEINTRESOURCEW(kTemplateId);
    request.lpfnHook = Hook;
    request.lCustData = reinterpret_cast<LPARAM>(&model);

    ScopedThumbnailClass thumbnailClass;
    BOOL confirmed = FALSE;
    {
        SuspendedKeyboardHook suspended;
        gOpen = true;
        confirmed = open(&request);
        gOpen = false;
    }
    if (confirmed) {
        chosen = Utf8FromWide(file.data());
        return true;
    }
    if (extendedError != nullptr && extendedError() != 0) ShowLastError();
    return false;
}
