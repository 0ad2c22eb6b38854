// The entry's own behaviour: about, the kinds it accepts, prepare, the
// parameters selector and its effect on the dialog, and the selectors it
// does not know.
#include <memory>

#include "EntryFixture.h"

#include "host/AboutBox.h"
#include "host/Entry.h"
#include "host/FilterFactory.h"
#include "platform/ResourceStrings.h"

namespace {

struct AboutCapture {
    int shown = 0;
    void* parent = reinterpret_cast<void*>(1);
    AboutBoxPresenter previous;
    AboutCapture() {
        previous = SetAboutBoxPresenter([this](void* window, const std::string&) {
            ++shown;
            parent = window;
        });
    }
    ~AboutCapture() { SetAboutBoxPresenter(previous); }
};

TEST_F(EntryTest, AboutShowsTheBoxForKindZeroOnlyAndTouchesNoRun) {
    AboutCapture about;
    for (FilterKind kind = 1; kind <= 5; ++kind) EXPECT_EQ(host.RunAbout(kind), 0) << kind;
    EXPECT_EQ(about.shown, 0);
    EXPECT_EQ(host.RunAbout(FilterKinds::BorderStamp), 0);
    EXPECT_EQ(about.shown, 1);
    EXPECT_EQ(about.parent, nullptr);  // this host has no window
    for (FilterKind kind = 0; kind <= 5; ++kind) EXPECT_EQ(host.DataSlot(kind), 0) << kind;
    EXPECT_EQ(probe.log.created, 0);
}

TEST_F(EntryTest, AKindOutsideTheFamilyIsRefusedWithoutState) {
    for (const int32_t kind : {6, -1, 1000}) {
        ps::FilterRecord record{};
        intptr_t data = 0;
        int16_t result = 0;
        Photoshop_Entry_Point(ps::filterSelectorPrepare, &record, &data, &result, kind);
        EXPECT_EQ(result, -1) << kind;
        EXPECT_EQ(data, 0) << kind;
        result = 0;
        Photoshop_Entry_Point(ps::filterSelectorAbout, &record, &data, &result, kind);
        EXPECT_EQ(result, -1) << kind;
    }
    EXPECT_TRUE(warnings.empty());
}

TEST_F(EntryTest, AKindWhoseEffectIsNotBuiltCreatesNothing) {
    // Every kind is built; a creator that makes nothing stands for one that is not.
    const ScopedFilterOverride missing(FilterKinds::Patchwork, [] { return std::unique_ptr<Filter>(); });
    std::unique_ptr<Filter> none;
    ASSERT_EQ(CreateFilter(FilterKinds::Patchwork, none).status, -1);
    host.SetImage(HostImage(HostImageMode::Rgb, 4, 4, false));
    const RunOutcome outcome = host.RunFilter(FilterKinds::Patchwork);
    EXPECT_EQ(outcome.result, -1);
    EXPECT_EQ(outcome.selector, ps::filterSelectorPrepare);
    EXPECT_EQ(host.DataSlot(FilterKinds::Patchwork), 0);
}

TEST_F(EntryTest, TheFactoryListsAndNamesTheEffectsItCanMake) {
    const std::vector<FilterKind> kinds = BuiltEffectKinds();
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), kKind), kinds.end());
    EXPECT_EQ(EffectDisplayName(7), "Some Dapple! Filter");
    EXPECT_EQ(EffectDisplayNameId(FilterKinds::Frame), 4300);
    std::unique_ptr<Filter> made;
    ASSERT_TRUE(CreateFilter(kKind, made).IsSuccess());
    EXPECT_EQ(made->kind, kKind);
    EXPECT_EQ(made->InternalName(), "Probe");
}

