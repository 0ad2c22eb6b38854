#include "DialogProbe.h"

#include <algorithm>
#include <thread>

#include "filters/CheckboxParameter.h"
#include "filters/ParameterSet.h"
#include "filters/RandomSeedParameter.h"
#include "filters/RenderContext.h"
#include "filters/SliderParameter.h"
#include "host/HostCalls.h"

namespace {

// Grey of a middle red, through the host's colour services.
void AskHost(DialogProbeState& probe) {
    ps::ColorServicesInfo info{};
    info.infoSize = sizeof info;
    info.selector = ps::plugIncolorServicesConvertColor;
    info.sourceSpace = ps::plugIncolorServicesRGBSpace;
    info.resultSpace = ps::plugIncolorServicesGraySpace;
    info.colorComponents[0] = 128;
    probe.hostAnswer = HostColourServices(info);
    ++probe.hostCalls;
}

}  // namespace

void DialogProbeState::Reset() {
    rendersStarted = 0;
    rendersEnded = 0;
    hold = false;
    nextStatus = 0;
    amountAtStart = 0.0;
    amountAtEnd = 0.0;
    lastAborted = false;
    twoPages = false;
    askHost = false;
    hostAnswer = 1;
    hostCalls = 0;
    unbuildable = FilterKinds::None;
}

DialogProbeState& DialogProbe() {
    static DialogProbeState state;
    return state;
}

void DialogProbeFilter::WriteDefaults(ParameterBlock& block) const {
    block = ParameterBlock{};
    DialogProbeRecord& record = block.As<DialogProbeRecord>();
    record.kind = kind;
    record.amount = kDialogProbeDefaultAmount;
    record.flag = 0;
    record.seed = kDialogProbeDefaultSeed;
}

ResultCode DialogProbeFilter::Render(RenderContext& context) {
    DialogProbeState& probe = DialogProbe();
    const DialogProbeRecord& record = context.parameters->As<DialogProbeRecord>();
    ++probe.rendersStarted;
    probe.amountAtStart = record.amount;
    bool aborted = false;
    do {
        if (probe.askHost) AskHost(probe);
        aborted = context.abort != nullptr && context.abort->IsAborted();
        std::this_thread::yield();
    } while (probe.hold && !aborted);
    const Image<unsigned char>& in = *context.inputView;
    Image<unsigned char>& out = *context.outputView;
    const int colours = out.layout.colourChannels;
    for (int32_t y = context.area.top; y < context.area.bottom && !aborted; ++y) {
        for (int32_t x = context.area.left; x < context.area.right; ++x) {
            const unsigned char* source = in.PixelAddress(Point{x, y});
            unsigned char* target = out.PixelAddress(Point{x, y});
            for (int c = 0; c < out.layout.channelCount; ++c) {
                const int shifted =
                    record.flag != 0 ? 255 - source[c] : source[c] + static_cast<int>(2 * record.amount);
                target[c] = c < colours ? static_cast<unsigned char>(std::clamp(shifted, 0, 255)) : source[c];
            }
        }
    }
    probe.amountAtEnd = record.amount;
    probe.lastAborted = aborted;
    ++probe.rendersEnded;
    if (aborted) return ResultCode::Cancelled();
    const int status = probe.nextStatus.exchange(0);
    return ResultCode(status);
}

ResultCode DialogProbeFilter::BuildParameters(ParameterSet& set, ParameterBlock& block) const {
    if (kind == DialogProbe().unbuildable) return ResultCode::OutOfMemory();
    DialogProbeRecord& record = block.As<DialogProbeRecord>();
    auto* amount = set.Emplace<SliderParameter>(kDialogProbeAmountKey, &record.amount, 0.0, 100.0);
    auto* flag = set.Emplace<CheckboxParameter>(kDialogProbeFlagKey, &record.flag);
    auto* seed = set.Emplace<RandomSeedParameter>(kDialogProbeSeedKey, &record.seed);
    if (amount == nullptr || flag == nullptr || seed == nullptr) return ResultCode::OutOfMemory();
    amount->label = "Amount";
    amount->hint = "How much brighter.";
    flag->label = "Invert";
    flag->hint = "Inverts the colours instead.";
    seed->label = "Seed";
    if (DialogProbe().twoPages) {
        set.AddGroup("First");
        set.AddGroup("Second");
        flag->group = 1;
    }
    return ResultCode::Success();
}
