#include "parametertext/ValueParsing.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "filters/ColorSpec.h"
#include "filters/LengthValue.h"
#include "parametertext/ColourText.h"
#include "parametertext/ContentPaths.h"
#include "parametertext/LengthText.h"
#include "parametertext/ReadableNames.h"
#include "parametertext/TypedText.h"

namespace {

// A finite number, then nothing but the unit's own spellings.
bool ParseNumber(const std::string& typed, KeyUnit unit, double& value) {
    const std::string text = TrimmedBlanks(typed);
    if (text.empty() || std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || errno != 0 || !std::isfinite(value)) return false;
    if (std::string(text.c_str(), static_cast<const char*>(end)).find_first_of("xX") != std::string::npos) return false;
    const std::string rest = LowerCase(TrimmedBlanks(end));
    if (rest.empty()) return true;
    if (unit == KeyUnit::Percent) return rest == "%" || rest == "percent";
    if (unit == KeyUnit::Degrees) return rest == "deg" || rest == "degrees" || rest == "\xC2\xB0";
    return false;
}

ScriptItem Item(uint32_t key, ps::DescType type) {
    ScriptItem item;
    item.key = key;
    item.type = type;
    return item;
}

std::string RangeText(const KeyShape& shape, const std::string& unit) {
    return ShortestNumberText(shape.minimum) + unit + " to " + ShortestNumberText(shape.maximum) + unit;
}

// Into [minimum, maximum], saying so when it moved; an angle round the full
// circle wraps into it instead.
double Ranged(const ParameterDescription& description, double value, const std::string& given, const std::string& unit,
              std::string& warning) {
    const KeyShape& shape = description.shape;
    if (!shape.ranged || (value >= shape.minimum && value <= shape.maximum)) return value;
    if (shape.wraps) {
        const double turn = shape.maximum - shape.minimum;
        const double wrapped = std::fmod(value - shape.minimum, turn);
        return (wrapped < 0.0 ? wrapped + turn : wrapped) + shape.minimum;
    }
    const double clamped = value < shape.minimum ? shape.minimum : shape.maximum;
    warning = description.name + " " + given + " is outside its range " + RangeText(shape, unit) + "; " +
              ShortestNumberText(clamped) + unit + " is used";
    return clamped;
}

bool ParseFlag(const std::string& typed, bool& on) {
    const std::string text = LowerCase(TrimmedBlanks(typed));
    if (text == "1" || text == "on" || text == "yes" || text == "true") {
        on = true;
        return true;
    }
    if (text == "0" || text == "off" || text == "no" || text == "false") {
        on = false;
        return true;
    }
    return false;
}

// A list item by code (exactly, else without the trailing blanks and the
// letter case), by name, or by position.
bool ParseChoice(const KeyShape& shape, const std::string& typed, uint32_t& code) {
    const std::string text = TrimmedBlanks(typed);
    for (const KeyChoice& choice : shape.choices) {
        if (KeyText(choice.code) == typed) {
            code = choice.code;
            return true;
        }
    }
    const std::string wanted = ReadableName(text);
    for (const KeyChoice& choice : shape.choices) {
        if (ReadableName(choice.name) == wanted || LowerCase(TrimmedBlanks(KeyText(choice.code))) == LowerCase(text)) {
            code = choice.code;
            return true;
        }
    }
    if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos && text.size() < 4) {
        const std::size_t position = static_cast<std::size_t>(std::atoi(text.c_str()));
        if (position < shape.choices.size()) {
            code = shape.choices[position].code;
            return true;
        }
    }
    return false;
}