TEST(FilterFactory, MakesTheBuiltEffectsWithTheirKind) {
    const std::vector<FilterKind> kinds = BuiltEffectKinds();
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), FilterKinds::Edge), kinds.end());
    std::unique_ptr<Filter> edge;
    ASSERT_TRUE(CreateFilter(FilterKinds::Edge, edge).IsSuccess());
    EXPECT_EQ(edge->InternalName(), "Edge");
    EXPECT_EQ(edge->kind, FilterKinds::Edge);
    EXPECT_EQ(EffectDisplayName(FilterKinds::Edge), LoadResourceString(4200));
}

TEST_F(EntryTest, PrepareRefusesAHostThatLacksANeededCallback) {
    const std::string missing = Shown(LoadResourceString(10000));
    for (const HostCallback callback :
         {HostCallback::Abort, HostCallback::Progress, HostCallback::Handles, HostCallback::Buffers,
          HostCallback::DisplayPixels, HostCallback::AdvanceState, HostCallback::ColourServices}) {
        InProcessHost lacking;
        lacking.SetImage(HostImage(HostImageMode::Rgb, 4, 4, false)).Without(callback);
        warnings.clear();
        const RunOutcome outcome = lacking.RunFilter(kKind);
        EXPECT_EQ(outcome.result, 1) << static_cast<int>(callback);
        EXPECT_EQ(outcome.selector, ps::filterSelectorPrepare);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0], missing);
        EXPECT_EQ(lacking.DataSlot(kKind), 0);  // the run does not linger
    }
    EXPECT_EQ(probe.log.created, probe.log.destroyed);
}

TEST_F(EntryTest, PrepareChecksTheProceduresNotTheSuiteVersions) {
    for (const HostSuite suite : {HostSuite::Handles, HostSuite::Buffers}) {
        InProcessHost hollow;
        hollow.SetImage(HostImage(HostImageMode::Rgb, 4, 4, false)).WithNullProcs(suite);
        EXPECT_EQ(hollow.RunFilter(kKind).result, 1);
    }
    InProcessHost oneMissing;
    oneMissing.SetImage(HostImage(HostImageMode::Rgb, 4, 4, false));
    oneMissing.BufferSuite().spaceProc = nullptr;
    EXPECT_EQ(oneMissing.RunFilter(kKind).result, 1);
    // Properties and descriptors are optional.
    InProcessHost plain;
    plain.SetImage(HostImage(HostImageMode::Rgb, 4, 4, false))
        .Without(HostCallback::Properties)
        .Without(HostCallback::Descriptors);
    EXPECT_TRUE(plain.RunFilter(kKind).Succeeded());
}

TEST_F(EntryTest, TheParametersSelectorDecidesForTheDialog) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    ASSERT_TRUE(host.RunFilter(kKind).Succeeded());
    EXPECT_EQ(dialogRuns, 0);  // a repeat of the last filter is silent

    RunOptions menu;
    menu.parametersSelector = true;
    ASSERT_TRUE(host.RunFilter(kKind, menu).Succeeded());
    EXPECT_EQ(dialogRuns, 1);
    // The busy cursor is suspended around the dialog only.
    EXPECT_EQ(host.WatchSuspensions(), (std::vector<intptr_t>{1, 0}));

    probe.settings.wantsDialog = false;
    ASSERT_TRUE(host.RunFilter(kKind, menu).Succeeded());
    EXPECT_EQ(dialogRuns, 1);
}

TEST_F(EntryTest, AnUnknownSelectorOnlyPassesTheCommonSteps) {
    host.SetImage(HostImage(HostImageMode::Rgb, 8, 8, false));
    EXPECT_EQ(host.CallSelector(kKind, 42), 0);
    ASSERT_NE(Run(), nullptr);  // the first selector of a run creates it
    EXPECT_EQ(Run()->dialogMode, kDialogModeUndecided);
    EXPECT_EQ(Run()->kind, kKind);
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorParameters), 0);
    EXPECT_EQ(Run()->dialogMode, kDialogModeShow);
    EXPECT_EQ(host.CallSelector(kKind, ps::filterSelectorFinish), 0);
    EXPECT_EQ(host.DataSlot(kKind), 0);
    EXPECT_EQ(probe.log.destroyed, 1);
}

}  // namespace
