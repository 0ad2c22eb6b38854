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
    p.shadow = stamp::DefaultShadow(4.0, 30.0, 5.0);
    return p;
}

}  // namespace borderstamp
