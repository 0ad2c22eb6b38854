// Options that make pixels transparent do nothing where the host gives the
// effect no transparency (a flattened photograph): the picture comes out as
// with the option off. The full-size render says so, once a run, as a note
// (a line of its own in the command; no box at every render of a plug-in
// host); the dialog greys the option and shows the same text over it.
#pragma once

#include "filters/RenderContext.h"

// Says the string `messageId` when `context` is the full-size render of an
// output without transparency.
void SayNothingToMakeTransparent(const RenderContext& context, int messageId);
