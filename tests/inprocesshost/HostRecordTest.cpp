// What the filter record tells the plug-in about the document: the filter
// case from transparency, selection and protection, the planes, the filter
// rectangle, and the colours in the image's mode.
#include <gtest/gtest.h>

#include "inprocesshost/InProcessHost.h"

namespace {

struct CaseExample {
    bool transparency;
    bool selection;
    bool isProtected;
    bool floating;
    int16_t filterCase;
};

TEST(HostRecord, FilterCaseFollowsTransparencySelectionProtectionAndFloating) {
    const CaseExample examples[] = {
        {false, false, false, false, 1}, {false, true, false, false, 2}, {false, false, false, true, 3},
        {true, true, false, true, 3},    {true, false, false, false, 4}, {true, true, false, false, 5},
        {true, false, true, false, 6},   {true, true, true, false, 7},
    };
    for (const CaseExample& e : examples) {
        InProcessHost host;
        host.SetImage(HostImage(HostImageMode::Rgb, 8, 6, e.transparency))
            .SetTransparencyProtected(e.isProtected)
            .SetFloatingSelection(e.floating);
        if (e.selection) host.SelectRect(Rect(1, 2, 4, 7));
        const ps::FilterRecord& record = host.Record();
        EXPECT_EQ(record.filterCase, e.filterCase) << "transparency " << e.transparency << " selection " << e.selection
                                                   << " protected " << e.isProtected << " floating " << e.floating;
        EXPECT_EQ(record.haveMask, e.selection ? 1 : 0);
        EXPECT_EQ(record.isFloating, e.floating ? 1 : 0);
    }
}

TEST(HostRecord, PlanesAndLayerFieldsFollowTheModeAndTransparency) {
    InProcessHost host;
    host.SetImage(HostImage(HostImageMode::Cmyk, 4, 3, true));
    ps::FilterRecord& record = host.Record();
    EXPECT_EQ(record.imageMode, ps::plugInModeCMYKColor);
    EXPECT_EQ(record.planes, 5);
    EXPECT_EQ(record.inLayerPlanes, 4);
    EXPECT_EQ(record.inTransparencyMask, 1);
    EXPECT_EQ(record.outTransparencyMask, 1);
    EXPECT_EQ(record.imageSize.h, 4);
    EXPECT_EQ(record.imageSize.v, 3);

    host.SetTransparencyProtected(true);
    EXPECT_EQ(record.inTransparencyMask, 1);
    EXPECT_EQ(record.outTransparencyMask, 0) << "protected transparency is not the plug-in's to write";

    host.SetImage(HostImage(HostImageMode::Grey, 4, 3, false));
    EXPECT_EQ(record.planes, 1);
    EXPECT_EQ(record.inTransparencyMask, 0);
    host.SetImage(HostImage(HostImageMode::Lab, 4, 3, false));
    EXPECT_EQ(record.planes, 3);
    EXPECT_EQ(record.imageMode, ps::plugInModeLabColor);
}

TEST(HostRecord, FilterRectIsTheSelectionsBounds) {
    InProcessHost host;
    host.SetImage(HostImage(HostImageMode::Rgb, 10, 8, false));
    ps::FilterRecord& record = host.Record();
    EXPECT_EQ(record.filterRect.right, 10);
    EXPECT_EQ(record.filterRect.bottom, 8);

    std::vector<uint8_t> selection(80, 0);
    selection[2 * 10 + 3] = 10;   // (3, 2)
    selection[5 * 10 + 6] = 255;  // (6, 5)
    host.SetSelection(selection);
    EXPECT_EQ(record.filterRect.top, 2);
    EXPECT_EQ(record.filterRect.left, 3);
    EXPECT_EQ(record.filterRect.bottom, 6);
    EXPECT_EQ(record.filterRect.right, 7);

    host.SetSelection(std::vector<uint8_t>(79, 255));  // not the image's size
    EXPECT_EQ(record.haveMask, 0);
}

TEST(HostRecord, ColoursAndResolution) {
    InProcessHost host;
    host.SetImage(HostImage(HostImageMode::Cmyk, 2, 2, false))
        .SetColours({255, 0, 0}, {255, 255, 255})
        .SetResolution(150.0);
    const ps::FilterRecord& record = host.Record();
    EXPECT_EQ(record.foreground.red, 0xFFFF);
    EXPECT_EQ(record.foreground.green, 0);
    // Red is magenta and yellow ink, stored inverted.
    EXPECT_EQ(record.foreColor[0], 255);
    EXPECT_EQ(record.foreColor[1], 0);
    EXPECT_EQ(record.foreColor[2], 0);
    EXPECT_EQ(record.foreColor[3], 255);
    EXPECT_EQ(record.imageHRes, 150 * 65536);
}

TEST(HostRecord, MissingCallbacksAndNullProcedures) {
    InProcessHost host;
    host.Without(HostCallback::ColourServices).Without(HostCallback::Descriptors).WithNullProcs(HostSuite::Buffers);
    const ps::FilterRecord& record = host.Record();
    EXPECT_EQ(record.colorServices, nullptr);
    EXPECT_EQ(record.descriptorParameters, nullptr);
    ASSERT_NE(record.bufferProcs, nullptr);
    EXPECT_EQ(record.bufferProcs->numBufferProcs, ps::kCurrentBufferProcsCount);
    EXPECT_EQ(record.bufferProcs->allocateProc, nullptr);
    EXPECT_NE(record.advanceState, nullptr);
    EXPECT_NE(record.handleProcs->newProc, nullptr);
}

}  // namespace
