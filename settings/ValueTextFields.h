// The one-line text forms of gradients and bevel profiles share their
// shape: a prefix, the count, then one "/"-led group of numbers per stop
// or point ("Bevel: 2/0.000 0.000 1/1.000 1.000 0").
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

struct ValueTextFields {
    int count = 0;                         // as the text gives it; 0 or less: no entries
    std::vector<std::string_view> groups;  // the groups after the count, at most the `maxGroups` asked for
};

// Splits `text`: the first `prefixLength` characters are skipped without
// being compared (a shorter text leaves nothing), the rest is cut at every
// "/" with runs of them taken as one and empty fields dropped, as strtok
// cuts. The first field is the count (a decimal integer after optional
// blanks; 0 when it does not start with one).
ValueTextFields SplitValueText(std::string_view text, std::size_t prefixLength, std::size_t maxGroups);
