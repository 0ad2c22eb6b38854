// Values as they are typed: the form in which `--set NAME=VALUE` takes each
// kind of value, made from the values a parameter writes when a host
// records it (filters/ScriptCapture.h).
#pragma once

#include <string>
#include <vector>

#include "filters/ScriptCapture.h"
#include "parametertext/ParameterDescriptions.h"

// The value `items` hold under the description's key, as it is typed:
//   number, seed      "40", "33.333333333333336", "837"
//   length            "40px", "2.5in"
//   on or off         "0" or "1"
//   list              the chosen item's name ("Halftone dots")
//   colour            "#ff8000", or the text form of a colour other than RGB
//   content file      "Tubes/Stars.tub" inside the content folder, else the path
// Empty when `items` hold nothing under the key.
std::string SetFormText(const ParameterDescription& description, const std::vector<ScriptItem>& items);
