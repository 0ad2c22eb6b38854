// The Frame effect's dialog parameters.
#include "filters/LengthSliderParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/TubeButtonParameter.h"
#include "filters/frame/Frame.h"
#include "platform/ResourceStrings.h"

ResultCode Frame::BuildParameters(ParameterSet& set, ParameterBlock& block) const {
    using namespace frame;
    FrameParameters& p = block.As<FrameParameters>();

    auto* picture = set.Emplace<TubeButtonParameter>(stamp::kKeyTubeFile, stamp::kKeyTubeRelative, p.framePicture);
    if (picture == nullptr) return ResultCode::OutOfMemory();
    picture->label = LoadResourceString(stamp::kChooserLabel);
    picture->name = "frame";

    auto* width = set.Emplace<LengthSliderParameter>(kKeyFrameWidth, &p.frameWidth, 10.0, 400.0);
    if (width == nullptr) return ResultCode::OutOfMemory();
    stamp::LoadStrings(*width, kFrameWidthStrings);
    width->trackLow = 0.8;
    width->trackHigh = 150.0;

    auto* offset = set.Emplace<LengthSliderParameter>(kKeyEdgeOffset, &p.edgeOffset, -100.0, 100.0);
    if (offset == nullptr) return ResultCode::OutOfMemory();
    stamp::LoadStrings(*offset, kEdgeOffsetStrings);
    return ResultCode::Success();
}
