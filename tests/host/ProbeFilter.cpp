#include "ProbeFilter.h"

#include <new>
#include <thread>

#include "filters/CheckboxParameter.h"
#include "filters/ParameterSet.h"
#include "filters/RenderContext.h"
#include "filters/SliderParameter.h"
#include "host/HostBuffers.h"
#include "host/HostCalls.h"
#include "image/RowImage.h"

void ProbeFilter::WriteDefaults(ParameterBlock& block) const {
    ProbeRecord& record = block.As<ProbeRecord>();
    record.kind = kind;
    record.amount = kProbeDefaultAmount;
    record.flag = 1;
}

Rect ProbeFilter::AffectedRect(const Rect& in, const ParameterBlock& /*block*/, double /*scale*/) const {
    if (settings_.fixedAffected) return *settings_.fixedAffected;
    if (in.IsEmpty()) return in;
    Rect grown = in;
    grown.Inflate(settings_.affectedGrowth, settings_.affectedGrowth);
    return grown;
}

ResultCode ProbeFilter::BeginRender(RenderContext& context) {
    ++log_.beginRenders;
    log_.sawMaskView = context.maskView != nullptr;
    log_.maskBounds = context.maskBounds;
    log_.shapeFromTransparency = context.shapeFromTransparency;
    return ResultCode::Success();
}

ResultCode ProbeFilter::Render(RenderContext& context) {
    log_.pieces.push_back(context.area);
    log_.inputBounds.push_back(context.input->Bounds());
    log_.amountsRendered.push_back(context.parameters->As<ProbeRecord>().amount);
    if (settings_.throwInRender) throw std::bad_alloc();
    if (settings_.callHostFromThread) CallHostFromAnotherThread();
    if (settings_.renderStatus != 0) return ResultCode(settings_.renderStatus, settings_.renderMessage);
    const int32_t samples = context.output->SamplesPerPixel();
    const int32_t colours = samples - (context.outputHasAlpha ? 1 : 0);
    const Rect& area = context.area;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x) {
            const unsigned char* in = context.input->PixelAddress(x, y);
            unsigned char* out = context.output->PixelAddress(x, y);
            for (int32_t c = 0; c < colours; ++c) out[c] = static_cast<unsigned char>(255 - in[c]);
            if (context.outputHasAlpha) {
                out[colours] =
                    settings_.renderedAlpha < 0 ? in[colours] : static_cast<unsigned char>(settings_.renderedAlpha);
            }
        }
    }
    return ResultCode::Success();
}

void ProbeFilter::CallHostFromAnotherThread() {
    std::thread worker([this] {
        log_.otherThreadAdvance = HostAdvanceState();
        ps::BufferID buffer = nullptr;
        log_.otherThreadAllocate = AllocateBuffer(1024, buffer).status;
        log_.otherThreadSpace = BufferSpace();
    });
    worker.join();
}

void ProbeFilter::EndRender(const ParameterBlock& /*block*/) { ++log_.endRenders; }

ResultCode ProbeFilter::BuildParameters(ParameterSet& set, ParameterBlock& block) const {
    ProbeRecord& record = block.As<ProbeRecord>();
    if (set.Emplace<SliderParameter>(kProbeAmountKey, &record.amount, 0.0, 100.0) == nullptr) {
        return ResultCode::OutOfMemory();
    }
    if (set.Emplace<CheckboxParameter>(kProbeFlagKey, &record.flag) == nullptr) return ResultCode::OutOfMemory();
    return ResultCode::Success();
}

ScopedProbe::ScopedProbe(FilterKind kind)
    : override_(kind, [this]() { return std::make_unique<ProbeFilter>(settings, log); }) {}
