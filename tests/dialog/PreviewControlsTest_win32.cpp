// The preview, thumbnail and toolbox in the dialog, driven with mouse
// messages: zoom clicks and rectangles, the zoom range's ends, pan with the
// hand or with Space, press and hold for the original, the toolbox, lost
// captures and double clicks, and the preview's help.
#include "FilterDialogFixture_win32.h"
#include "controls/KeyboardHook.h"
#include "controls/VtPreviewControl.h"
#include "controls/VtStatusBarControl.h"
#include "controls/VtThumbnailControl.h"
#include "controls/VtToolboxControl.h"
#include "dialog/ZoomLevels.h"
#include "tests/controls/TestWindows.h"

namespace {

constexpr UINT kZoomIn = 10012;
constexpr UINT kZoomOut = 10013;
constexpr LPARAM kReleased = static_cast<LPARAM>(0xC0000001);

HWND PreviewHwnd(FilterDialog& dialog) { return dialog.Model()->PreviewControl()->Hwnd(); }

// The preview's pixel at the middle of its view, as it is drawn now.
uint32_t MiddlePixel(FilterDialog& dialog) {
    const PreviewGeometry& geometry = dialog.Model()->Preview()->Geometry();
    std::vector<uint32_t> pixels(static_cast<std::size_t>(geometry.ViewWidth()) * geometry.ViewHeight());
    dialog.Model()->Preview()->Compose(pixels.data());
    return pixels[static_cast<std::size_t>(geometry.ViewHeight() / 2) * geometry.ViewWidth() +
                  geometry.ViewWidth() / 2];
}

}  // namespace

class PreviewControlsTest : public FilterDialogTest {
protected:
    PreviewControlsTest() {
        // A picture larger than the preview, so that it can be panned at 100 %.
        HostImage image(HostImageMode::Rgb, 1600, 1200, true);
        for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>(40 + i % 97);
        host.SetImage(image);
    }
};

TEST_F(PreviewControlsTest, ZoomingInAtTheLargestOrOutAtTheSmallestChangesNothing) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        PreviewModel& preview = *dialog.Model()->Preview();
        for (int i = 0; i < 20; ++i) Command(dialog, kZoomIn);
        ASSERT_EQ(preview.Geometry().Scale(), 0.0625);
        TickUntilRendered(dialog);
        const int renders = DialogProbe().rendersStarted;
        const SourcePoint at = preview.Geometry().Position();
        Command(dialog, kZoomIn);
        EXPECT_EQ(preview.Geometry().Scale(), 0.0625);
        EXPECT_EQ(preview.Geometry().Position().x, at.x);
        EXPECT_EQ(preview.State(), PreviewState::Shown);
        for (int i = 0; i < 20; ++i) Command(dialog, kZoomOut);
        ASSERT_EQ(preview.Geometry().Scale(), 16.0);
        TickUntilRendered(dialog);
        Command(dialog, kZoomOut);
        EXPECT_EQ(preview.State(), PreviewState::Shown);
        EXPECT_EQ(DialogProbe().rendersStarted, renders + 1);
    });
}

TEST_F(PreviewControlsTest, ASmallZoomClickZoomsOneLevelAtThePointAndADragZoomsOntoTheRectangle) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        PreviewModel& preview = *dialog.Model()->Preview();
        Command(dialog, 10014);  // 100 %: the picture is larger than the view
        dialog.Model()->SetPreviewTool(kPreviewToolZoom);
        const double fitted = preview.Geometry().Scale();
        HWND hwnd = PreviewHwnd(dialog);
        const int x = 150 + VtPreviewControl::kEdge;
        const int y = 120 + VtPreviewControl::kEdge;
        const SourcePoint under = preview.Geometry().SourceAt(150, 120);
        MouseDown(hwnd, x, y);
        MouseMove(hwnd, x + 3, y + 2);  // less than 4 pixels either way
        MouseUp(hwnd, x + 3, y + 2);
        EXPECT_EQ(preview.Geometry().Scale(), ZoomedIn(fitted));
        // The source point under the release stays under it.
        const SourcePoint after = preview.Geometry().SourceAt(153, 122);
        EXPECT_NEAR(after.x, under.x + 3 * fitted, fitted);
        EXPECT_NEAR(after.y, under.y + 2 * fitted, fitted);

        // 4 pixels wide: onto the rectangle, at the largest magnification
        // where it still fits.
        const double before = preview.Geometry().Scale();
        MouseDown(hwnd, x, y);
        MouseMove(hwnd, x + 4, y + 1);
        EXPECT_EQ(dialog.Model()->PreviewControl()->CurrentDrag(), VtPreviewControl::DragMode::ZoomRect);
        MouseUp(hwnd, x + 4, y + 1);
        EXPECT_EQ(preview.Geometry().Scale(), 0.0625);  // 4 × 1 pixels: no level fills the view with them
        EXPECT_LT(preview.Geometry().Scale(), before);
    });
}

