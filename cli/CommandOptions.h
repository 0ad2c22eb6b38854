// Options shared by the commands: "--name VALUE" or "--name=VALUE".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// When args[i] is the option `name`, `matched` is set and `value` gets its
// value (the next argument, which `i` then moves to). False, with
// `problem`, for the option given last without a value.
bool OptionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name, std::string& value,
                 bool& matched, std::string& problem);

// The same for an option that needs a value: an empty one is refused with
// "NAME needs WHAT".
bool NonEmptyOptionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                         const std::string& what, std::string& value, bool& matched, std::string& problem);
