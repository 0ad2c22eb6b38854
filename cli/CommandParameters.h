// The parameter values a command line chooses for an effect: its defaults,
// then a named setting (--settings NAME), then single values in their script
// form (--set KEY=VALUE), each later choice over the earlier ones.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "inprocesshost/DescriptorStore.h"
#include "settings/SettingsFolders.h"

struct ParameterChoices {
    std::string settings;                                     // empty: none
    std::vector<std::pair<std::string, std::string>> values;  // --set KEY=VALUE, in order
};

// Takes args[i] when it is --settings or --set (with its value); `matched`
// says whether it was. False, with `problem`, for a malformed one.
bool ParseParameterOption(const std::vector<std::string>& args, std::size_t& i, ParameterChoices& choices,
                          bool& matched, std::string& problem);

// The chosen values as the record of the effect, with its parameter set.
// False, with `problem`, for a setting that cannot be found or read, an
// unknown key or a value its parameter does not take.
bool ChosenRecord(const Filter& effect, const ParameterChoices& choices, const ISettingsFolders& folders,
                  ParameterBlock& block, ParameterSet& set, std::string& problem);

// The chosen values as the scripting descriptor a host plays to the effect.
// Without choices the descriptor stays empty: the effect runs at its defaults.
bool ChosenDescriptor(const Filter& effect, const ParameterChoices& choices, const ISettingsFolders& folders,
                      DescriptorStore& descriptor, std::string& problem);
