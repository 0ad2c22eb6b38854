// dapple params EFFECT [--json]: every key of the effect with its default and
// the values it takes. The lines give key, class, label, default and the
// values, tab-separated; a list's codes follow on lines of their own that
// begin with a tab.
#include <cstdio>
#include <memory>

#include "cli/Command.h"
#include "cli/CommandEffects.h"
#include "cli/JsonText.h"
#include "cli/ParameterDescriptions.h"
#include "host/FilterFactory.h"

namespace {

std::string NumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string JoinedUnits(const char* lastJoin) {
    const std::vector<std::string>& words = LengthUnitWords();
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) text += i + 1 == words.size() ? lastJoin : ", ";
        text += words[i];
    }
    return text;
}

std::string ValuesText(const KeyDescription& key) {
    switch (key.form) {
        case ValueForm::Flag: return "0 or 1";
        case ValueForm::Colour: return "a colour: #rrggbb or its text form";
        case ValueForm::Code: return "one of the " + std::to_string(key.choices.size()) + " codes below";
        case ValueForm::ContentFile:
            return key.defaultFile.empty() ? "a content file" : "a content file; the default is " + key.defaultFile;
        case ValueForm::Length:
            return NumberText(key.minimum) + " to " + NumberText(key.maximum) + " " + JoinedUnits(" or ");
        case ValueForm::Number:
        case ValueForm::Seed:
            if (!key.ranged) return "a number";
            return NumberText(key.minimum) + " to " + NumberText(key.maximum) + (key.unit.empty() ? "" : " ") +
                   key.unit;
        case ValueForm::None: break;
    }
    return "-";
}

void PrintLines(const std::vector<KeyDescription>& keys, std::ostream& out) {
    for (const KeyDescription& key : keys) {
        out << KeyText(key.key) << '\t' << key.className << '\t' << key.label << '\t' << key.defaultText << '\t'
            << ValuesText(key) << '\n';
        for (const ValueChoice& choice : key.choices)
            out << '\t' << KeyText(choice.code) << '\t' << choice.name << '\n';
    }
}

void PrintJsonKey(const KeyDescription& key, std::ostream& out) {
    out << "{\"key\": " << JsonString(KeyText(key.key)) << ", \"class\": " << JsonString(key.className)
        << ", \"label\": " << JsonString(key.label) << ", \"default\": " << JsonString(key.defaultText)
        << ", \"form\": " << JsonString(ValueFormName(key.form));
    if (key.ranged) {
        out << ", \"minimum\": " << JsonNumber(key.minimum) << ", \"maximum\": " << JsonNumber(key.maximum);
        if (!key.unit.empty()) out << ", \"unit\": " << JsonString(key.unit);
    }
    if (key.form == ValueForm::Length) {
        out << ", \"units\": [";
        const char* separator = "";
        for (const std::string& word : LengthUnitWords()) {
            out << separator << JsonString(word);
            separator = ", ";
        }
        out << "]";
    }
    if (key.form == ValueForm::Code) {
        out << ", \"choices\": [";
        const char* separator = "";
        for (const ValueChoice& choice : key.choices) {
            out << separator << "{\"code\": " << JsonString(KeyText(choice.code))
                << ", \"name\": " << JsonString(choice.name) << "}";
            separator = ", ";
        }
        out << "]";
    }
    if (!key.defaultFile.empty()) out << ", \"defaultFile\": " << JsonString(key.defaultFile);
    out << "}";
}

void PrintJson(const EffectChoice& choice, const std::vector<KeyDescription>& keys, std::ostream& out) {
    out << "{\"effect\": " << JsonString(choice.filter->InternalName())
        << ", \"displayName\": " << JsonString(EffectDisplayName(choice.kind)) << ", \"parameters\": [";
    const char* separator = "";
    for (const KeyDescription& key : keys) {
        out << separator << "\n  ";
        PrintJsonKey(key, out);
        separator = ",";
    }
    out << "\n]}\n";
}

}  // namespace

int RunParamsCommand(const std::string& effect, OutputStyle style, const CommandStreams& streams) {
    EffectChoice choice;
    if (!FindEffect(effect, choice)) {
        streams.err << "dapple: unknown effect '" << effect << "' (see dapple effects)\n";
        return kExitUsage;
    }
    auto block = std::make_unique<ParameterBlock>();
    ParameterSet set;
    if (BuildDefaultParameters(*choice.filter, *block, set).IsFailure()) {
        streams.err << "dapple: " << choice.filter->InternalName() << " could not list its parameters\n";
        return kExitFailed;
    }
    const std::vector<KeyDescription> keys = DescribeParameters(set);
    if (style == OutputStyle::Json) {
        PrintJson(choice, keys, streams.out);
    } else {
        PrintLines(keys, streams.out);
    }
    return kExitSuccess;
}
