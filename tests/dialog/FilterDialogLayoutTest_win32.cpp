// The parameter column as the user sees it: every value on one column, one
// rhythm between rows, labels in one style, groups framed.
#include <vector>

#include "FilterDialogFixture_win32.h"
#include "controls/VtCheckboxControl.h"
#include "controls/VtColorControl.h"
#include "controls/VtDirectionControl.h"
#include "controls/VtDropdownListControl.h"
#include "controls/VtLengthSliderControl.h"
#include "controls/VtRandomSeedControl.h"
#include "controls/VtSliderContainerControl.h"
#include "filters/edge/EdgeParameters.h"
#include "tests/controls/TestWindows.h"

namespace {

// A rectangle of `window`, in the dialog's client coordinates.
RECT InDialog(FilterDialog& dialog, HWND window, RECT rect) {
    MapWindowPoints(window, dialog.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The whole of `window`, frame included, in the dialog's client coordinates.
RECT WindowInDialog(FilterDialog& dialog, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, dialog.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Where the control's value (field, list box or swatch) starts, in the
// dialog's client coordinates; -1 for a control without one.
int ValueLeft(FilterDialog& dialog, const ParameterControl& bound) {
    VtControl* window = bound.window.get();
    if (auto* slider = dynamic_cast<VtSliderContainerControl*>(window))
        return WindowInDialog(dialog, slider->EditHwnd()).left;
    if (auto* length = dynamic_cast<VtLengthSliderControl*>(window))
        return WindowInDialog(dialog, length->EditHwnd()).left;
    if (auto* direction = dynamic_cast<VtDirectionControl*>(window))
        return WindowInDialog(dialog, direction->EditHwnd()).left;
    if (auto* list = dynamic_cast<VtDropdownListControl*>(window))
        return WindowInDialog(dialog, list->ComboHwnd()).left;
    if (auto* seed = dynamic_cast<VtRandomSeedControl*>(window)) return WindowInDialog(dialog, seed->EditHwnd()).left;
    if (auto* colour = dynamic_cast<VtColorControl*>(window))
        return InDialog(dialog, colour->Hwnd(), colour->Layout().swatch).left;
    return -1;
}

// Every value of the page starts at the same x.
void ExpectOneValueColumn(FilterDialog& dialog) {
    int column = -1;
    for (const ParameterControl& bound : dialog.Model()->Controls()) {
        const int left = ValueLeft(dialog, bound);
        if (left < 0) continue;
        if (column < 0) column = left;
        EXPECT_EQ(left, column) << bound.parameter->label;
    }
    EXPECT_GT(column, 0);
}

}  // namespace

TEST_F(FilterDialogTest, EdgesValuesShareOneColumnRowsOneRhythmAndLabelsOneStyle) {
    RunWithDialog(FilterKinds::Edge, [](FilterDialog& dialog) {
        ExpectOneValueColumn(dialog);
        const std::vector<ParameterControl>& controls = dialog.Model()->Controls();
        for (std::size_t i = 1; i < controls.size(); ++i) {
            const RECT above = WindowInDialog(dialog, controls[i - 1].window->Hwnd());
            const RECT below = WindowInDialog(dialog, controls[i].window->Hwnd());
            EXPECT_EQ(below.top - above.bottom, 8) << controls[i].parameter->label;
        }
        // No label of a list (or any other) ends with a colon.
        const auto& list = ControlOf<VtDropdownListControl>(dialog, edge::kKeyEdgeType);
        EXPECT_EQ(TextOf(list.LabelHwnd()), L"Edge type");
    });
}

TEST_F(FilterDialogTest, AFramedGroupKeepsTheValueColumnOfThePage) {
    RunWithDialog(FilterKinds::BorderStamp, [](FilterDialog& dialog) {
        // The shadow's controls (a group without a page of its own) sit in a
        // frame that their checkbox heads.
        const ParameterControl* shadow = nullptr;
        for (const ParameterControl& bound : dialog.Model()->Controls()) {
            if (shadow == nullptr && bound.parameter->group > 0 &&
                dynamic_cast<VtCheckboxControl*>(bound.window.get()) != nullptr) {
                shadow = &bound;
            }
        }
        ASSERT_NE(shadow, nullptr);
        const RECT box = WindowInDialog(dialog, shadow->window->Hwnd());
        HWND frame = nullptr;
        for (HWND child = GetWindow(dialog.Hwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            if ((GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX || TextOf(child) != L"") continue;
            wchar_t className[16] = {};
            GetClassNameW(child, className, 16);
            if (lstrcmpiW(className, L"Button") == 0) frame = child;
        }
        ASSERT_NE(frame, nullptr);
        const RECT framed = WindowInDialog(dialog, frame);
        EXPECT_LT(framed.top, box.bottom);
        EXPECT_GT(framed.top, box.top);
        EXPECT_GT(box.left, framed.left);
        const RECT last = WindowInDialog(dialog, dialog.Model()->Controls().back().window->Hwnd());
        EXPECT_GE(framed.bottom, last.bottom);
        ExpectOneValueColumn(dialog);
    });
}
