// The Edges dialog as a host runs it: the layer's transparency decides
// whether the transparent box can be ticked, and a run confirmed in the
// dialog is recorded so that replaying it silently gives the same picture.
#include <cstring>

#include "FilterDialogFixture_win32.h"
#include "controls/VtCheckboxControl.h"
#include "controls/VtDropdownListControl.h"
#include "controls/VtLengthSliderControl.h"
#include "filters/edge/Edge.h"
#include "tests/controls/TestWindows.h"

namespace {

HostImage Picture(bool transparency) {
    HostImage image(HostImageMode::Rgb, 120, 90, transparency);
    for (int32_t y = 0; y < 90; ++y) {
        for (int32_t x = 0; x < 120; ++x) {
            image.At(x, y, 0) = static_cast<uint8_t>(x * 2);
            image.At(x, y, 1) = static_cast<uint8_t>(y * 2);
            image.At(x, y, 2) = 90;
            if (transparency) image.At(x, y, 3) = x >= 6 && x < 114 ? 255 : 0;
        }
    }
    return image;
}

}  // namespace

TEST_F(FilterDialogTest, TheTransparentBoxFollowsTheLayersTransparency) {
    for (const bool transparency : {false, true}) {
        host.SetImage(Picture(transparency));
        RunWithDialog(FilterKinds::Edge, [transparency](FilterDialog& dialog) {
            HWND box = ControlOf<VtCheckboxControl>(dialog, edge::kKeyTransparent).ButtonHwnd();
            EXPECT_EQ(IsWindowEnabled(box) != FALSE, transparency);
        });
    }
}

TEST_F(FilterDialogTest, AConfirmedRunIsRecordedAndReplaysToTheSamePicture) {
    host.SetImage(Picture(true));
    const RunOutcome outcome = RunWithDialog(FilterKinds::Edge, [](FilterDialog& dialog) {
        VtLengthSliderControl& width = ControlOf<VtLengthSliderControl>(dialog, edge::kKeyWidth);
        SetFocus(width.EditHwnd());
        ReplaceText(width.EditHwnd(), L"17.5");
        SetFocus(dialog.Model()->OkButton()->ButtonHwnd());
        VtDropdownListControl& type = ControlOf<VtDropdownListControl>(dialog, edge::kKeyEdgeType);
        SendMessageW(type.ComboHwnd(), CB_SETCURSEL, 3, 0);
        SendMessageW(type.Hwnd(), WM_COMMAND, MAKEWPARAM(VtDropdownListControl::kComboId, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(type.ComboHwnd()));
        const EdgeParameters& p = dialog.Model()->CurrentBlock().As<EdgeParameters>();
        EXPECT_EQ(p.width.value, 17.5);
        EXPECT_EQ(p.edgeType, kEdgeHalftoneLines);
        TickUntilRendered(dialog);
        Command(dialog, IDOK);
    });
    ASSERT_TRUE(outcome.Succeeded()) << outcome.errorText;
    ASSERT_TRUE(host.RecordedDescriptor().has_value());
    const DescriptorItem* width = host.RecordedDescriptor()->Find(edge::kKeyWidth);
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->bytes, "17.50 pixels");
    const std::vector<uint8_t> confirmed = host.Image().pixels;
    EXPECT_NE(confirmed, Picture(true).pixels);

    // Replayed silently, over other stored parameters, on the same picture.
    host.SetImage(Picture(true));
    host.ReplayRecordedDescriptor().SetPlayMode(ps::plugInDialogDontDisplay);
    Edge edge;
    edge.kind = FilterKinds::Edge;
    ParameterBlock defaults{};
    edge.WriteDefaults(defaults);
    std::memcpy(host.Handles().Lock(host.ParametersHandle(FilterKinds::Edge)), &defaults, sizeof defaults);
    host.Handles().Unlock(host.ParametersHandle(FilterKinds::Edge));
    ASSERT_TRUE(host.RunFilter(FilterKinds::Edge).Succeeded());
    EXPECT_EQ(host.Image().pixels, confirmed);
}