bool ParseLength(const ParameterDescription& description, const std::string& text, const ValueContext& context,
                 ParsedValue& parsed, std::string& problem) {
    TypedLength typed;
    if (!ParseLengthText(text, typed)) {
        problem = description.name +
                  " is a length: a number of pixels, or with its unit (px, in, cm, mm, pt, pc), or a percentage of "
                  "the picture's shorter side";
        return false;
    }
    LengthValue length{typed.amount, typed.unit};
    std::string given = ShortestNumberText(typed.amount) + (typed.percent ? "%" : LengthUnitAbbreviation(typed.unit));
    if (typed.percent) {
        parsed.ofPicture = true;
        length = LengthValue{typed.amount * context.shorterSide / 100.0, kLengthPixels};
        given += " (" + ShortestNumberText(length.value) + "px)";
    }
    if (!typed.percent || context.shorterSide > 0)
        length.value = Ranged(description, length.value, given, LengthUnitAbbreviation(length.unit), parsed.warning);
    ScriptItem item = Item(description.key, ps::typeChar);
    item.text = length.ToText();
    parsed.items.push_back(item);
    return true;
}

bool ParseNumberValue(const ParameterDescription& description, const std::string& text, ParsedValue& parsed,
                      std::string& problem) {
    const KeyShape& shape = description.shape;
    double value = 0.0;
    if (!ParseNumber(text, shape.unit, value)) {
        problem = description.name + " is a number";
        if (shape.ranged) problem += " from " + RangeText(shape, "");
        return false;
    }
    ScriptItem item = Item(description.key, ps::typeFloat);
    item.number = Ranged(description, value, ShortestNumberText(value), "", parsed.warning);
    parsed.items.push_back(item);
    return true;
}

bool ParseSeed(const ParameterDescription& description, const std::string& text, ParsedValue& parsed,
               std::string& problem) {
    double value = 0.0;
    if (!ParseNumber(text, KeyUnit::None, value) || value != std::floor(value)) {
        problem = description.name + " is a whole number from " + RangeText(description.shape, "");
        return false;
    }
    ScriptItem item = Item(description.key, ps::typeInteger);
    item.integer = static_cast<int32_t>(Ranged(description, value, ShortestNumberText(value), "", parsed.warning));
    parsed.items.push_back(item);
    return true;
}

bool ParseKind(const ParameterDescription& description, const std::string& text, const ValueContext& context,
               ParsedValue& parsed, std::string& problem) {
    const KeyShape& shape = description.shape;
    switch (shape.kind) {
        case KeyKind::Number: return ParseNumberValue(description, text, parsed, problem);
        case KeyKind::Length: return ParseLength(description, text, context, parsed, problem);
        case KeyKind::Seed: return ParseSeed(description, text, parsed, problem);
        case KeyKind::Flag: {
            bool on = false;
            if (!ParseFlag(text, on)) {
                problem = description.name + " is on or off: 1 or 0";
                return false;
            }
            ScriptItem item = Item(description.key, ps::typeBoolean);
            item.integer = on ? 1 : 0;
            parsed.items.push_back(item);
            return true;
        }
        case KeyKind::Choice: {
            ScriptItem item = Item(description.key, ps::typeEnumerated);
            if (!ParseChoice(shape, text, item.value)) {
                problem = description.name + " is " + RangeWords(shape) + " (or its code or position)";
                return false;
            }
            parsed.items.push_back(item);
            return true;
        }
        case KeyKind::Colour: {
            ColorSpec colour = ColorSpec::RGB(0, 0, 0);
            if (!ParseColourText(text, colour)) {
                problem = description.name + " is a colour: " + RangeWords(shape);
                return false;
            }
            ScriptItem item = Item(description.key, ps::typeChar);
            item.text = colour.ToText();
            parsed.items.push_back(item);
            return true;
        }
        case KeyKind::ContentPath: {
            ScriptItem path = Item(description.key, ps::typeChar);
            bool relative = false;
            if (!ContentReferenceFor(text, context.kind, path.text, relative, parsed.file, problem)) return false;
            ScriptItem flag = Item(description.flagKey, ps::typeBoolean);
            flag.integer = relative ? 1 : 0;
            parsed.items.push_back(path);
            parsed.items.push_back(flag);
            return true;
        }
        case KeyKind::None: break;
    }
    problem = description.name + " cannot be set";
    return false;
}

}  // namespace

bool ParseValue(const ParameterDescription& description, const std::string& text, const ValueContext& context,
                ParsedValue& parsed, std::string& problem) {
    parsed = ParsedValue();
    return ParseKind(description, text, context, parsed, problem);
}
