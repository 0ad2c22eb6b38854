// The advance-state exchange: exactly the requested rectangles and planes,
// interleaved with the row bytes the record states, and output written back
// only at the next exchange.
#include <gtest/gtest.h>

#include "inprocesshost/InProcessHost.h"

namespace {

// A value per pixel and plane that differs between neighbours.
uint8_t Pattern(int32_t x, int32_t y, int32_t plane) { return static_cast<uint8_t>(x * 40 + y * 7 + plane * 3 + 1); }

HostImage PatternImage(HostImageMode mode, int32_t width, int32_t height, bool transparency) {
    HostImage image(mode, width, height, transparency);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            for (int32_t p = 0; p < image.Planes(); ++p) image.At(x, y, p) = Pattern(x, y, p);
        }
    }
    return image;
}

void Request(ps::Rect16& field, int16_t top, int16_t left, int16_t bottom, int16_t right) {
    field = ps::Rect16{top, left, bottom, right};
}

TEST(HostAdvanceState, DeliversExactlyTheRequestedInputPlanesWithRowPadding) {
    InProcessHost host;
    host.SetImage(PatternImage(HostImageMode::Rgb, 6, 5, true)).SetRowPadding(3);
    ps::FilterRecord& record = host.Record();
    Request(record.inRect, 1, 2, 4, 5);  // rows 1..3, columns 2..4
    record.inLoPlane = 1;
    record.inHiPlane = 3;  // green, blue and the transparency

    ASSERT_EQ(record.advanceState(), ps::noErr);
    ASSERT_NE(record.inData, nullptr);
    EXPECT_EQ(record.inRowBytes, 3 * 3 + 3);
    const auto* rows = static_cast<const uint8_t*>(record.inData);
    for (int32_t y = 1; y < 4; ++y) {
        for (int32_t x = 2; x < 5; ++x) {
            for (int32_t p = 1; p <= 3; ++p) {
                const uint8_t delivered = rows[(y - 1) * record.inRowBytes + (x - 2) * 3 + (p - 1)];
                EXPECT_EQ(delivered, Pattern(x, y, p)) << "x " << x << " y " << y << " plane " << p;
            }
        }
    }
    EXPECT_EQ(record.outData, nullptr);
    EXPECT_EQ(record.maskData, nullptr);
}

TEST(HostAdvanceState, WritesOutputBackAtTheNextExchangeOnly) {
    InProcessHost host;
    host.SetImage(PatternImage(HostImageMode::Rgb, 4, 4, true));
    ps::FilterRecord& record = host.Record();
    Request(record.outRect, 1, 1, 3, 3);
    record.outLoPlane = 0;
    record.outHiPlane = 1;  // red and green only
    ASSERT_EQ(record.advanceState(), ps::noErr);
    ASSERT_NE(record.outData, nullptr);
    // The output rows start as the image's pixels.
    EXPECT_EQ(static_cast<uint8_t*>(record.outData)[record.outRowBytes + 2], Pattern(2, 2, 0));
    auto* out = static_cast<uint8_t*>(record.outData);
    for (int32_t row = 0; row < 2; ++row) {
        for (int32_t i = 0; i < 4; ++i) out[row * record.outRowBytes + i] = static_cast<uint8_t>(200 + row * 4 + i);
    }
    EXPECT_EQ(host.Image().At(1, 1, 0), Pattern(1, 1, 0)) << "written before the next exchange";

    record.outRect = ps::Rect16{0, 0, 0, 0};
    ASSERT_EQ(record.advanceState(), ps::noErr);
    EXPECT_EQ(record.outData, nullptr);
    const HostImage& image = host.Image();
    EXPECT_EQ(image.At(1, 1, 0), 200);
    EXPECT_EQ(image.At(1, 1, 1), 201);
    EXPECT_EQ(image.At(2, 1, 0), 202);
    EXPECT_EQ(image.At(2, 2, 1), 207);
    // Planes and pixels outside the request keep their values.
    EXPECT_EQ(image.At(1, 1, 2), Pattern(1, 1, 2));
    EXPECT_EQ(image.At(1, 1, 3), Pattern(1, 1, 3));
    EXPECT_EQ(image.At(0, 0, 0), Pattern(0, 0, 0));
    EXPECT_EQ(image.At(3, 2, 0), Pattern(3, 2, 0));
}

