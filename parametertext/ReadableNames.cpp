#include "parametertext/ReadableNames.h"

#include <cctype>

#include "filters/FilterParameter.h"

namespace {

bool IsWordCharacter(unsigned char c) { return std::isalnum(c) || c >= 0x80; }

std::string Joined(const std::string& name, const std::string& part) {
    if (part.empty()) return name;
    return name.empty() ? part : name + "-" + part;
}

}  // namespace

std::string ReadableName(std::string_view words) {
    std::string name;
    bool pendingHyphen = false;
    for (char c : words) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (!IsWordCharacter(u)) {
            pendingHyphen = !name.empty();
            continue;
        }
        if (pendingHyphen) name += '-';
        pendingHyphen = false;
        name += static_cast<char>(u < 0x80 ? std::tolower(u) : u);
    }
    return name;
}

std::string KeyName(const FilterParameter& parameter, int32_t index) {
    const std::string base = parameter.name.empty() ? ReadableName(parameter.label) : parameter.name;
    return Joined(base, parameter.DescribeKey(index).part);
}

std::string KeyLabel(const FilterParameter& parameter, int32_t index) {
    const std::string part = parameter.DescribeKey(index).part;
    if (parameter.name.empty()) return part.empty() ? parameter.label : parameter.label + " " + part;
    std::string label = KeyName(parameter, index);
    for (char& c : label) {
        if (c == '-') c = ' ';
    }
    if (!label.empty()) label[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(label[0])));
    return label;
}
