// The "over" operation with which the stamp effects and Frame lay their
// pictures on the image: a source pixel of n colour samples and an alpha is
// composited over a destination pixel of n colour samples, with or without
// an alpha of its own. Integer arithmetic, divisions truncating.
//
// With destination alpha a_d and source alpha a_s, a shared table holds
// e = a_d × (255 − a_s) ÷ 255 and f = e + a_s:
//   a_s = 255: the source replaces the destination (alpha 255 too);
//   a_s = 0:   the destination stays;
//   otherwise, with destination alpha: c = (c_s a_s + c_d e) ÷ f, alpha f;
//              without:               c = c_d + (c_s − c_d) a_s ÷ 255.
#pragma once

#include <cstdint>

#include "base/Rect.h"
#include "filters/stamp/SelectionCoverage.h"
#include "image/Image.h"

struct OverPair {
    uint16_t e;  // what is left of the destination's alpha
    uint16_t f;  // the result's alpha
};

// The shared table, built on first use (safe from any thread).
const OverPair* OverTable();

// The table entry for destination alpha `a_d` and source alpha `a_s`.
inline const OverPair& OverEntry(const OverPair* table, int32_t destinationAlpha, int32_t sourceAlpha) {
    return table[destinationAlpha * 256 + sourceAlpha];
}

// Composites one pixel; `source` holds `colours` samples and then its alpha.
inline void CompositeOver(const OverPair* table, const uint8_t* source, uint8_t* destination, int32_t colours,
                          bool destinationHasAlpha) {
    const int32_t sourceAlpha = source[colours];
    if (sourceAlpha == 0) return;
    if (sourceAlpha == 255) {
        for (int32_t c = 0; c < colours; ++c) destination[c] = source[c];
        if (destinationHasAlpha) destination[colours] = 255;
        return;
    }
    if (!destinationHasAlpha) {
        for (int32_t c = 0; c < colours; ++c)
            destination[c] = static_cast<uint8_t>(destination[c] + (source[c] - destination[c]) * sourceAlpha / 255);
        return;
    }
    const OverPair& pair = OverEntry(table, destination[colours], sourceAlpha);
    for (int32_t c = 0; c < colours; ++c)
        destination[c] = static_cast<uint8_t>((source[c] * sourceAlpha + destination[c] * pair.e) / pair.f);
    destination[colours] = static_cast<uint8_t>(pair.f);
}

// Composites `source` (colour samples as many as the destination's colour
// channels, then alpha), moved by `offset`, over `destination` inside `clip`.
// Touches no pixel outside `clip`, so that disjoint clips can be composited
// independently.
void CompositeImageOver(const Image<unsigned char>& source, Point offset, Image<unsigned char>& destination,
                        const Rect& clip);

// As CompositeImageOver, with each source pixel's alpha a first taken as
// a × m ÷ 255 for the selection's coverage m of the pixel beneath it: nothing
// outside the selection changes, and its soft edge blends.
void CompositeImageOverSelection(const Image<unsigned char>& source, Point offset, Image<unsigned char>& destination,
                                 const Rect& clip, const SelectionCoverage& selection);
