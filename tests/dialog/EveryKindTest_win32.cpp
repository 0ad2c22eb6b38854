// A control for every parameter kind: values go into the controls and come
// back unchanged when the user changes nothing (lengths shown in another
// unit included), a kind without a control keeps its value, and a run
// confirmed in the dialog records every kind so that replaying it gives the
// same record.
#include <cstring>

// Before <windows.h>, whose RGB macro the effect's colours would meet.
#include "tests/settings/EveryParameterEffect.h"

#include "FilterDialogFixture_win32.h"
#include "controls/VtLengthSliderControl.h"
#include "dialog/SettingsLibrary_win32.h"
#include "tests/controls/TestWindows.h"

namespace {

using EveryRecord = everyparameter::Record;

class EveryKindTest : public FilterDialogTest {
protected:
    EveryKindTest() : every_(kProbeKind, [] { return std::make_unique<everyparameter::Effect>(); }) {}

    // The record the run starts from: the defaults, with a gradient and a
    // profile of a few points, and the length in millimetres.
    EveryRecord Starting() {
        everyparameter::Effect effect;
        effect.kind = kProbeKind;
        ParameterBlock block{};
        effect.WriteDefaults(block);
        EveryRecord record = block.As<EveryRecord>();
        GradientStop first;
        first.location = 0.0;
        first.mode = ColorSpec::kRGB;
        first.components = {10, 200, 30, 0, 0};
        GradientStop second = first;
        second.location = 0.75;
        second.components = {250, 20, 90, 0, 0};
        const GradientValue gradient = FlatGradient({first, second});
        std::memcpy(record.gradient, &gradient, sizeof gradient);
        const BevelProfileValue profile = FlatProfile({{0.0, 0.0, true}, {0.4, 0.8, false}, {1.0, 1.0, true}});
        std::memcpy(record.curve, &profile, sizeof profile);
        record.length.Set(3.25, kLengthMillimeters);
        return record;
    }

private:
    ScopedFilterOverride every_;
};

}  // namespace

TEST_F(EveryKindTest, ValuesComeBackFromTheControlsUnchanged) {
    ASSERT_TRUE(host.RunFilter(kProbeKind).Succeeded());  // makes the parameters handle
    const EveryRecord starting = Starting();
    std::memcpy(host.Handles().Lock(host.ParametersHandle(kProbeKind)), &starting, sizeof starting);
    host.Handles().Unlock(host.ParametersHandle(kProbeKind));
    host.SetRulerUnits(1);  // inches: the length is shown in another unit than it is kept in
    const RunOutcome outcome = RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        // Every kind but the reflection map has its control.
        EXPECT_EQ(dialog.Model()->Controls().size(), 13u);
        for (const ParameterControl& bound : dialog.Model()->Controls()) {
            EXPECT_FALSE(bound.parameter->HasKey(everyparameter::kReflectionKey));
            RECT rect{};
            bound.control->GetClientRect(rect);
            EXPECT_EQ(rect.bottom, bound.preferredHeight()) << "a control sized other than it asks";
        }
        Command(dialog, IDOK);
    });
    ASSERT_TRUE(outcome.Succeeded());
    EveryRecord stored{};
    std::memcpy(&stored, host.Handles().Lock(host.ParametersHandle(kProbeKind)), sizeof stored);
    host.Handles().Unlock(host.ParametersHandle(kProbeKind));
    EXPECT_EQ(std::memcmp(&stored, &starting, sizeof stored), 0);
    EXPECT_EQ(stored.length.unit, kLengthMillimeters);
    EXPECT_EQ(stored.length.value, 3.25);
}

TEST_F(EveryKindTest, AChangedLengthIsKeptInItsOwnUnitWithTwoDecimals) {
    host.SetRulerUnits(1);
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        for (const ParameterControl& bound : dialog.Model()->Controls()) {
            auto* length = dynamic_cast<VtLengthSliderControl*>(bound.window.get());
            if (length == nullptr) continue;
            SetFocus(length->EditHwnd());
            ReplaceText(length->EditHwnd(), L"0.5");  // inches
            SetFocus(dialog.Model()->OkButton()->ButtonHwnd());
        }
        const EveryRecord& record = dialog.Model()->CurrentBlock().As<EveryRecord>();
        EXPECT_EQ(record.length.unit, kLengthPixels);
        EXPECT_EQ(record.length.value, 36.0);  // 0.5 inch at 72 pixels per inch
    });
}

TEST_F(EveryKindTest, AConfirmedRunOfEveryKindReplaysToTheSameRecord) {
    ASSERT_TRUE(host.RunFilter(kProbeKind).Succeeded());  // makes the parameters handle
    const EveryRecord starting = Starting();
    std::memcpy(host.Handles().Lock(host.ParametersHandle(kProbeKind)), &starting, sizeof starting);
    host.Handles().Unlock(host.ParametersHandle(kProbeKind));
    const RunOutcome outcome = RunWithDialog(kProbeKind, [](FilterDialog& dialog) { Command(dialog, IDOK); });
    ASSERT_TRUE(outcome.Succeeded()) << outcome.errorText;
    ASSERT_TRUE(host.RecordedDescriptor().has_value());
    const DescriptorStore& recorded = *host.RecordedDescriptor();
    for (const uint32_t key :
         {everyparameter::kSliderKey, everyparameter::kDirectionKey, everyparameter::kCheckboxKey,
          everyparameter::kSeedKey, everyparameter::kListKey, everyparameter::kColourKey, everyparameter::kLengthKey,
          everyparameter::kLightKeys[0], everyparameter::kLightKeys[4], everyparameter::kFillColourKey,
          everyparameter::kFillBehaviourKey, everyparameter::kPathKey}) {
        EXPECT_NE(recorded.Find(key), nullptr) << "key " << key << " was not recorded";
    }
    // The kinds without a script form record nothing.
    for (const uint32_t key : {everyparameter::kGradientKey, everyparameter::kCurveKey, everyparameter::kBevelTypeKey,
                               everyparameter::kReflectionKey}) {
        EXPECT_EQ(recorded.Find(key), nullptr) << "key " << key << " was recorded";
    }

    // Replayed silently over the defaults, the descriptor gives back the
    // confirmed record; the unscripted kinds keep the defaults' values.
    everyparameter::Effect effect;
    effect.kind = kProbeKind;
    ParameterBlock block{};
    effect.WriteDefaults(block);
    const EveryRecord defaults = block.As<EveryRecord>();
    EveryRecord expected = starting;
    std::memcpy(expected.gradient, defaults.gradient, sizeof expected.gradient);
    std::memcpy(expected.curve, defaults.curve, sizeof expected.curve);
    expected.bevelType = defaults.bevelType;
    std::memcpy(expected.reflection, defaults.reflection, sizeof expected.reflection);
    std::memcpy(host.Handles().Lock(host.ParametersHandle(kProbeKind)), &defaults, sizeof defaults);
    host.Handles().Unlock(host.ParametersHandle(kProbeKind));
    host.ReplayRecordedDescriptor().SetPlayMode(ps::plugInDialogDontDisplay);
    ASSERT_TRUE(host.RunFilter(kProbeKind).Succeeded());
    EveryRecord replayed{};
    std::memcpy(&replayed, host.Handles().Lock(host.ParametersHandle(kProbeKind)), sizeof replayed);
    host.Handles().Unlock(host.ParametersHandle(kProbeKind));
    EXPECT_EQ(std::memcmp(&replayed, &expected, sizeof replayed), 0);
}
