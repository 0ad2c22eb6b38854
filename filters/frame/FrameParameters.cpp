#include "filters/frame/FrameParameters.h"

#include "platform/ResourceStrings.h"

namespace frame {

FrameParameters DefaultParameters() {
    FrameParameters p{};
    p.kind = FilterKinds::Frame;
    p.edgeOffset.Set(-5.0, kLengthPixels);
    p.frameWidth.Set(150.0, kLengthPixels);
    p.framePicture.relative = 1;
    SetReferencePath(p.framePicture, LoadResourceString(kDefaultFramePicture));
    return p;
}

}  // namespace frame
