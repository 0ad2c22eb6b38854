// What the selector tests share: an in-process host, the probe effect
// installed for one kind, warnings collected instead of shown, a dialog that
// answers as the test says, and a spy on the requests the plug-in makes
// through advance state.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ProbeFilter.h"
#include "filters/ParameterBlock.h"
#include "host/DialogRunner.h"
#include "host/RunRecord.h"
#include "inprocesshost/InProcessHost.h"
#include "platform/Warning.h"

// One advance-state call as the plug-in asked for it.
struct AdvanceRequest {
    Rect in, out, mask;
    int16_t inLoPlane, inHiPlane;
};

class EntryTest : public ::testing::Test {
public:
    // Called by the spy for every advance-state call.
    void RecordRequest();

protected:
    static constexpr FilterKind kKind = FilterKinds::Edge;

    EntryTest();
    ~EntryTest() override;

    // The run in the host's data slot of kKind (between start and finish).
    RunRecord* Run() const { return reinterpret_cast<RunRecord*>(host.DataSlot(kKind)); }
    // The parameter record in the host's parameters handle of kKind.
    ProbeRecord StoredParameters();
    void StoreParameters(const ProbeRecord& record);
    // Records every advance-state request from now on.
    void SpyOnAdvanceState();

    // A `width` × `height` document of one mode, every pixel `values`.
    static HostImage Filled(HostImageMode mode, int32_t width, int32_t height, bool transparency,
                            const std::vector<uint8_t>& values);

    ScopedProbe probe{kKind};
    InProcessHost host;
    std::vector<std::string> warnings;
    int dialogRuns = 0;
    int dialogAnswer = 0;                             // the dialog's status
    std::function<void(ParameterBlock&)> dialogEdit;  // what the user does in the dialog
    std::vector<AdvanceRequest> requests;

private:
    WarningSink previousSink_;
    FilterDialogRunner previousRunner_;
};

// The warning line shown for a text.
inline std::string Shown(const std::string& text) { return WarningLine(text); }
