// An effect of the family: its capability answers and internal name are its
// kind's row of the family's table (base/EffectCapabilities.h), the row the
// plug-in module's property list promises to hosts. The answers are final,
// so that no effect can tell the core one thing and hosts another.
#pragma once

#include <cstddef>
#include <string>

#include "base/EffectCapabilities.h"
#include "filters/Filter.h"

class FamilyFilter : public Filter {
public:
    bool WantsDialog() const final { return row_.wantsDialog; }
    bool UsesWholeCanvas() const final { return row_.usesWholeCanvas; }
    bool AllowsFlatImage() const final { return row_.allowsFlatImage; }
    bool CoreAppliesMask() const final { return row_.coreAppliesMask; }
    bool UsesTransparencyAsShape() const final { return row_.usesTransparencyAsShape; }
    bool RequiresLayer() const final { return row_.requiresLayer; }
    bool SupportsCMYK() const final { return row_.supportsCMYK; }
    bool RendersInOnePiece() const final { return row_.rendersInOnePiece; }
    FilterSize MinimumSize() const final { return FilterSize{row_.minimumWidth, row_.minimumHeight}; }
    std::string InternalName() const final { return row_.internalName; }

protected:
    explicit FamilyFilter(FilterKind family) : row_(kEffectCapabilities[static_cast<std::size_t>(family)]) {}

private:
    const EffectCapabilities& row_;
};
