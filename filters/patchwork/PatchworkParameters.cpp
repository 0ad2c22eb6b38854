#include "filters/patchwork/PatchworkParameters.h"

#include "platform/ResourceStrings.h"

namespace patchwork {

PatchworkParameters DefaultParameters() {
    PatchworkParameters p{};
    p.kind = FilterKinds::Patchwork;
    p.tileSize.Set(6.0, kLengthPixels);
    p.library.relative = 1;
    SetReferencePath(p.library, LoadResourceString(kDefaultLibraryPath));
    return p;
}

}  // namespace patchwork
