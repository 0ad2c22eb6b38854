#include "parametertext/NameLookup.h"

#include <algorithm>
#include <cctype>

#include "filters/ScriptCapture.h"
#include "parametertext/ReadableNames.h"
#include "parametertext/TypedText.h"

namespace {

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// Edits (insertions, deletions, changes, swaps of neighbours) between a and b.
std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1, 0));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// The names within a few edits of `typed`, nearest first.
std::vector<std::string> NearNames(const std::vector<ParameterDescription>& descriptions, const std::string& typed) {
    const std::string wanted = ReadableName(typed);
    const std::size_t allowed = std::max<std::size_t>(1, wanted.size() / 3);
    std::vector<std::pair<std::size_t, std::string>> near;
    for (const ParameterDescription& description : descriptions) {
        const std::size_t byName = EditDistance(wanted, description.name);
        const std::size_t byKey =
            EditDistance(LowerCase(typed), LowerCase(WithoutTrailingBlanks(KeyText(description.key))));
        const std::size_t distance = std::min(byName, byKey);
        if (distance <= allowed) near.emplace_back(distance, description.name);
    }
    std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (const auto& candidate : near) {
        if (std::find(names.begin(), names.end(), candidate.second) == names.end()) names.push_back(candidate.second);
    }
    return names;
}

std::string Alternatives(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
        text += names[i];
    }
    return text;
}

}  // namespace

const ParameterDescription* FindParameter(const std::vector<ParameterDescription>& descriptions,
                                          const std::string& typed, std::string& problem) {
    for (const ParameterDescription& description : descriptions) {
        if (KeyText(description.key) == typed) return &description;
    }
    const std::string name = ReadableName(typed);
    for (const ParameterDescription& description : descriptions) {
        if (!name.empty() && description.name == name) return &description;
    }
    for (const ParameterDescription& description : descriptions) {
        if (!typed.empty() && WithoutTrailingBlanks(KeyText(description.key)) == typed) return &description;
    }
    std::vector<const ParameterDescription*> matches;
    for (const ParameterDescription& description : descriptions) {
        if (!typed.empty() && LowerCase(WithoutTrailingBlanks(KeyText(description.key))) == LowerCase(typed))
            matches.push_back(&description);
    }
    if (matches.size() == 1) return matches.front();
    if (matches.size() > 1) {
        std::vector<std::string> names;
        for (const ParameterDescription* match : matches) names.push_back(match->name);
        problem = "'" + typed + "' could be " + Alternatives(names);
        return nullptr;
    }
    problem = "no parameter '" + typed + "'";
    const std::vector<std::string> near = NearNames(descriptions, typed);
    if (!near.empty()) problem += "; did you mean " + Alternatives(near) + "?";
    return nullptr;
}
