// One value as it is typed, read for the key a description names: the
// values the parameter then reads as if a host played them to it.
//
//   number   "30"; with its unit when it has one: "30%" for a percentage,
//            "45deg" or "45°" for an angle
//   length   "25" (pixels), "25px", "2.5 in", "1cm", "10mm", "12pt",
//            "2pc", or "5%" of the picture's shorter side
//   on/off   0, 1, on, off, yes, no, true, false
//   seed     a whole number
//   list     an item's name ("torn paper", letter case and hyphens for
//            blanks as they come), its code (edM6) or its position in the
//            list, counted from 0
//   colour   see parametertext/ColourText.h
//   content  see parametertext/ContentPaths.h
//
// A number outside its range is brought to the nearest end, and a length
// outside its range likewise in the unit it is given in, with a warning
// that names the range; an angle round the full circle wraps round instead.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/FilterKind.h"
#include "filters/ScriptCapture.h"
#include "parametertext/ParameterDescriptions.h"

struct ValueContext {
    FilterKind kind = FilterKinds::None;  // the effect: its content files are checked with its reader
    // The picture's shorter side in pixels, for lengths in per cent; 0 while
    // the picture is not known: such a length is then only checked for its
    // form.
    int32_t shorterSide = 0;
};

struct ParsedValue {
    std::vector<ScriptItem> items;  // a content file's path and relative flag; one item otherwise
    std::string warning;            // set when the value was brought into its range
    bool ofPicture = false;         // a length in per cent
    std::string file;               // a content file: its full path
};

// False, with `problem` saying what the key takes ("edge-type is one of
// ..."), or why the file cannot be used, for a text that is not such a value.
bool ParseValue(const ParameterDescription& description, const std::string& text, const ValueContext& context,
                ParsedValue& parsed, std::string& problem);
