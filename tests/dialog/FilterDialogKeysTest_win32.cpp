// The dialog driven from the keyboard as a user drives it: keys go through
// the system's input queue, the keyboard hook and the dialog manager's loop
// to whichever window has the focus.
#include <cstring>
#include <vector>

#include "FilterDialogFixture_win32.h"
#include "controls/VtColorControl.h"
#include "controls/VtDropdownListControl.h"
#include "controls/VtRandomSeedControl.h"
#include "filters/edge/EdgeParameters.h"
#include "tests/controls/TestWindows.h"

namespace {

constexpr int32_t kMargin = 8;

// The layer's opaque part as the preview draws it now, one value per image
// pixel (wherever the view has it, which the size of the window decides;
// the transparent margin shows a pattern that follows the view).
std::vector<uint32_t> ShownPicture(FilterDialog& dialog) {
    const PreviewGeometry& geometry = dialog.Model()->Preview()->Geometry();
    std::vector<uint32_t> view(static_cast<std::size_t>(geometry.ViewWidth()) * geometry.ViewHeight());
    dialog.Model()->Preview()->Compose(view.data());
    std::vector<uint32_t> picture;
    for (int32_t y = 0; y < geometry.ImageHeight(); ++y) {
        for (int32_t x = kMargin; x < geometry.ImageWidth() - kMargin; ++x) {
            const Point at = geometry.ViewPointOf(SourcePoint{x + 0.5, y + 0.5});
            const bool inside = at.x >= 0 && at.y >= 0 && at.x < geometry.ViewWidth() && at.y < geometry.ViewHeight();
            picture.push_back(inside ? view[static_cast<std::size_t>(at.y) * geometry.ViewWidth() + at.x] : 0);
        }
    }
    return picture;
}

// Gives `window` the focus as the dialog manager does when the user tabs to it.
void FocusAsTabDoes(FilterDialog& dialog, HWND window) {
    SendMessageW(dialog.Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
}

// A layer, opaque but for a margin, that every effect of the family takes.
HostImage Layer() {
    HostImage image(HostImageMode::Rgb, 160, 120, true);
    for (int32_t y = 0; y < 120; ++y) {
        for (int32_t x = 0; x < 160; ++x) {
            image.At(x, y, 0) = static_cast<uint8_t>(x);
            image.At(x, y, 1) = static_cast<uint8_t>(2 * y);
            image.At(x, y, 2) = 120;
            image.At(x, y, 3) = x >= kMargin && x < 160 - kMargin ? 255 : 0;
        }
    }
    return image;
}

}  // namespace

TEST_F(FilterDialogTest, EnterOnTheFocusedCancelButtonCancels) {
    const RunOutcome outcome = RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        TypeAmount(dialog, L"70");  // a change that confirming would keep
        HWND cancel = dialog.Model()->CancelButton()->ButtonHwnd();
        for (int i = 0; i < 20 && GetFocus() != cancel; ++i) PressKeys(dialog, {VK_TAB});
        ASSERT_EQ(GetFocus(), cancel);
        PressKeys(dialog, {VK_RETURN});
        EXPECT_TRUE(dialog.Model()->Destroyed());
    });
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
}

TEST_F(FilterDialogTest, AfterAnEffectSwitchTheFirstControlHasTheFocusAndEscapeCancels) {
    const RunOutcome outcome = RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        PressKeys(dialog, {VK_CONTROL, VK_OEM_6});
        ASSERT_EQ(dialog.Model()->CurrentKind(), kOtherProbeKind);
        EXPECT_EQ(GetFocus(), AmountSlider(dialog).EditHwnd());
        PressKeys(dialog, {VK_ESCAPE});
        EXPECT_TRUE(dialog.Model()->Destroyed());
    });
    EXPECT_FALSE(outcome.Succeeded());
}

