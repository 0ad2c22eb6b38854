// The finish selector's record of a confirmed run, and the affected-area
// query.
#include "EntryFixture.h"

#include <cstring>

#include "platform/ResourceStrings.h"

namespace {

double RecordedAmount(const DescriptorStore& store) {
    const DescriptorItem* item = store.Find(kProbeAmountKey);
    return item == nullptr ? -1.0 : item->number;
}

TEST_F(EntryTest, AConfirmedDialogIsRecordedAndCanBeReplayed) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    dialogEdit = [](ParameterBlock& block) { block.As<ProbeRecord>().amount = 70.0; };
    ASSERT_TRUE(host.RunFilter(kKind, RunOptions{true}).Succeeded());
    ASSERT_TRUE(host.RecordedDescriptor().has_value());
    const DescriptorStore recorded = *host.RecordedDescriptor();
    EXPECT_EQ(RecordedAmount(recorded), 70.0);
    const DescriptorItem* flag = recorded.Find(kProbeFlagKey);
    ASSERT_NE(flag, nullptr);
    EXPECT_EQ(flag->type, ps::typeBoolean);
    EXPECT_EQ(flag->integer, 1);

    // The action replays: silent, with the recorded values, whatever the
    // stored block holds by then.
    StoreParameters(ProbeRecord{kKind, 10.0, 1});
    host.ReplayRecordedDescriptor().SetPlayMode(ps::plugInDialogDontDisplay);
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    EXPECT_EQ(probe.log.amountsRendered.back(), 70.0);
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_EQ(host.LeakedHandles(), 0);
    EXPECT_EQ(host.OpenDescriptors(), 0);
}

TEST_F(EntryTest, NothingIsRecordedWithoutAConfirmedDialog) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());  // silent
    EXPECT_FALSE(host.RecordedDescriptor().has_value());

    probe.settings.wantsDialog = false;
    ASSERT_TRUE(host.RunFilter(kKind, RunOptions{true}).Succeeded());
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
}

TEST_F(EntryTest, ADialogThatSwitchedEffectsRecordsTheDefaultsOfTheRunsEffect) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    // The user switched to another effect in the dialog: the block holds its
    // parameters when the run ends.
    dialogEdit = [](ParameterBlock& block) {
        block.kind = FilterKinds::Patchwork;
        block.As<ProbeRecord>().amount = 77.0;
    };
    ASSERT_EQ(host.CallSelector(kKind, ps::filterSelectorParameters), 0);
    ASSERT_EQ(host.CallSelector(kKind, ps::filterSelectorPrepare), 0);
    ASSERT_EQ(host.CallSelector(kKind, ps::filterSelectorStart), 0);
    ASSERT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);

    ps::PIDescriptorParameters& descriptor = *host.Record().descriptorParameters;
    DescriptorStore written;
    ASSERT_TRUE(host.Descriptors().ReadDescriptorHandle(descriptor.descriptor, written));
    EXPECT_EQ(RecordedAmount(written), kProbeDefaultAmount);
    EXPECT_EQ(descriptor.recordInfo, ps::plugInDialogOptional);
    host.Handles().Dispose(descriptor.descriptor);
    descriptor.descriptor = nullptr;
    // The run's effect and the temporary one are both gone, and so is the
    // temporary block.
    EXPECT_EQ(probe.log.created, 2);
    EXPECT_EQ(probe.log.destroyed, 2);
    EXPECT_EQ(host.LeakedHandles(), 0);
}

TEST_F(EntryTest, AHostThatRefusesTheDescriptorStillEndsTheRun) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false)).WithNullProcs(HostSuite::WriteDescriptors);
    ASSERT_TRUE(host.RunFilter(kKind, RunOptions{true}).Succeeded());
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
    EXPECT_EQ(host.DataSlot(kKind), 0);
    EXPECT_EQ(host.OpenDescriptors(), 0);
}

TEST_F(EntryTest, TheAffectedAreaIsTheInputJoinedWithTheEffectsAnswer) {
    host.SetImage(HostImage(HostImageMode::Rgb, 50, 50, false));
    probe.settings.affectedGrowth = 3;
    Rect affected;
    ASSERT_EQ(host.QueryAffectedArea(kKind, Rect(10, 20, 30, 40), affected), 0);
    EXPECT_EQ(affected, Rect(7, 17, 33, 43));
    // The query made the parameters as start would.
    EXPECT_EQ(StoredParameters().amount, kProbeDefaultAmount);
}

TEST_F(EntryTest, TheAffectedAreaOfAnEmptyInputIsTheEffectsAnswerAlone) {
    host.SetImage(HostImage(HostImageMode::Rgb, 50, 50, false));
    probe.settings.fixedAffected = Rect(0, 0, 5, 5);
    Rect affected;
    ASSERT_EQ(host.QueryAffectedArea(kKind, Rect(8, 8, 8, 8), affected), 0);
    EXPECT_EQ(affected, Rect(0, 0, 5, 5));
    ASSERT_EQ(host.QueryAffectedArea(kKind, Rect(10, 10, 20, 20), affected), 0);
    EXPECT_EQ(affected, Rect(0, 0, 20, 20));
}

}  // namespace

TEST_F(EntryTest, ARunThatAsksForTheDialogFailsWhereNoneCanBeShown) {
    // No dialog installed, as in a build without a window system: the run
    // must not pass for one the user confirmed.
    const FilterDialogRunner fixtureRunner = SetFilterDialogRunner(FilterDialogRunner());
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    const HostImage before = host.Image();
    const RunOutcome outcome = host.RunFilter(kKind, RunOptions{true});
    SetFilterDialogRunner(fixtureRunner);
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
    EXPECT_EQ(host.Image().pixels, before.pixels);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], WarningLine(LoadResourceString(kMessageNoDialog)));
}
