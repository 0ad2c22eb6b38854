#include "filters/resurface/ResurfaceParameters.h"

#include "platform/ResourceStrings.h"

namespace resurface {

ResurfaceParameters DefaultParameters() {
    ResurfaceParameters p{};
    p.kind = FilterKinds::Resurface;
    p.width.Set(350.0, kLengthPixels);
    p.height = 33.0;
    p.boost = 60.0;
    p.distortion = 20.0;
    p.shadowColour = ColorSpec::RGB(0, 0, 0);
    p.light.brightness = 50.0;
    p.light.sharpness = 25.0;
    p.light.direction = 135.0;
    p.light.elevation = 45.0;
    p.light.colour = ColorSpec::RGB(255, 255, 255);
    p.texture.relative = 1;
    SetReferencePath(p.texture, LoadResourceString(kDefaultTexturePath));
    return p;
}

}  // namespace resurface
