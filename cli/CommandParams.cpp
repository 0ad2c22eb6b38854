// dapple params [EFFECT] [--json]: every key of an effect (of every effect
// when none is named) with the name to type, its label, the kind of value,
// its default as --set takes it and the values it takes. The lines are
// tab-separated; a list's choices follow on lines of their own that begin
// with a tab: position, code, name.
#include <memory>

#include "cli/Command.h"
#include "cli/CommandEffects.h"
#include "cli/JsonText.h"
#include "filters/ScriptCapture.h"
#include "host/FilterFactory.h"
#include "parametertext/ParameterDescriptions.h"

namespace {

void PrintLines(const std::vector<ParameterDescription>& keys, std::ostream& out) {
    for (const ParameterDescription& key : keys) {
        out << key.name << '\t' << KeyText(key.key) << '\t' << key.label << '\t' << KindWords(key.shape) << '\t'
            << key.value << '\t' << RangeWords(key.shape) << '\n';
        for (std::size_t i = 0; i < key.shape.choices.size(); ++i)
            out << '\t' << i << '\t' << KeyText(key.shape.choices[i].code) << '\t' << key.shape.choices[i].name << '\n';
    }
}

void PrintJsonKey(const ParameterDescription& key, std::ostream& out) {
    out << "{\"name\": " << JsonString(key.name) << ", \"key\": " << JsonString(KeyText(key.key))
        << ", \"label\": " << JsonString(key.label) << ", \"kind\": " << JsonString(KindWords(key.shape))
        << ", \"default\": " << JsonString(key.value) << ", \"values\": " << JsonString(RangeWords(key.shape));
    if (key.shape.ranged)
        out << ", \"minimum\": " << JsonNumber(key.shape.minimum) << ", \"maximum\": " << JsonNumber(key.shape.maximum);
    if (key.shape.wraps) out << ", \"wraps\": true";
    if (!key.shape.choices.empty()) {
        out << ", \"choices\": [";
        for (std::size_t i = 0; i < key.shape.choices.size(); ++i) {
            out << (i > 0 ? ", " : "") << "{\"position\": " << i
                << ", \"code\": " << JsonString(KeyText(key.shape.choices[i].code))
                << ", \"name\": " << JsonString(key.shape.choices[i].name) << "}";
        }
        out << "]";
    }
    if (key.decidedBy != 0) out << ", \"decidedBy\": " << JsonString(KeyText(key.decidedBy));
    out << ", \"description\": " << JsonString(key.description) << "}";
}

void PrintJson(const EffectChoice& choice, const std::vector<ParameterDescription>& keys, std::ostream& out) {
    out << "{\"effect\": " << JsonString(choice.filter->InternalName())
        << ", \"displayName\": " << JsonString(EffectDisplayName(choice.kind)) << ", \"parameters\": [";
    const char* separator = "";
    for (const ParameterDescription& key : keys) {
        out << separator << "\n  ";
        PrintJsonKey(key, out);
        separator = ",";
    }
    out << "\n]}";
}

int PrintEffect(const EffectChoice& choice, OutputStyle style, const CommandStreams& streams) {
    auto block = std::make_unique<ParameterBlock>();
    ParameterSet set;
    if (BuildDefaultParameters(*choice.filter, *block, set).IsFailure()) {
        streams.err << "dapple: " << choice.filter->InternalName() << " could not list its parameters\n";
        return kExitFailed;
    }
    const std::vector<ParameterDescription> keys = DescribeParameters(set);
    if (style == OutputStyle::Json) {
        PrintJson(choice, keys, streams.out);
    } else {
        PrintLines(keys, streams.out);
    }
    return kExitSuccess;
}

}  // namespace

int RunParamsCommand(const std::string& effect, OutputStyle style, const CommandStreams& streams) {
    if (!effect.empty()) {
        EffectChoice choice;
        if (!FindEffect(effect, choice)) {
            streams.err << "dapple: unknown effect '" << effect << "' (see dapple effects)\n";
            return kExitUsage;
        }
        const int code = PrintEffect(choice, style, streams);
        if (style == OutputStyle::Json && code == kExitSuccess) streams.out << '\n';
        return code;
    }
    // Every effect: as a JSON array, or each effect's lines after its name in brackets.
    const bool json = style == OutputStyle::Json;
    if (json) streams.out << '[';
    const char* separator = "";
    for (FilterKind kind : BuiltEffectKinds()) {
        EffectChoice choice;
        if (CreateFilter(kind, choice.filter).IsFailure()) continue;
        choice.kind = kind;
        streams.out << separator << (json ? "\n" : "[" + choice.filter->InternalName() + "]\n");
        const int code = PrintEffect(choice, style, streams);
        if (code != kExitSuccess) return code;
        separator = json ? "," : "\n";
    }
    streams.out << (json ? "\n]\n" : "");
    return kExitSuccess;
}
