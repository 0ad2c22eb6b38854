// The pieces of the content chooser: the shortened path of its name field
// and the open dialog's preview pane.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/WinApi.h"

#include <commdlg.h>
#include <dlgs.h>

#include "controls/ChildWindows.h"
#include "controls/GdiHandles.h"
#include "controls/KeyboardHook.h"
#include "controls/PathShortening.h"
#include "controls/VtContentThumbnail.h"
#include "controls/VtTubeButtonControl.h"
#include "platform/ResourceStrings.h"
#include "platform/TextEncoding.h"
#include "tests/controls/LibraryFakes.h"
#include "tests/controls/TestWindows.h"

namespace {

// A field that holds `n` characters.
std::function<bool(const std::string&)> FitsIn(std::size_t n) {
    return [n](const std::string& text) { return text.size() <= n; };
}

}  // namespace

TEST(PathShortening, DrivePathsKeepTheDriveAndTheLastFoldersThatFit) {
    const std::string path = "C:\\Program Files\\Mornebrook\\Content\\Tubes\\Stars.tub";
    EXPECT_EQ(ShortenedPath(path, FitsIn(path.size())), path);
    EXPECT_EQ(ShortenedPath(path, FitsIn(41)), "C:\\...\\Mornebrook\\Content\\Tubes\\Stars.tub");
    EXPECT_EQ(ShortenedPath(path, FitsIn(40)), "C:\\...\\Content\\Tubes\\Stars.tub");
    EXPECT_EQ(ShortenedPath(path, FitsIn(22)), "C:\\...\\Tubes\\Stars.tub");
    // Nothing fits: the file name alone after the ellipsis, never cut.
    EXPECT_EQ(ShortenedPath(path, FitsIn(3)), "C:\\...\\Stars.tub");
}

TEST(PathShortening, NetworkPathsKeepTheServer) {
    const std::string path = "\\\\server\\share\\effects\\frames\\Gold.rfr";
    EXPECT_EQ(ShortenedPath(path, FitsIn(30)), "\\\\server\\...\\frames\\Gold.rfr");
    EXPECT_EQ(ShortenedPath(path, FitsIn(10)), "\\\\server\\...\\Gold.rfr");
}

TEST(PathShortening, ColonPathsAreShortenedAtTheirColons) {
    const std::string path = "Disk:Effects:Textures:Canvas.jpg";
    EXPECT_EQ(ShortenedPath(path, FitsIn(28)), "Disk:...:Textures:Canvas.jpg");
    EXPECT_EQ(ShortenedPath(path, FitsIn(20)), "Disk:...:Canvas.jpg");
    // A bare file name stays as it is, fitting or not.
    EXPECT_EQ(ShortenedPath("Canvas.jpg", FitsIn(4)), "Canvas.jpg");
}

TEST(ContentThumbnail, LargePicturesShrinkToFitAndSmallOnesStayCentred) {
    // A 104 x 84 pane: 100 x 80 inside its frame.
    const RECT pane{0, 0, 104, 84};
    const RECT wide = ContentThumbnailPlacement(pane, 400, 100);
    EXPECT_EQ(wide.right - wide.left, 100);
    EXPECT_EQ(wide.bottom - wide.top, 25);
    EXPECT_EQ(wide.left, 2);
    EXPECT_EQ(wide.top, 2 + (80 - 25) / 2);
    const RECT tall = ContentThumbnailPlacement(pane, 50, 160);
    EXPECT_EQ(tall.right - tall.left, 25);
    EXPECT_EQ(tall.bottom - tall.top, 80);
    const RECT small = ContentThumbnailPlacement(pane, 20, 10);
    EXPECT_EQ(small.right - small.left, 20);
    EXPECT_EQ(small.left, 2 + 40);
    EXPECT_EQ(small.top, 2 + 35);
}

