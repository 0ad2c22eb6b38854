#include <gtest/gtest.h>

#include "controls/ControlClasses.h"
#include "controls/ToolkitInstance.h"

namespace {

bool ClassInfo(const wchar_t* name, WNDCLASSEXW& info) {
    info = WNDCLASSEXW{};
    info.cbSize = sizeof info;
    return GetClassInfoExW(ToolkitInstance(), name, &info) != 0;
}

constexpr UINT kPlain = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;

}  // namespace

TEST(ControlClasses, EveryClassIsRegisteredWithItsForm) {
    ASSERT_TRUE(RegisterControlClasses().IsSuccess());
    struct Expected {
        ControlClass control;
        const wchar_t* name;
        bool ownDC;
    };
    const Expected expected[] = {
        {ControlClass::Button, L"VtButtonCtl", false},
        {ControlClass::Preview, L"VtPreviewCtl", true},
        {ControlClass::Thumbnail, L"VtThumbnailCtrl", true},
        {ControlClass::Toolbox, L"VtToolboxCtl", true},
        {ControlClass::SliderContainer, L"VtSliderCntnrCtl", false},
        {ControlClass::Slider, L"VtSliderCtrl", true},
        {ControlClass::Colour, L"VtColorCtrl", true},
        {ControlClass::ColourGradient, L"VtColorGradCtrl", true},
        {ControlClass::DropdownList, L"VtDropdownListCtl", false},
        {ControlClass::Lighting, L"VtLightingCtl", true},
        {ControlClass::RandomSeed, L"VtRandomSeedCtl", false},
        {ControlClass::Direction, L"VtDirCtl", false},
        {ControlClass::Checkbox, L"VtCheckboxCtl", false},
        {ControlClass::Tab, L"VtTabCtrl", true},
        {ControlClass::TabPage, L"VtTabPageCtrl", true},
        {ControlClass::LengthSlider, L"VtLengthSliderCtl", false},
        {ControlClass::ImageButton, L"VtImageBtnCtl", false},
        {ControlClass::BevelEdit, L"VtBevelEditCtrl", true},
        {ControlClass::FillBehaviour, L"VtFillBehaviorCtl", false},
        {ControlClass::BevelType, L"VtBevelTypeCtl", false},
        {ControlClass::TubeButton, L"VtTubeButtonCtrl", true},
    };
    ASSERT_EQ(std::size(expected), static_cast<size_t>(kControlClassCount));
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    for (const Expected& entry : expected) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(entry.control));
        EXPECT_STREQ(ControlClassName(entry.control), entry.name);
        EXPECT_NE(ControlClassAtom(entry.control), 0);
        WNDCLASSEXW info;
        ASSERT_TRUE(ClassInfo(entry.name, info));
        EXPECT_EQ(info.style, entry.ownDC ? kPlain | CS_OWNDC : kPlain);
        EXPECT_EQ(info.cbWndExtra, 30);
        EXPECT_EQ(info.cbClsExtra, 0);
        if (entry.control == ControlClass::Preview)
            EXPECT_EQ(info.hCursor, nullptr);
        else
            EXPECT_EQ(info.hCursor, arrow);
        if (entry.control == ControlClass::Colour)
            EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1)));
        else if (entry.control == ControlClass::TabPage)
            EXPECT_EQ(info.hbrBackground, nullptr);
        else
            EXPECT_EQ(info.hbrBackground, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    }
    // The content chooser's preview pane comes with them.
    WNDCLASSEXW pane;
    EXPECT_TRUE(ClassInfo(L"VtContentThumbWnd", pane));
    UnregisterControlClasses();
    EXPECT_FALSE(ClassInfo(L"VtContentThumbWnd", pane));
}

TEST(ControlClasses, RegisteringTwiceKeepsTheAtomsAndUnregisteringRemovesEveryClass) {
    ASSERT_TRUE(RegisterControlClasses().IsSuccess());
    const ATOM first = ControlClassAtom(ControlClass::Slider);
    EXPECT_TRUE(RegisterControlClasses().IsSuccess());
    EXPECT_EQ(ControlClassAtom(ControlClass::Slider), first);

    UnregisterControlClasses();
    WNDCLASSEXW info;
    for (int i = 0; i < kControlClassCount; ++i) {
        const auto control = static_cast<ControlClass>(i);
        EXPECT_EQ(ControlClassAtom(control), 0);
        EXPECT_FALSE(ClassInfo(ControlClassName(control), info)) << i;
    }
}

TEST(ControlClasses, AClassTakenByAnotherRegistrationReportsFailureAndKeepsAtomZero) {
    WNDCLASSEXW squatter{};
    squatter.cbSize = sizeof squatter;
    squatter.lpfnWndProc = DefWindowProcW;
    squatter.hInstance = ToolkitInstance();
    squatter.lpszClassName = L"VtCheckboxCtl";
    ASSERT_NE(RegisterClassExW(&squatter), 0);

    const ResultCode result = RegisterControlClasses();
    EXPECT_EQ(result.status, ResultCode::kFailure);
    EXPECT_EQ(ControlClassAtom(ControlClass::Checkbox), 0);
    EXPECT_NE(ControlClassAtom(ControlClass::Button), 0);

    UnregisterControlClasses();
    UnregisterClassW(L"VtCheckboxCtl", ToolkitInstance());
}