TEST_F(PreviewControlsTest, SpaceTurnsAZoomDragIntoAPan) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        PreviewModel& preview = *dialog.Model()->Preview();
        Command(dialog, 10014);  // actual size: the picture is larger than the view
        dialog.Model()->SetPreviewTool(kPreviewToolZoom);
        HWND hwnd = PreviewHwnd(dialog);
        const SourcePoint start = preview.Geometry().Position();
        PressKey(VK_SPACE);
        MouseDown(hwnd, 200, 200);
        EXPECT_EQ(dialog.Model()->PreviewControl()->CurrentDrag(), VtPreviewControl::DragMode::Pan);
        MouseMove(hwnd, 170, 180);
        MouseUp(hwnd, 170, 180);
        KeyboardHook::HookProcedure(HC_ACTION, VK_SPACE, kReleased);
        EXPECT_EQ(preview.Geometry().Scale(), 1.0);
        EXPECT_EQ(preview.Geometry().Position().x, start.x + 30);
        EXPECT_EQ(preview.Geometry().Position().y, start.y + 20);
    });
}

TEST_F(PreviewControlsTest, PanningShowsTheOriginalAndOneRenderFollowsTheRelease) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        PreviewModel& preview = *dialog.Model()->Preview();
        Command(dialog, 10014);
        TickUntilRendered(dialog);
        const uint32_t rendered = MiddlePixel(dialog);
        HWND hwnd = PreviewHwnd(dialog);
        const int renders = DialogProbe().rendersStarted;

        // Pressing and holding shows the original; releasing without a move
        // shows the render again, without rendering anew.
        MouseDown(hwnd, 150, 150);
        EXPECT_FALSE(preview.ShowsRendered());
        EXPECT_NE(MiddlePixel(dialog), rendered);
        MouseUp(hwnd, 150, 150);
        EXPECT_TRUE(preview.ShowsRendered());
        EXPECT_EQ(MiddlePixel(dialog), rendered);

        MouseDown(hwnd, 150, 150);
        for (int step = 1; step <= 5; ++step) {
            MouseMove(hwnd, 150 - 10 * step, 150);
            Tick(dialog);  // no render while the pointer pans
            EXPECT_FALSE(preview.ShowsRendered());
        }
        EXPECT_EQ(DialogProbe().rendersStarted, renders);
        MouseUp(hwnd, 100, 150);
        TickUntilRendered(dialog);
        EXPECT_EQ(DialogProbe().rendersStarted, renders + 1);
        EXPECT_TRUE(preview.ShowsRendered());
    });
}

TEST_F(PreviewControlsTest, TheThumbnailMovesThePreviewAndTheToolboxChoosesTheTool) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        PreviewModel& preview = *dialog.Model()->Preview();
        Command(dialog, 10014);
        TickUntilRendered(dialog);
        const int renders = DialogProbe().rendersStarted;
        HWND thumbnail = dialog.Model()->Thumbnail()->Hwnd();
        const Rect before = preview.Geometry().ShownSource();
        MouseDown(thumbnail, 10, 10);
        MouseMove(thumbnail, 12, 12);
        EXPECT_FALSE(preview.ShowsRendered());
        MouseUp(thumbnail, 12, 12);
        EXPECT_NE(preview.Geometry().ShownSource(), before);
        EXPECT_EQ(preview.Geometry().ShownSource().left, 0);  // the top-left corner, as far as the view goes
        TickUntilRendered(dialog);
        EXPECT_EQ(DialogProbe().rendersStarted, renders + 1);

        VtToolboxControl& toolbox = *dialog.Model()->Toolbox();
        SendMessageW(toolbox.Hwnd(), WM_COMMAND, MAKEWPARAM(2, BN_CLICKED),
                     reinterpret_cast<LPARAM>(toolbox.ButtonHwnd(1)));
        EXPECT_EQ(preview.Tool(), kPreviewToolZoom);
        Command(dialog, kZoomOut);
        SendMessageW(toolbox.Hwnd(), WM_COMMAND, MAKEWPARAM(2, BN_DOUBLECLICKED),
                     reinterpret_cast<LPARAM>(toolbox.ButtonHwnd(1)));
        EXPECT_EQ(preview.Geometry().Scale(), 1.0);
        EXPECT_FALSE(toolbox.ThirdToolShown());
        EXPECT_FALSE(IsWindowVisible(toolbox.ButtonHwnd(2)));
    });
}

