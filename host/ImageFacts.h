// Facts about the host's image, read from its filter record.
#pragma once

#include <cstdint>

#include "base/Rect.h"
#include "pluginapi/PluginInterface.h"
#include "pluginapi/RectConversion.h"

// (0, 0, image width, image height).
Rect DocumentBounds(const ps::FilterRecord& record);
Rect FilterRect(const ps::FilterRecord& record);
// The colour model (kColourModelRGB ...) the core works the host's mode in.
int32_t ColourModel(const ps::FilterRecord& record);
// Colour planes of the input: layer planes, layer masks, inverted layer
// masks and non-layer planes when the host reports them; otherwise by mode
// (greyscale and duotone 1, RGB and Lab 3, CMYK 4, others the plane count).
int32_t ColourPlanes(const ps::FilterRecord& record);
// Planes of the output, transparency included: the output plane fields when
// the host reports them, else the record's plane count.
int32_t OutputPlanes(const ps::FilterRecord& record);
// Whether the input (output) carries exactly one transparency plane.
bool InputHasTransparency(const ps::FilterRecord& record);
bool OutputHasTransparency(const ps::FilterRecord& record);
// Horizontal resolution in pixels per inch; 72 when the host says 0.
double PixelsPerInch(const ps::FilterRecord& record);
// The host window that parents the core's boxes; null when none is given.
void* HostParentWindow(const ps::FilterRecord& record);
