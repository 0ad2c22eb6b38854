// The number that names an effect of the family. The thin plug-in module of
// each effect passes it with every host call; the parameter block stores it
// first so that a block left by another effect can be recognised.
#pragma once

#include <cstdint>

typedef int32_t FilterKind;

struct FilterKinds {
    static constexpr FilterKind BorderStamp = 0;
    static constexpr FilterKind Edge = 1;
    static constexpr FilterKind FillStamp = 2;
    static constexpr FilterKind Frame = 3;
    static constexpr FilterKind Patchwork = 4;
    static constexpr FilterKind Resurface = 5;
    static constexpr FilterKind Count = 6;
    static constexpr FilterKind None = -1;  // an effect object before the factory names it

    static constexpr bool IsValid(FilterKind kind) { return kind >= 0 && kind < Count; }
};
