#include "filters/fillstamp/FillStampParameters.h"

#include "platform/ResourceStrings.h"

namespace fillstamp {

FillStampParameters DefaultParameters() {
    FillStampParameters p{};
    p.kind = FilterKinds::FillStamp;
    p.stampSize.Set(50.0, kLengthPixels);
    p.density = 40.0;
    p.tileMode = 0;
    p.edgeOffset.Set(0.0, kLengthPixels);
    p.layerFill.behaviour = kLayerFillTransparent;
    p.layerFill.colour = ColorSpec::RGB(255, 255, 255);
    p.randomSeed = 837;
    p.tubeFile.relative = 1;
    SetReferencePath(p.tubeFile, LoadResourceString(kDefaultTubeFile));
    p.colorize = 0;
    p.shadowOn = 1;
    p.shadow = stamp::DefaultShadow(3.0, 50.0, 2.0);
    return p;
}

}  // namespace fillstamp
