// The names people type for an effect's parameters: each parameter's own
// name, or else its label, in lower case with hyphens between the words
// ("Edge type" is edge-type), and for a parameter of several keys the key's
// word after it ("light-direction").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class FilterParameter;

// `words` in lower case, every run of characters other than letters and
// digits one hyphen, none at either end: "Shadow colour" is shadow-colour.
std::string ReadableName(std::string_view words);

// The name of `parameter`'s key at `index`.
std::string KeyName(const FilterParameter& parameter, int32_t index);

// The key's label for a listing: the parameter's label with the key's word
// after it, or, for a parameter named apart from its label (a content
// chooser labelled "Choose..."), the key's name written as words.
std::string KeyLabel(const FilterParameter& parameter, int32_t index);
