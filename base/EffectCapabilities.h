// What each effect of the family can work on: the answers of its capability
// queries and its internal name, held once. The effects answer from it
// (filters/FamilyFilter.h), the plug-in modules' property lists promise it
// to hosts (tools/resourcegen) and the tests read it. Plain data in a header
// alone, so that the resource generator, built for the build machine, reads
// it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "base/FilterKind.h"

struct EffectCapabilities {
    FilterKind kind;
    const char* internalName;  // also the folder of the effect's named settings
    bool wantsDialog;
    bool usesWholeCanvas;
    bool allowsFlatImage;
    // False for effects that paint outside the selection and mask by themselves.
    bool coreAppliesMask;
    bool usesTransparencyAsShape;
    bool requiresLayer;
    bool supportsCMYK;
    bool rendersInOnePiece;
    int32_t minimumWidth;  // smallest area to filter
    int32_t minimumHeight;
};

// One row per kind, in kind order. Fields: kind, name; dialog, whole
// canvas, flat image, core applies mask, transparency as shape, requires
// layer, CMYK, one piece; minimum width and height. Stamps, shadows and
// frames reach over the selection edge, so those effects mask by
// themselves; tiles, stamps and frames are red, green and blue pictures,
// so those effects leave CMYK alone.
inline constexpr EffectCapabilities kEffectCapabilities[] = {
    {FilterKinds::BorderStamp, "BorderStamp", true, true, true, false, true, false, false, true, 0, 0},
    {FilterKinds::Edge, "Edge", true, false, false, true, true, false, true, true, 0, 0},
    {FilterKinds::FillStamp, "FillStamp", true, true, true, false, true, false, false, true, 0, 0},
    {FilterKinds::Frame, "Frame", true, true, true, false, true, false, false, true, 9, 9},
    {FilterKinds::Patchwork, "Patchwork", true, false, false, true, true, false, false, true, 6, 6},
    {FilterKinds::Resurface, "Resurface", true, false, false, true, true, false, true, true, 0, 0},
};

static_assert(std::size(kEffectCapabilities) == static_cast<std::size_t>(FilterKinds::Count), "one row for every kind");

static_assert(
    [] {
        for (std::size_t i = 0; i < std::size(kEffectCapabilities); ++i) {
            if (kEffectCapabilities[i].kind != static_cast<FilterKind>(i)) return false;
        }
        return true;
    }(),
    "row i holds kind i");

// The row of `kind`; null for a number that names no effect.
constexpr const EffectCapabilities* FindEffectCapabilities(FilterKind kind) {
    return FilterKinds::IsValid(kind) ? &kEffectCapabilities[static_cast<std::size_t>(kind)] : nullptr;
}
