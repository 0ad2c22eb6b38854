#include "gimp/ProcedureValues.h"

#include <sstream>

#include "filters/ScriptCapture.h"

ProcedureValues ValuesFromArguments(const EffectProcedure& procedure, const std::vector<ArgumentValue>& arguments) {
    ProcedureValues values;
    for (std::size_t i = 0; i < procedure.arguments.size() && i < arguments.size(); ++i) {
        const ProcedureArgument& argument = procedure.arguments[i];
        const ArgumentValue& value = arguments[i];
        if (argument.name == kSettingsArgument) {
            values.settings = value.text;
            continue;
        }
        std::string text;
        switch (argument.type) {
            case ArgumentType::Float: text = ShortestNumberText(value.number); break;
            case ArgumentType::Int: text = std::to_string(value.integer); break;
            case ArgumentType::String: text = value.text; break;
        }
        if (!text.empty()) values.values.push_back(TypedValue{argument.name, text});
    }
    return values;
}

std::string ValuesText(const ProcedureValues& values) {
    std::string text;
    if (!values.settings.empty()) text += std::string(kSettingsArgument) + "=" + values.settings + "\n";
    for (const TypedValue& value : values.values) text += value.name + "=" + value.text + "\n";
    return text;
}

ProcedureValues ValuesFromText(const std::string& text) {
    ProcedureValues values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0) continue;
        const std::string name = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (name == kSettingsArgument) {
            values.settings = value;
        } else {
            values.values.push_back(TypedValue{name, value});
        }
    }
    return values;
}