TEST(ContentThumbnail, ThePaneShowsAndClearsPictures) {
    RegisteredControlClasses classes;
    ASSERT_TRUE(classes.result.IsSuccess());
    TestParentWindow parent;
    HWND pane = CreateWindowExW(0, kContentThumbnailClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 104, 84, parent.Hwnd(),
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(pane, nullptr);
    SIZE size{};
    EXPECT_FALSE(ContentThumbnailPicture(pane, size));

    ResultCode status;
    Image<unsigned char> picture(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 20, 30),
                                 status);  // top, left, bottom, right
    ASSERT_TRUE(status.IsSuccess());
    SendMessageW(pane, kContentThumbnailShow, 0, reinterpret_cast<LPARAM>(&picture));
    ASSERT_TRUE(ContentThumbnailPicture(pane, size));
    EXPECT_EQ(size.cx, 30);
    EXPECT_EQ(size.cy, 20);
    UpdateWindow(pane);  // paints without trouble

    SendMessageW(pane, kContentThumbnailClear, 0, 0);
    EXPECT_FALSE(ContentThumbnailPicture(pane, size));
    // A picture without colour channels is no picture.
    Image<unsigned char> mask(ChannelLayout::SingleChannel(), Rect(0, 0, 5, 5), status);
    SendMessageW(pane, kContentThumbnailShow, 0, reinterpret_cast<LPARAM>(&mask));
    EXPECT_FALSE(ContentThumbnailPicture(pane, size));
    DestroyWindow(pane);
}

namespace {

ContentRecord Record(bool relative, const std::string& path) {
    ContentRecord record{};
    record[0] = relative ? 1 : 0;
    std::copy(path.begin(), path.end(), record.begin() + 1);
    record[1024] = 7;  // the parameter's own byte, carried along
    return record;
}

std::string PathOf(const ContentRecord& record) {
    return std::string(reinterpret_cast<const char*>(record.data() + 1));
}

// A content library over a plug-in folder that exists only in the test.
class FakeContentModel : public IContentChooserModel {
public:
    ContentChooserKind Kind() override { return ContentChooserKind{"*.tub", "tub", 11110, 11111, 11112, 11113}; }
    ResultCode Resolve(const ContentRecord& record, std::string& fullPath) override {
        fullPath = (record[0] != 0 ? plugin : std::string()) + PathOf(record);
        return ResultCode::Success();
    }
    ResultCode Store(const std::string& fullPath, ContentRecord& record) override {
        const bool inside = fullPath.compare(0, plugin.size(), plugin) == 0;
        const std::string path = inside ? fullPath.substr(plugin.size()) : fullPath;
        const unsigned char carried = record[1024];
        record.fill(0);
        record[0] = inside ? 1 : 0;
        std::copy(path.begin(), path.end(), record.begin() + 1);
        record[1024] = carried;
        return ResultCode::Success();
    }
    ResultCode Validate(const std::string& fullPath) override {
        return fullPath.find("broken") == std::string::npos ? ResultCode::Success() : ResultCode::Failure();
    }
    ResultCode ContentFolder(std::string& folder) override {
        folder = plugin + "\\Content\\";
        return ResultCode::Success();
    }
    ResultCode PluginFolder(std::string& folder) override {
        folder = plugin;
        return ResultCode::Success();
    }
    bool FolderExists(const std::string& folder) override { return folder.find("gone") == std::string::npos; }
    bool Preview(const std::string& fullPath, Image<unsigned char>& picture) override {
        if (fullPath.find("v3") != std::string::npos) return false;  // a tube without a preview
        ResultCode status;
        picture = Image<unsigned char>(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 8, 12), status);
        return status.IsSuccess();
    }

    std::string plugin = "C:\\Plug-ins\\Dapple";
};

class FakeFileDialog : public IContentFileDialog {
public:
    bool AskForFile(HWND, const std::string& folder, IContentChooserModel&, std::string& chosen) override {
        startedIn = folder;
        if (answer.empty()) return false;
        chosen = answer;
        return true;
    }
    std::string answer;
    std::string startedIn;
};

class TubeButtonTest : public ControlTest {
protected:
    void Make(int width) {
        ASSERT_TRUE(chooser
                        .Create(parent.Hwnd(), RECT{0, 0, width, TubeButtonLayout::kHeight}, 1, nullptr, &model, &files,
                                &prompts)
                        .IsSuccess());
        chooser.SetChangeSink(&changes);
    }
    std::string Shown() {
        std::string text = WindowTextUtf8(chooser.NameHwnd());
        return text.empty() ? text : text.substr(1);  // the leading blank
    }
    bool ShownFits() {
        RECT field{};
        GetClientRect(chooser.NameHwnd(), &field);
        SIZE size{};
        MeasureText(chooser.NameHwnd(), font.Get(), " " + Shown(), size);
        return size.cx <= field.right - 10;
    }

