#include "dialog/ApplyCommandLine.h"

#include <cctype>

#include "base/AsciiCase.h"
#include "parametertext/ParameterDescriptions.h"

namespace {

bool IsPlain(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || c == '-' || c == '.' || c == '/' || c == ',' || c == ':' || c == '=' ||
           c == '+' || c == '%' || c == '@';
}

}  // namespace

std::string ShellQuoted(const std::string& argument) {
    bool plain = !argument.empty();
    for (char c : argument) plain = plain && IsPlain(c);
    if (plain) return argument;
    std::string quoted = "'";
    for (char c : argument) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string ApplyCommandLine(const std::string& effect, const ParameterSet& set) {
    const std::vector<ParameterDescription> values = DescribeParameters(set);
    if (values.empty()) return std::string();
    std::string line = "dapple apply " + ShellQuoted(LowerCase(effect)) + " input.png output.png";
    for (const ParameterDescription& value : values) {
        if (value.value.empty() || value.decidedBy != 0) continue;
        line += " --set " + ShellQuoted(value.name + "=" + value.value);
    }
    return line;
}
