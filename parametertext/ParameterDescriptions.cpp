#include "parametertext/ParameterDescriptions.h"

#include <new>

#include "filters/ParameterSet.h"
#include "filters/ScriptCapture.h"
#include "parametertext/ReadableNames.h"
#include "parametertext/ValueTexts.h"

namespace {

std::string UnitWord(KeyUnit unit) {
    switch (unit) {
        case KeyUnit::Percent: return " percent";
        case KeyUnit::Degrees: return " degrees";
        case KeyUnit::None: break;
    }
    return std::string();
}

std::string ChoiceList(const KeyShape& shape) {
    std::string list;
    for (std::size_t i = 0; i < shape.choices.size(); ++i) {
        if (i > 0) list += i + 1 == shape.choices.size() ? " or " : ", ";
        list += shape.choices[i].name;
    }
    return list;
}

}  // namespace

std::vector<ParameterDescription> DescribeParameters(const ParameterSet& set) {
    std::vector<ParameterDescription> descriptions;
    try {
        std::vector<ScriptItem> items;
        if (!CaptureScript(set, items)) return descriptions;
        for (std::size_t i = 0; i < set.Count(); ++i) {
            const FilterParameter& parameter = *set.At(i);
            for (int32_t k = 0; k < parameter.KeyCount(); ++k) {
                ParameterDescription description;
                description.key = parameter.KeyAt(k);
                description.name = KeyName(parameter, k);
                description.label = KeyLabel(parameter, k);
                description.description = parameter.hint;
                description.shape = parameter.DescribeKey(k);
                if (description.shape.kind == KeyKind::ContentPath) description.flagKey = parameter.KeyAt(k + 1);
                if (k > 0 && parameter.DescribeKey(k - 1).kind == KeyKind::ContentPath)
                    description.decidedBy = parameter.KeyAt(k - 1);
                description.value = SetFormText(description, items);
                descriptions.push_back(std::move(description));
            }
        }
    } catch (const std::bad_alloc&) {
        descriptions.clear();
    }
    return descriptions;
}

std::string KindWords(const KeyShape& shape) {
    switch (shape.kind) {
        case KeyKind::Number: return shape.unit == KeyUnit::Degrees ? "angle" : "number";
        case KeyKind::Length: return "length";
        case KeyKind::Flag: return "on or off";
        case KeyKind::Seed: return "random seed";
        case KeyKind::Choice: return "list";
        case KeyKind::Colour: return "colour";
        case KeyKind::ContentPath: return "content file";
        case KeyKind::None: break;
    }
    return "none";
}

std::string RangeWords(const KeyShape& shape) {
    const std::string range =
        shape.ranged ? ShortestNumberText(shape.minimum) + " to " + ShortestNumberText(shape.maximum) : std::string();
    switch (shape.kind) {
        case KeyKind::Number: return range + UnitWord(shape.unit) + (shape.wraps ? ", going round" : "");
        case KeyKind::Length: return range + " (in the unit given)";
        case KeyKind::Seed: return range;
        case KeyKind::Flag: return "0 or 1";
        case KeyKind::Choice: return "one of " + ChoiceList(shape);
        case KeyKind::Colour: return "#rrggbb, #rgb, rgb(r, g, b), a CSS colour name or the colour's text form";
        case KeyKind::ContentPath: return "a file, in the content folder or anywhere";
        case KeyKind::None: break;
    }
    return std::string();
}