TEST_F(FilterDialogTest, FieldsAndListsKeepTheirKeysAndToolKeysActElsewhere) {
    RunWithDialog(FilterKinds::Edge, [](FilterDialog& dialog) {
        PreviewModel& preview = *dialog.Model()->Preview();
        HWND seed = ControlOf<VtRandomSeedControl>(dialog, edge::kKeyRandomSeed).EditHwnd();
        FocusAsTabDoes(dialog, seed);
        TypeKeys(dialog, "42abc");
        EXPECT_EQ(TextOf(seed), L"42abc");
        PressKeys(dialog, {VK_CONTROL, 'A'});
        DWORD from = 1;
        DWORD to = 0;
        SendMessageW(seed, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, 0u);
        EXPECT_EQ(to, 5u);
        // The field's own undo takes back the typing; no tool is chosen.
        PressKeys(dialog, {VK_CONTROL, 'Z'});
        EXPECT_NE(TextOf(seed), L"42abc");
        EXPECT_EQ(preview.Tool(), kPreviewToolPan);

        // A list finds its items by their first letters.
        VtDropdownListControl& type = ControlOf<VtDropdownListControl>(dialog, edge::kKeyEdgeType);
        FocusAsTabDoes(dialog, type.ComboHwnd());
        TypeKeys(dialog, "t");
        EXPECT_EQ(type.GetSelectedValue(), kEdgeTornPaper);
        TypeKeys(dialog, "h");
        EXPECT_EQ(type.GetSelectedValue(), kEdgeHalftoneDots);

        // Where no text goes, the letters choose the tools, and Ctrl+Z undoes
        // the last change without choosing one.
        FocusAsTabDoes(dialog, dialog.Model()->OkButton()->ButtonHwnd());
        TypeKeys(dialog, "z");
        EXPECT_EQ(preview.Tool(), kPreviewToolZoom);
        TypeKeys(dialog, "h");
        EXPECT_EQ(preview.Tool(), kPreviewToolPan);
        PressKeys(dialog, {VK_CONTROL, 'Z'});
        EXPECT_EQ(type.GetSelectedValue(), kEdgeTornPaper);
        EXPECT_EQ(preview.Tool(), kPreviewToolPan);
    });
}

TEST_F(FilterDialogTest, EscapeLeavesTheEyedropperWithoutPickingAndKeepsTheDialog) {
    RunWithDialog(FilterKinds::Edge, [](FilterDialog& dialog) {
        VtColorControl& colour = ControlOf<VtColorControl>(dialog, edge::kKeyColour);
        const ColorSpec before = colour.GetColour();
        const RECT dropper = colour.Layout().eyedropper;
        Click(colour.Hwnd(), (dropper.left + dropper.right) / 2, (dropper.top + dropper.bottom) / 2);
        ASSERT_EQ(colour.CurrentState(), VtColorControl::State::Eyedropping);
        PressKeys(dialog, {VK_ESCAPE});
        EXPECT_EQ(colour.CurrentState(), VtColorControl::State::Idle);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_FALSE(dialog.Model()->Destroyed());
        EXPECT_FALSE(dialog.Model()->CanUndo());
        const ColorSpec after = colour.GetColour();
        EXPECT_EQ(std::memcmp(&after, &before, sizeof before), 0);
    });
}

TEST_F(FilterDialogTest, EdgesAnotherEffectAndEdgesAgainByKeyboardShowTheSamePreviewAndEscapeWritesNothing) {
    host.SetImage(Layer());
    const HostImage before = host.Image();
    const RunOutcome outcome = RunWithDialog(FilterKinds::Edge, [this](FilterDialog& dialog) {
        TickUntilRendered(dialog);
        ASSERT_EQ(dialog.Model()->Preview()->Geometry().Scale(), 1.0);
        ASSERT_EQ(dialog.Model()->Preview()->State(), PreviewState::Shown);
        const std::vector<uint32_t> first = ShownPicture(dialog);
        PressKeys(dialog, {VK_CONTROL, VK_OEM_6});
        EXPECT_NE(dialog.Model()->CurrentKind(), FilterKinds::Edge);
        TickUntilRendered(dialog);
        PressKeys(dialog, {VK_CONTROL, VK_OEM_4});
        ASSERT_EQ(dialog.Model()->CurrentKind(), FilterKinds::Edge);
        TickUntilRendered(dialog);
        EXPECT_EQ(dialog.Model()->Preview()->State(), PreviewState::Shown);
        EXPECT_TRUE(ShownPicture(dialog) == first) << "the preview changed";
        const std::size_t warned = warnings.size();
        PressKeys(dialog, {VK_ESCAPE});
        EXPECT_TRUE(dialog.Model()->Destroyed());
        EXPECT_EQ(warnings.size(), warned);
    });
    EXPECT_EQ(outcome.result, ResultCode::kCancelled);
    EXPECT_EQ(host.Image().pixels, before.pixels);
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
}
