// The host driving the real core through Photoshop_Entry_Point with a small
// effect: the whole selector sequence, scripting parameters in, pixels out,
// nothing leaked.
#include <gtest/gtest.h>

#include "host/FilterFactory.h"
#include "inprocesshost/InProcessHost.h"
#include "platform/Warning.h"
#include "tests/inprocesshost/TestEffect.h"

namespace {

constexpr FilterKind kKind = FilterKinds::Patchwork;

TEST(HostWithCore, RunsTheEffectWithScriptedParametersAndLeaksNothing) {
    const ScopedFilterOverride effect(kKind, [] { return std::make_unique<testeffect::TestEffect>(); });
    InProcessHost host;
    HostImage image(HostImageMode::Rgb, 5, 4, false);
    image.Fill({100, 150, 250});
    DescriptorStore play;
    play.PutFloat(testeffect::kAmountKey, 20.0);
    host.SetImage(image).SetPlayDescriptor(play).SetPlayMode(ps::plugInDialogDontDisplay);

    const RunOutcome outcome = host.RunFilter(kKind);
    ASSERT_TRUE(outcome.Succeeded()) << outcome.result << " at selector " << outcome.selector;
    EXPECT_EQ(host.Image().At(0, 0, 0), 120);
    EXPECT_EQ(host.Image().At(4, 3, 1), 170);
    EXPECT_EQ(host.Image().At(2, 2, 2), 255) << "clamped";
    EXPECT_EQ(host.DataSlot(kKind), 0) << "finish frees the run";
    ASSERT_NE(host.ParametersHandle(kKind), nullptr) << "the host keeps the parameters";
    EXPECT_EQ(host.LeakedHandles(), 0);
    EXPECT_EQ(host.HandleCounts().locked, 0);
    EXPECT_EQ(host.HandleCounts().invalidCalls, 0);
    EXPECT_EQ(host.BufferCounts().live, 0);
    EXPECT_EQ(host.OpenDescriptors(), 0);
    ASSERT_FALSE(host.ProgressCalls().empty());
    EXPECT_EQ(host.ProgressCalls().back().done, host.ProgressCalls().back().total);

    // A repeat run without a descriptor uses the parameters kept from the last.
    host.SetPlayDescriptor(std::nullopt);
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    EXPECT_EQ(host.Image().At(0, 0, 0), 140);
}

TEST(HostWithCore, SelectionLimitsTheEffect) {
    const ScopedFilterOverride effect(kKind, [] { return std::make_unique<testeffect::TestEffect>(); });
    InProcessHost host;
    HostImage image(HostImageMode::Grey, 6, 6, false);
    image.Fill({50});
    host.SetImage(image).SelectRect(Rect(1, 2, 3, 5));
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    for (int32_t y = 0; y < 6; ++y) {
        for (int32_t x = 0; x < 6; ++x) {
            const bool inside = y >= 1 && y < 3 && x >= 2 && x < 5;
            EXPECT_EQ(host.Image().At(x, y, 0), inside ? 60 : 50) << x << "," << y;
        }
    }
}

TEST(HostWithCore, AMissingCallbackIsRefusedAtPrepareAndTheImageKept) {
    const ScopedFilterOverride effect(kKind, [] { return std::make_unique<testeffect::TestEffect>(); });
    InProcessHost host;
    HostImage image(HostImageMode::Grey, 3, 3, false);
    image.Fill({50});
    host.SetImage(image).Without(HostCallback::DisplayPixels);
    std::vector<std::string> warnings;
    const WarningSink previous = SetWarningSink([&warnings](const std::string& line) { warnings.push_back(line); });
    const RunOutcome outcome = host.RunFilter(kKind);
    SetWarningSink(previous);
    EXPECT_EQ(warnings.size(), 1u) << "the core says why, once";
    EXPECT_EQ(outcome.selector, ps::filterSelectorPrepare);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(host.Image().At(1, 1, 0), 50);
}

}  // namespace