TEST(HostAdvanceState, ClipsRequestsToTheDocumentAndSaysSo) {
    InProcessHost host;
    host.SetImage(PatternImage(HostImageMode::Grey, 5, 4, false));
    ps::FilterRecord& record = host.Record();
    Request(record.inRect, -2, 3, 2, 9);
    ASSERT_EQ(record.advanceState(), ps::noErr);
    EXPECT_EQ(record.inRect.top, 0);
    EXPECT_EQ(record.inRect.left, 3);
    EXPECT_EQ(record.inRect.bottom, 2);
    EXPECT_EQ(record.inRect.right, 5);
    // Every plane without padding: the image's own rows, the whole image's row apart.
    EXPECT_EQ(record.inRowBytes, 5);
    EXPECT_EQ(record.inData, &host.Image().pixels[3]);
    EXPECT_EQ(static_cast<uint8_t*>(record.inData)[record.inRowBytes + 1], Pattern(4, 1, 0));

    Request(record.inRect, 10, 10, 12, 12);  // wholly outside
    ASSERT_EQ(record.advanceState(), ps::noErr);
    EXPECT_EQ(record.inData, nullptr);
}

TEST(HostAdvanceState, RefusesPlanesTheImageDoesNotHave) {
    InProcessHost host;
    host.SetImage(PatternImage(HostImageMode::Rgb, 3, 3, false));
    ps::FilterRecord& record = host.Record();
    Request(record.inRect, 0, 0, 1, 1);
    record.inLoPlane = 0;
    record.inHiPlane = 3;
    EXPECT_EQ(record.advanceState(), ps::paramErr);
    record.inLoPlane = 2;
    record.inHiPlane = 1;
    EXPECT_EQ(record.advanceState(), ps::paramErr) << "a plane range running backwards";
    // An empty request asks for no planes at all.
    record.inRect = ps::Rect16{0, 0, 0, 0};
    EXPECT_EQ(record.advanceState(), ps::noErr);
}

TEST(HostAdvanceState, ProtectedTransparencyCanBeReadButNotWritten) {
    InProcessHost host;
    host.SetImage(PatternImage(HostImageMode::Rgb, 3, 3, true)).SetTransparencyProtected(true);
    ps::FilterRecord& record = host.Record();
    Request(record.inRect, 0, 0, 2, 2);
    record.inLoPlane = 3;
    record.inHiPlane = 3;
    EXPECT_EQ(record.advanceState(), ps::noErr);
    Request(record.outRect, 0, 0, 2, 2);
    record.outLoPlane = 0;
    record.outHiPlane = 3;
    EXPECT_EQ(record.advanceState(), ps::paramErr);
}

TEST(HostAdvanceState, DeliversTheSelectionAsMaskAndNothingWithoutOne) {
    InProcessHost host;
    host.SetImage(PatternImage(HostImageMode::Rgb, 4, 3, false));
    ps::FilterRecord& record = host.Record();
    Request(record.maskRect, 0, 0, 3, 4);
    ASSERT_EQ(record.advanceState(), ps::noErr);
    EXPECT_EQ(record.maskData, nullptr);

    std::vector<uint8_t> selection(12, 0);
    selection[1 * 4 + 2] = 255;
    selection[2 * 4 + 3] = 128;
    host.SetSelection(selection);
    Request(record.maskRect, 1, 2, 3, 4);
    ASSERT_EQ(record.advanceState(), ps::noErr);
    ASSERT_NE(record.maskData, nullptr);
    const auto* mask = static_cast<const uint8_t*>(record.maskData);
    EXPECT_EQ(mask[0], 255);
    EXPECT_EQ(mask[1], 0);
    EXPECT_EQ(mask[record.maskRowBytes], 0);
    EXPECT_EQ(mask[record.maskRowBytes + 1], 128);
}

// A plug-in that fills what it is asked to produce, piece by piece.
struct FillingPlugin {
    int16_t continueResult = 0;
    int continueCalls = 0;

    void operator()(int16_t selector, void* data, intptr_t*, int16_t* result, int32_t) {
        auto& record = *static_cast<ps::FilterRecord*>(data);
        *result = 0;
        if (selector == ps::filterSelectorStart) {
            record.outRect = ps::Rect16{0, 0, 2, 3};  // first piece: the top rows
            record.outLoPlane = 0;
            record.outHiPlane = 0;
        } else if (selector == ps::filterSelectorContinue) {
            ++continueCalls;
            Fill(record);
            if (record.outRect.top == 0) {
                record.outRect = ps::Rect16{2, 0, 3, 3};  // then the last row
            } else {
                record.outRect = ps::Rect16{0, 0, 0, 0};
                *result = continueResult;
            }
        }
    }

