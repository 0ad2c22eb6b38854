#include "cli/CommandOptions.h"

bool OptionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name, std::string& value,
                 bool& matched, std::string& problem) {
    const std::string& arg = args[i];
    matched = false;
    if (arg == name) {
        matched = true;
        if (i + 1 >= args.size()) {
            problem = name + " needs a value";
            return false;
        }
        value = args[++i];
        return true;
    }
    if (arg.compare(0, name.size() + 1, name + "=") == 0) {
        matched = true;
        value = arg.substr(name.size() + 1);
    }
    return true;
}

bool NonEmptyOptionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                         const std::string& what, std::string& value, bool& matched, std::string& problem) {
    if (!OptionValue(args, i, name, value, matched, problem)) return false;
    if (matched && value.empty()) {
        problem = name + " needs " + what;
        return false;
    }
    return true;
}
