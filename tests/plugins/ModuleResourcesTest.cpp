// The resources every module carries, loaded through the system's own
// loaders as the core and the dialogs load them.
#include <gtest/gtest.h>

#include <string>

#include "platform/ProductVersion.h"
#include "platform/ResourceStrings.h"
#include "plugins/EffectModules.h"
#include "plugins/resources/ResourceIds.h"
#include "tests/plugins/PluginFolder.h"

namespace {

class ModuleResources : public testing::TestWithParam<EffectModule> {
protected:
    void SetUp() override {
        module = LoadLibraryW(ModulePath(GetParam().fileName).c_str());
        ASSERT_NE(module, nullptr) << GetParam().fileName;
    }
    void TearDown() override {
        SetResourceModule(nullptr);
        if (module != nullptr) FreeLibrary(module);
    }
    HMODULE module = nullptr;
};

std::vector<UINT> MenuIds(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
    return ids;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

TEST_P(ModuleResources, StringsLoadThroughTheResourceModule) {
    SetResourceModule(module);
    EXPECT_EQ(LoadResourceString(4200), "Edges");
    EXPECT_EQ(LoadResourceString(10100), "\xC2\xB0");  // UTF-8 survives the string table
    EXPECT_NE(LoadResourceString(10000), kLostString);
    EXPECT_EQ(LoadResourceString(9), kLostString);
    wchar_t text[300] = {};
    EXPECT_GT(LoadStringW(module, 12000, text, 300), 0);  // the module's own message
}

TEST_P(ModuleResources, ProductVersionComesFromTheVersionBlock) {
    SetResourceModule(module);
    EXPECT_EQ(ProductVersion(), "1.0.0 Release");
}

TEST_P(ModuleResources, MenuHasTheFixedEntriesTheDialogRelyOn) {
    HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(10036));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    // Submenu 1: effects, 3 fixed items; submenu 3: settings, 6 fixed items.
    const UINT separator = 0;
    EXPECT_EQ(MenuIds(GetSubMenu(menu, 1)), (std::vector<UINT>{10010, 10011, separator}));
    EXPECT_EQ(MenuIds(GetSubMenu(menu, 3)), (std::vector<UINT>{10015, 10016, separator, 10017, 10025, separator}));
    EXPECT_EQ(MenuIds(GetSubMenu(menu, 0)), (std::vector<UINT>{10018, 10019, separator, 10020, 10021, 10022}));
    EXPECT_EQ(MenuIds(GetSubMenu(menu, 2)), (std::vector<UINT>{10012, 10013, 10014, separator, 10028}));
    EXPECT_EQ(MenuIds(GetSubMenu(menu, 4)), (std::vector<UINT>{10026, separator, 10027}));
    DestroyMenu(menu);
}

TEST_P(ModuleResources, DialogTemplatesProvideTheirItems) {
    struct Template {
        int id;
        std::vector<int> items;
    };
    const Template templates[] = {{122, {kAboutVersionItemId, IDOK}},
                                  {10034, {10029, 10030, IDOK, IDCANCEL}},
                                  {10002, {10029, 10030, IDOK, IDCANCEL}},
                                  {10035, {10031, 10032, 10033, IDCANCEL}}};
    for (const Template& t : templates) {
        HWND dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(t.id), nullptr, QuietDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << t.id;
        for (int item : t.items) EXPECT_NE(GetDlgItem(dialog, item), nullptr) << t.id << " item " << item;
        DestroyWindow(dialog);
    }
}

TEST_P(ModuleResources, OpenDialogTemplateHoldsThePreviewPane) {
    // The pane's class belongs to the content chooser; a stand-in is enough
    // to make the template.
    WNDCLASSEXW pane{};
    pane.cbSize = sizeof pane;
    pane.style = CS_GLOBALCLASS;  // found from the module's template, not only ours
    pane.lpfnWndProc = DefWindowProcW;
    pane.hInstance = GetModuleHandleW(nullptr);
    pane.lpszClassName = L"VtContentThumbWnd";
    RegisterClassExW(&pane);
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    HWND extra = CreateDialogParamW(module, MAKEINTRESOURCEW(215), parent, QuietDialogProc, 0);
    ASSERT_NE(extra, nullptr);
    HWND preview = GetDlgItem(extra, 4000);
    ASSERT_NE(preview, nullptr);
    wchar_t className[64] = {};
    GetClassNameW(preview, className, 64);
    EXPECT_STREQ(className, L"VtContentThumbWnd");
    EXPECT_NE(GetWindowLongW(extra, GWL_STYLE) & WS_CHILD, 0);
    DestroyWindow(parent);
    UnregisterClassW(L"VtContentThumbWnd", GetModuleHandleW(nullptr));
}

TEST_P(ModuleResources, IconsCarrySmallAndLargeImages) {
    for (int id : {700, 701, 702, 703, 10037}) {
        for (int size : {16, 32}) {
            auto icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr) << id;
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            EXPECT_TRUE(info.fIcon);
            BITMAP bitmap{};
            GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
            EXPECT_EQ(bitmap.bmWidth, size) << id;  // an image of this size, not a scaled one
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

TEST_P(ModuleResources, CursorsHaveTheirHotspots) {
    struct Expected {
        int id;
        DWORD x, y;
    };
    // The hand and the tool cursors point with their middle, the magnifiers
    // with the middle of the lens, the eyedropper with its tip.
    for (const Expected& e :
         {Expected{10003, 16, 16}, Expected{10004, 12, 12}, Expected{10005, 12, 12}, Expected{10006, 16, 16},
          Expected{10007, 16, 16}, Expected{10008, 3, 28}, Expected{10009, 16, 16}}) {
        auto cursor = static_cast<HCURSOR>(LoadImageW(module, MAKEINTRESOURCEW(e.id), IMAGE_CURSOR, 32, 32, 0));
        ASSERT_NE(cursor, nullptr) << e.id;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon) << e.id;
        EXPECT_EQ(info.xHotspot, e.x) << e.id;
        EXPECT_EQ(info.yHotspot, e.y) << e.id;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyCursor(cursor);
    }
}

INSTANTIATE_TEST_SUITE_P(Modules, ModuleResources, testing::ValuesIn(kEffectModules),
                         [](const testing::TestParamInfo<EffectModule>& info) { return info.param.fileName; });
