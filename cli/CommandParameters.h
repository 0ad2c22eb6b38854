// The parameter values a command line chooses for an effect: its defaults,
// then a named setting (--settings NAME), then single values as people type
// them (--set NAME=VALUE, parametertext/TypedValues.h), each later choice
// over the earlier ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "inprocesshost/DescriptorStore.h"
#include "parametertext/TypedValues.h"
#include "settings/SettingsFolders.h"

struct ParameterChoices {
    std::string settings;            // empty: none
    std::vector<TypedValue> values;  // --set NAME=VALUE, in order
};

// Takes args[i] when it is --settings or --set (with its value); `matched`
// says whether it was. False, with `problem`, for a malformed one.
bool ParseParameterOption(const std::vector<std::string>& args, std::size_t& i, ParameterChoices& choices,
                          bool& matched, std::string& problem);

// What the values were read with, and what reading them said.
struct ChosenValues {
    // The picture's shorter side, for lengths in per cent; 0 while no
    // picture is known (such lengths are then only checked).
    int32_t shorterSide = 0;
    std::vector<std::string> warnings;  // one line per value brought into its range
    bool ofPicture = false;             // a value is a length in per cent of the picture
    std::vector<std::string> files;     // the content files named, as full paths
};

// The chosen values as the record of the effect, with its parameter set.
// False, with `problem`, for a setting that cannot be found or read, an
// unknown name, a value its parameter does not take, or a length in per
// cent, which a record cannot keep.
bool ChosenRecord(const Filter& effect, const ParameterChoices& choices, const ISettingsFolders& folders,
                  ParameterBlock& block, ParameterSet& set, ChosenValues& chosen, std::string& problem);

// The chosen values as the scripting descriptor a host plays to the effect.
// Without choices the descriptor stays empty: the effect runs at its defaults.
bool ChosenDescriptor(const Filter& effect, const ParameterChoices& choices, const ISettingsFolders& folders,
                      DescriptorStore& descriptor, ChosenValues& chosen, std::string& problem);