TEST_F(PreviewControlsTest, TheCursorFollowsTheToolAndTheKeysHeld) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        VtPreviewControl& preview = *dialog.Model()->PreviewControl();
        enum { kNormal, kZoomIn, kZoomOut };
        EXPECT_EQ(preview.ChosenCursor(), preview.Cursor(kNormal));  // the hand
        dialog.Model()->SetPreviewTool(kPreviewToolZoom);
        EXPECT_EQ(preview.ChosenCursor(), preview.Cursor(kZoomIn));
        PressKey(VK_SPACE);
        EXPECT_EQ(preview.ChosenCursor(), preview.Cursor(kNormal));
        KeyboardHook::HookProcedure(HC_ACTION, VK_SPACE, kReleased);
        EXPECT_EQ(preview.ChosenCursor(), preview.Cursor(kZoomIn));
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_MENU] = 0x80;
        SetKeyboardState(keys);
        EXPECT_EQ(preview.ChosenCursor(), preview.Cursor(kZoomOut));
        keys[VK_MENU] = 0;
        SetKeyboardState(keys);
    });
}

TEST_F(PreviewControlsTest, AGestureWhoseMouseAnotherWindowTakesEnds) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        PreviewModel& preview = *dialog.Model()->Preview();
        VtPreviewControl& control = *dialog.Model()->PreviewControl();
        Command(dialog, 10014);
        TickUntilRendered(dialog);
        // Another window takes the mouse, as Alt+Tab does in the middle of a drag.
        auto takeMouse = [&dialog] {
            SetCapture(dialog.Model()->OkButton()->ButtonHwnd());
            ReleaseCapture();
        };
        // A pan ends where the pointer left the view, and one render follows.
        MouseDown(control.Hwnd(), 150, 150);
        MouseMove(control.Hwnd(), 120, 150);
        const SourcePoint panned = preview.Geometry().Position();
        takeMouse();
        EXPECT_EQ(control.CurrentDrag(), VtPreviewControl::DragMode::None);
        EXPECT_FALSE(preview.Panning());
        MouseMove(control.Hwnd(), 60, 150);
        EXPECT_EQ(preview.Geometry().Position().x, panned.x);
        TickUntilRendered(dialog);
        EXPECT_TRUE(preview.ShowsRendered());
        // A zoom drag ends without zooming, and the render shows again.
        dialog.Model()->SetPreviewTool(kPreviewToolZoom);
        const double scale = preview.Geometry().Scale();
        MouseDown(control.Hwnd(), 150, 150);
        MouseMove(control.Hwnd(), 200, 190);
        takeMouse();
        EXPECT_TRUE(preview.ShowsRendered());
        MouseUp(control.Hwnd(), 200, 190);
        EXPECT_EQ(preview.Geometry().Scale(), scale);
        // The thumbnail lets go as well.
        HWND thumbnail = dialog.Model()->Thumbnail()->Hwnd();
        MouseDown(thumbnail, 10, 10);
        takeMouse();
        EXPECT_FALSE(preview.Panning());
        const Rect shown = preview.Geometry().ShownSource();
        MouseMove(thumbnail, 40, 30);
        EXPECT_EQ(preview.Geometry().ShownSource(), shown);
    });
}

TEST_F(PreviewControlsTest, TheSecondClickOfAQuickDoubleClickZoomsAgain) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        PreviewModel& preview = *dialog.Model()->Preview();
        dialog.Model()->SetPreviewTool(kPreviewToolZoom);
        const double fitted = preview.Geometry().Scale();
        HWND hwnd = PreviewHwnd(dialog);
        // What the system sends for a double click: down, up, double-click, up.
        MouseDown(hwnd, 150, 120);
        MouseUp(hwnd, 150, 120);
        SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(150, 120));
        MouseUp(hwnd, 150, 120);
        EXPECT_EQ(preview.Geometry().Scale(), ZoomedIn(ZoomedIn(fitted)));
    });
}

TEST_F(PreviewControlsTest, ThePreviewsHelpFollowsTheToolChosen) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        SetForegroundWindow(dialog.Hwnd());
        RECT preview{};
        GetWindowRect(PreviewHwnd(dialog), &preview);
        SetCursorPos((preview.left + preview.right) / 2, (preview.top + preview.bottom) / 2);
        Tick(dialog);
        if (GetForegroundWindow() != dialog.Hwnd()) GTEST_SKIP() << "the display gives the dialog no focus";
        VtStatusBarControl& statusBar = *dialog.Model()->StatusBar();
        EXPECT_EQ(statusBar.ShownHelp(), LoadResourceString(11002));
        SendMessageW(dialog.Model()->Toolbox()->ButtonHwnd(1), BM_CLICK, 0, 0);
        ASSERT_EQ(dialog.Model()->Preview()->Tool(), kPreviewToolZoom);
        Tick(dialog);
        EXPECT_EQ(statusBar.ShownHelp(), LoadResourceString(11007));
    });
}
