// An effect of the tests' own for the dialog: a slider, a checkbox and a
// random seed (the checkbox optionally on a second page), and a render that
// the test holds and releases, that counts itself and that can report a
// status once.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "pluginapi/PluginInterface.h"

struct DialogProbeRecord {
    FilterKind kind;
    double amount;       // "Amnt", 0 to 100, default 30
    unsigned char flag;  // "Flag", default 0
    uint16_t seed;       // "Seed", default 12345
};

inline constexpr uint32_t kDialogProbeAmountKey = ps::FourCC("Amnt");
inline constexpr uint32_t kDialogProbeFlagKey = ps::FourCC("Flag");
inline constexpr uint32_t kDialogProbeSeedKey = ps::FourCC("Seed");
inline constexpr double kDialogProbeDefaultAmount = 30.0;
inline constexpr uint16_t kDialogProbeDefaultSeed = 12345;

// What every probe render did, and how the next ones behave; shared by all
// probes (the dialog makes its own), reset by each test.
struct DialogProbeState {
    std::atomic<int> rendersStarted{0};
    std::atomic<int> rendersEnded{0};
    // While set, a render waits (asking its abort test) before it returns.
    std::atomic<bool> hold{false};
    // A status the next render reports once (then 0 again).
    std::atomic<int> nextStatus{0};
    // The amount the last render saw when it began and when it ended.
    std::atomic<double> amountAtStart{0.0};
    std::atomic<double> amountAtEnd{0.0};
    std::atomic<bool> lastAborted{false};
    // The effect declares two pages (the checkbox on the second).
    bool twoPages = false;
    // While set, every render (and every turn of a held one) asks the host
    // to convert a colour, a host call the dialog relays; what the host
    // answered last.
    std::atomic<bool> askHost{false};
    std::atomic<int> hostAnswer{1};
    std::atomic<int> hostCalls{0};
    // The kind whose parameters cannot be built (FilterKinds::None: every
    // kind's can).
    FilterKind unbuildable = FilterKinds::None;

    void Reset();
};

DialogProbeState& DialogProbe();

// Adds 2 × amount to every colour sample (the flag inverts instead), so that
// results show what the parameters were.
class DialogProbeFilter : public Filter {
public:
    int32_t ParameterSize() const override { return sizeof(DialogProbeRecord); }
    void WriteDefaults(ParameterBlock& block) const override;
    ResultCode Render(RenderContext& context) override;
    ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const override;
    std::string InternalName() const override { return "Probe"; }
};
