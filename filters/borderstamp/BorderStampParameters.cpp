#include "filters/borderstamp/BorderStampParameters.h"

#include "platform/ResourceStrings.h"

namespace borderstamp {

BorderStampParameters DefaultParameters() {
    BorderStampParameters p{};
    p.kind = FilterKinds::BorderStamp;
    p.borderOffset.Set(0.0, kLengthPixels);
    p.borderWidth.Set(45.0, kLengthPixels);
    p.tubeSize.Set(30.0, kLengthPixels);
    p.density = 50.0;
    p.randomSeed = 1;
    p.tubeFile.relative = 1;
    SetReferencePath(p.tubeFile, LoadResourceString(kDefaultTubeFile));
    p.shadowOn = 1;
    p.shadow.distance.Set(4.0, kLengthPixels);
    p.shadow.direction = 315.0;
    p.shadow.colour = ColorSpec::RGB(0, 0, 0);
    p.shadow.opacity = 30.0;
    p.shadow.blur.Set(5.0, kLengthPixels);
    return p;
}

}  // namespace borderstamp