    static void Fill(ps::FilterRecord& record) {
        auto* out = static_cast<uint8_t*>(record.outData);
        const int32_t rows = record.outRect.bottom - record.outRect.top;
        for (int32_t row = 0; row < rows; ++row) {
            for (int32_t x = 0; x < 3; ++x) out[row * record.outRowBytes + x] = 99;
        }
    }
};

TEST(HostRun, ContinuesWhileRequestedAndKeepsTheOutput) {
    InProcessHost host;
    host.SetImage(PatternImage(HostImageMode::Grey, 3, 3, false));
    FillingPlugin plugin;
    host.SetEntry(std::ref(plugin));
    const RunOutcome outcome = host.RunFilter(FilterKinds::Edge);
    ASSERT_TRUE(outcome.Succeeded()) << outcome.result;
    EXPECT_EQ(plugin.continueCalls, 2);
    const std::vector<int16_t> expected = {ps::filterSelectorPrepare, ps::filterSelectorStart,
                                           ps::filterSelectorContinue, ps::filterSelectorContinue,
                                           ps::filterSelectorFinish};
    EXPECT_EQ(host.SelectorLog(), expected);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(host.Image().At(x, y, 0), 99) << x << "," << y;
    }
}

TEST(HostRun, AFailedContinueLeavesTheImageAsItWasAndStillFinishes) {
    InProcessHost host;
    host.SetImage(PatternImage(HostImageMode::Grey, 3, 3, false));
    FillingPlugin plugin;
    plugin.continueResult = -1;
    host.SetEntry(std::ref(plugin));
    const RunOutcome outcome = host.RunFilter(FilterKinds::Edge);
    EXPECT_EQ(outcome.result, -1);
    EXPECT_EQ(outcome.selector, ps::filterSelectorContinue);
    EXPECT_EQ(host.SelectorLog().back(), ps::filterSelectorFinish);
    EXPECT_EQ(host.Image().At(0, 0, 0), Pattern(0, 0, 0));
    EXPECT_EQ(host.Image().At(2, 2, 0), Pattern(2, 2, 0));
}

TEST(HostRun, AFailedStartEndsTheRunWithoutFinish) {
    InProcessHost host;
    host.SetImage(PatternImage(HostImageMode::Grey, 3, 3, false));
    host.SetEntry([](int16_t selector, void*, intptr_t*, int16_t* result, int32_t) {
        *result = selector == ps::filterSelectorStart ? 1 : 0;
    });
    const RunOutcome outcome = host.RunFilter(FilterKinds::Edge, RunOptions{true});
    EXPECT_EQ(outcome.selector, ps::filterSelectorStart);
    const std::vector<int16_t> expected = {ps::filterSelectorParameters, ps::filterSelectorPrepare,
                                           ps::filterSelectorStart};
    EXPECT_EQ(host.SelectorLog(), expected);
}

TEST(HostRun, AutoMaskBlendsThroughTheSelectionUnlessThePluginClearsIt) {
    for (bool pluginMasks : {false, true}) {
        InProcessHost host;
        host.SetImage(PatternImage(HostImageMode::Grey, 3, 3, false));
        std::vector<uint8_t> selection(9, 0);
        selection[0] = 255;
        selection[1] = 51;  // a fifth selected
        host.SetSelection(selection);
        host.SetEntry([pluginMasks](int16_t selector, void* data, intptr_t*, int16_t* result, int32_t) {
            auto& record = *static_cast<ps::FilterRecord*>(data);
            *result = 0;
            if (selector == ps::filterSelectorStart) {
                if (pluginMasks) record.autoMask = 0;
                record.outRect = ps::Rect16{0, 0, 1, 3};
            } else if (selector == ps::filterSelectorContinue) {
                for (int x = 0; x < 3; ++x) static_cast<uint8_t*>(record.outData)[x] = 255;
                record.outRect = ps::Rect16{0, 0, 0, 0};
            }
        });
        ASSERT_TRUE(host.RunFilter(FilterKinds::Edge).Succeeded());
        // 41 + (255 - 41) * 51 / 255 = 83.8, rounded to 84, when the host masks.
        EXPECT_EQ(host.Image().At(1, 0, 0), pluginMasks ? 255 : 84);
        EXPECT_EQ(host.Image().At(0, 0, 0), 255);
        EXPECT_EQ(host.Image().At(2, 0, 0), pluginMasks ? 255 : Pattern(2, 0, 0));
    }
}

}  // namespace
