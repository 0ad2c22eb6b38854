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

// Reads the groups of `text` into `entries` with `read(group, entry)` and
// returns the count: 0 for a count of 0 or less, at most `maxEntries`.
// Entries the text promises but does not give are left as they are.
template <class Entry, class ReadEntry>
int ReadValueText(std::string_view text, std::size_t prefixLength, Entry* entries, int maxEntries, ReadEntry read) {
    const ValueTextFields fields = SplitValueText(text, prefixLength, static_cast<std::size_t>(maxEntries));
    if (fields.count <= 0) return 0;
    const int count = fields.count < maxEntries ? fields.count : maxEntries;
    for (std::size_t i = 0; i < fields.groups.size() && i < static_cast<std::size_t>(count); ++i)
        read(fields.groups[i], entries[i]);
    return count;
}