    // The dialog font.
    Font font{CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma")};
    FakeContentModel model;
    FakeFileDialog files;
    ScriptedPrompts prompts;
    VtTubeButtonControl chooser;
};

}  // namespace

TEST_F(TubeButtonTest, AFileInTheContentFolderIsShownFromThereAndOneElsewhereWhole) {
    Make(600);
    chooser.SetValue(Record(true, "\\Content\\Tubes\\Stars.tub"));
    EXPECT_EQ(Shown(), "Tubes\\Stars.tub");
    chooser.SetValue(Record(true, "\\Contents\\Stars.tub"));
    EXPECT_EQ(Shown(), "C:\\Plug-ins\\Dapple\\Contents\\Stars.tub");
    chooser.SetValue(Record(false, "c:\\plug-ins\\dapple\\content\\Frames\\Gilt.rfr"));
    EXPECT_EQ(Shown(), "Frames\\Gilt.rfr");
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(TubeButtonTest, LongDriveNetworkAndColonPathsAreShortenedToFit) {
    Make(360);
    chooser.SetValue(Record(false, "D:\\Users\\Someone\\Pictures\\Effects\\Tubes\\Autumn\\Maple leaves.tub"));
    EXPECT_EQ(Shown().rfind("D:\\...\\", 0), 0u) << Shown();
    EXPECT_NE(Shown().find("\\Maple leaves.tub"), std::string::npos);
    EXPECT_TRUE(ShownFits()) << Shown();

    chooser.SetValue(Record(false, "\\\\studio\\shared\\effects\\tubes\\autumn\\Maple leaves.tub"));
    EXPECT_EQ(Shown().rfind("\\\\studio\\...\\", 0), 0u) << Shown();
    EXPECT_TRUE(ShownFits()) << Shown();

    chooser.SetValue(Record(false, "Macintosh HD:Users:someone:Pictures:Effects:Tubes:Maple leaves.tub"));
    EXPECT_EQ(Shown().rfind("Macintosh HD:...:", 0), 0u) << Shown();
    EXPECT_NE(Shown().find(":Maple leaves.tub"), std::string::npos);
    EXPECT_TRUE(ShownFits()) << Shown();
}

TEST_F(TubeButtonTest, AChosenFileIsStoredRelativeShownAndNotified) {
    Make(600);
    chooser.SetValue(Record(true, "\\Content\\Tubes\\Stars.tub"));
    files.answer = "C:\\Plug-ins\\Dapple\\Content\\Tubes\\Hearts.tub";
    SendMessageW(chooser.Button().ButtonHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(files.startedIn, "C:\\Plug-ins\\Dapple\\Content\\Tubes");
    const ContentRecord value = chooser.GetValue();
    EXPECT_EQ(value[0], 1);
    EXPECT_EQ(PathOf(value), "\\Content\\Tubes\\Hearts.tub");
    EXPECT_EQ(value[1024], 7);
    EXPECT_EQ(Shown(), "Tubes\\Hearts.tub");
    EXPECT_EQ(changes.calls, 1);
}

TEST_F(TubeButtonTest, AFileFailingTheCheckIsNeverStored) {
    Make(600);
    const ContentRecord before = Record(true, "\\Content\\Tubes\\Stars.tub");
    chooser.SetValue(before);
    files.answer = "C:\\Elsewhere\\broken.tub";
    SendMessageW(chooser.Button().ButtonHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(chooser.GetValue(), before);
    ASSERT_EQ(prompts.failures.size(), 1u);
    EXPECT_EQ(prompts.failures[0], LoadResourceString(VtTubeButtonControl::kUnusableFileId));
    EXPECT_EQ(changes.calls, 0);

    files.answer.clear();  // cancelled
    SendMessageW(chooser.Button().ButtonHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(chooser.GetValue(), before);
    EXPECT_EQ(changes.calls, 0);
}

TEST_F(TubeButtonTest, TheOpenDialogStartsInTheFilesFolderOrTheContentOrPluginFolder) {
    Make(600);
    chooser.SetValue(Record(false, "E:\\Art\\Tubes\\Stars.tub"));
    EXPECT_EQ(chooser.StartingFolder(), "E:\\Art\\Tubes");
    chooser.SetValue(Record(false, "E:\\gone\\Stars.tub"));  // a folder no longer there
    EXPECT_EQ(chooser.StartingFolder(), "C:\\Plug-ins\\Dapple");
    model.plugin = "Stars";
    chooser.SetValue(Record(true, ".tub"));  // no backslash at all
    EXPECT_EQ(chooser.StartingFolder(), "Stars\\Content\\");
}

TEST_F(TubeButtonTest, HelpOverTheButtonAndTheName) {
    Make(600);
    auto centre = [&](HWND child) {
        RECT area{};
        GetWindowRect(child, &area);
        MapWindowPoints(nullptr, chooser.Hwnd(), reinterpret_cast<POINT*>(&area), 2);
        return POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    };
    std::string help;
    ResultCode status;
    chooser.GetHelpText(status, centre(chooser.Button().Hwnd()), help);
    EXPECT_EQ(help, LoadResourceString(11112));
    chooser.GetHelpText(status, centre(chooser.NameHwnd()), help);
    EXPECT_EQ(help, LoadResourceString(11113));
}

TEST_F(TubeButtonTest, ThePreviewPaneShowsTheSelectedFilesPictureOrNothing) {
    HWND pane = CreateWindowExW(0, kContentThumbnailClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 104, 84, parent.Hwnd(),
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(pane, nullptr);
    SIZE size{};
    ContentOpenDialog::ShowPreview(model, "C:\\Tubes\\Stars.tub", pane);
    ASSERT_TRUE(ContentThumbnailPicture(pane, size));
    EXPECT_EQ(size.cx, 12);
    // A version 3 tube has no preview: the pane is cleared.
    ContentOpenDialog::ShowPreview(model, "C:\\Tubes\\old-v3.tub", pane);
    EXPECT_FALSE(ContentThumbnailPicture(pane, size));
    DestroyWindow(pane);
}

namespace {

// What the "user" finds and does in the open dialog.
struct OpenDialogVisit {
    std::wstring fileName;
    bool sawPane = false;
    std::wstring paneClass;
    bool wasOpen = false;
    bool hookSuspended = false;
} gVisit;

BOOL CALLBACK FindPane(HWND child, LPARAM found) {
    if (GetDlgCtrlID(child) == ContentOpenDialog::kPreviewItem) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = GetActiveWindow();
    if (dialog == nullptr) return;
    HWND pane = nullptr;
    EnumChildWindows(dialog, FindPane, reinterpret_cast<LPARAM>(&pane));
    if (pane == nullptr) return;  // not up yet
    KillTimer(nullptr, timer);
    gVisit.sawPane = true;
    wchar_t className[64] = {};
    GetClassNameW(pane, className, 64);
    gVisit.paneClass = className;
    gVisit.wasOpen = ContentOpenDialog::IsOpen();
    gVisit.hookSuspended = KeyboardHook::suspended;
    // The file name field of the Explorer dialog, then OK.
    SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(gVisit.fileName.c_str()));
    SetDlgItemTextW(dialog, edt1, gVisit.fileName.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}  // namespace

TEST(ContentOpenDialog, OpensWithThePreviewPaneAndHandsBackTheChosenFile) {
    RegisteredControlClasses classes;
    ASSERT_TRUE(classes.result.IsSuccess());
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"dapple-open-dialog";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring file = folder + L"\\Stars.tub";
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CloseHandle(handle);

    FakeContentModel model;
    ContentOpenDialog dialog;
    gVisit = OpenDialogVisit{};
    gVisit.fileName = L"Stars.tub";
    SetTimer(nullptr, 0, 100, AnswerOpenDialog);
    std::string chosen;
    const bool confirmed = dialog.AskForFile(nullptr, Utf8FromWide(folder), model, chosen);
    EXPECT_TRUE(gVisit.sawPane);
    EXPECT_EQ(gVisit.paneClass, L"VtContentThumbWnd");
    EXPECT_TRUE(gVisit.wasOpen);
    EXPECT_TRUE(gVisit.hookSuspended);
    EXPECT_FALSE(ContentOpenDialog::IsOpen());
    EXPECT_FALSE(KeyboardHook::suspended);
    ASSERT_TRUE(confirmed);
    EXPECT_EQ(WideFromUtf8(chosen), file);
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}
