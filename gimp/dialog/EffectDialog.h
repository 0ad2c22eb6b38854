// The GIMP plug-in's dialog for one effect: the effect's controls, built
// from its parameter list, beside a live preview of the layer, with named
// settings and GIMP's Reset, Help, Cancel and OK buttons.
//
// Call it on GTK's main thread after GTK is set up (gimp_ui_init inside
// GIMP, gtk_init elsewhere). It runs its own modal loop and returns when
// the user has pressed OK or Cancel or closed the window. Content and
// factory settings come from the program's data folder
// (platform/DataFolder.h), where the effects read them; the user's named
// settings are the command's.
#pragma once

#include <string>

#include "base/FilterKind.h"
#include "filters/ParameterBlock.h"
#include "image/Image.h"
#include "pluginapi/PluginInterface.h"

struct EffectDialogRequest {
    FilterKind kind = FilterKinds::None;
    // The layer: 8-bit grey or RGB samples, with or without alpha, in
    // document coordinates (bounds from (0, 0)). Not owned; it must outlive
    // the call and is not written.
    const Image<unsigned char>* layer = nullptr;
    // The selection, one byte per pixel over the layer's bounds (0 outside,
    // 255 fully selected); null when nothing is selected, so that the layer's
    // transparency, if any, is the shape. Not owned.
    const SingleChannelImage<unsigned char>* selection = nullptr;
    // The image's resolution, through which lengths become pixels.
    double pixelsPerInch = 72.0;
    ps::RGBColor foreground = {0, 0, 0};
    ps::RGBColor background = {0xffff, 0xffff, 0xffff};
    // GIMP's help id for the Help button (the procedure's name).
    std::string helpId;
    // Run from GIMP: Help opens GIMP's help browser and the window stays
    // above GIMP's. False (the demo, the tests): neither, no GIMP needed.
    bool insideGimp = true;
};

// Shows the dialog modally. On entry `values` holds the values to start
// from, the effect's last values; a block of another kind (no last values
// yet) starts from the effect's defaults. Returns true on OK, with the chosen values in `values`;
// false on Cancel, on closing the window and when the dialog cannot be
// shown (a message says why), with `values` unchanged.
bool RunEffectDialog(const EffectDialogRequest& request, ParameterBlock& values);
