// The active layer through libgimp 2.0: its 8-bit pixels and the selection
// over it in, the effect's pixels back as one undo step.
#pragma once

#include <libgimp/gimp.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "inprocesshost/HostImage.h"

struct Gimp2Layer {
    gint32 image = -1;
    gint32 drawable = -1;
    HostImage pixels;
    std::vector<uint8_t> selection;  // empty: nothing selected
    double pixelsPerInch = 72.0;
    // The user's foreground and background colours (GIMP's context).
    std::array<uint8_t, 3> foreground{{0, 0, 0}};
    std::array<uint8_t, 3> background{{255, 255, 255}};
};

// Reads the drawable. False, with `problem` for the user, for an indexed
// image, a precision other than 8-bit perceptual integer, or a drawable
// that is not a layer with pixels of its own (a group, a mask, a channel).
bool ReadGimp2Layer(gint32 image, gint32 drawable, Gimp2Layer& layer, std::string& problem);

// Writes `pixels` (the layer's size and planes) over the whole layer as
// one undo step. The selection is not applied again: the effect has
// already masked its result, and may paint beyond the selection. False,
// with GIMP's reason in `problem` and the layer as it was, when GIMP
// refuses the pixels.
bool WriteGimp2Layer(const Gimp2Layer& layer, const HostImage& pixels, std::string& problem);
