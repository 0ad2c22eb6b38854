#include "cli/CommandScript.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "filters/CheckboxParameter.h"
#include "filters/ColorParameter.h"
#include "filters/ColorSpec.h"
#include "filters/DirectionParameter.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/LightingParameter.h"
#include "filters/ListboxParameter.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/TypeOnlyParameters.h"

namespace {

template <typename P>
const P* As(const FilterParameter& parameter) {
    return dynamic_cast<const P*>(&parameter);
}

int32_t KeyIndex(const FilterParameter& parameter, uint32_t key) {
    for (int32_t i = 0; i < parameter.KeyCount(); ++i) {
        if (parameter.KeyAt(i) == key) return i;
    }
    return -1;
}

}  // namespace

KeyForm FormOfKey(const FilterParameter& parameter, uint32_t key) {
    KeyForm result;
    const int32_t index = KeyIndex(parameter, key);
    if (As<SliderParameter>(parameter) || As<DirectionParameter>(parameter)) {
        result.form = ValueForm::Number;
    } else if (As<LightingParameter>(parameter)) {
        result.form = index == 4 ? ValueForm::Colour : ValueForm::Number;
    } else if (As<LengthSliderParameter>(parameter)) {
        result.form = ValueForm::Length;
    } else if (As<CheckboxParameter>(parameter)) {
        result.form = ValueForm::Flag;
    } else if (As<RandomSeedParameter>(parameter)) {
        result.form = ValueForm::Seed;
    } else if (As<ColorParameter>(parameter)) {
        result.form = ValueForm::Colour;
    } else if (As<TubeButtonParameter>(parameter)) {
        // The path is a file to check first (cli/CommandContentPath.h).
        result.form = index == 0 ? ValueForm::ContentFile : ValueForm::Flag;
    } else if (const auto* list = As<ListboxParameter>(parameter)) {
        result.form = ValueForm::Code;
        result.enumerationType = list->enumerationType;
        for (const ListboxParameter::Item& item : list->items) {
            if (item.code != 0) result.codes.push_back(item.code);
        }
    } else if (As<LayerFillParameter>(parameter)) {
        result.form = index == 0 ? ValueForm::Colour : ValueForm::Code;
        result.enumerationType = kLayerFillEnumerationType;
        result.codes = {kLayerFillWithColour, kLayerFillTransparent, kLayerFillKeep};
    }
    return result;
}

namespace {

bool ParseNumber(const std::string& text, double& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && errno == 0 && std::isfinite(value);
}

bool ParseSeed(const std::string& text, int32_t& value) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    value = std::atoi(text.c_str());
    return value <= 65535;
}

bool ParseLength(const std::string& text) {
    std::istringstream words(text);
    std::string number;
    std::string unit;
    std::string extra;
    if (!(words >> number >> unit) || (words >> extra)) return false;
    double amount = 0.0;
    if (!ParseNumber(number, amount)) return false;
    const std::vector<std::string>& units = LengthUnitWords();
    return std::find(units.begin(), units.end(), unit) != units.end();
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

// "#rrggbb" as the RGB text form.
bool HexColourText(const std::string& text, std::string& colourText) {
    if (text.size() != 7 || text[0] != '#') return false;
    int16_t channels[3];
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(text[static_cast<std::size_t>(1 + 2 * i)]);
        const int low = HexDigit(text[static_cast<std::size_t>(2 + 2 * i)]);
        if (high < 0 || low < 0) return false;
        channels[i] = static_cast<int16_t>(high * 16 + low);
    }
    colourText = ColorSpec::RGB(channels[0], channels[1], channels[2]).ToText();
    return true;
}

// How many components the space's text form gives.
int ComponentsOf(int16_t space) {
    switch (space) {
        case ColorSpec::kGray: return 1;
        case ColorSpec::kCMYK: return 4;
        default: return 3;
    }
}

// A colour text reads completely: starting from two different colours, the
// text sets the same space and the same components.
bool IsColourText(const std::string& text) {
    std::istringstream words(text);
    std::string first;
    if (!(words >> first)) return false;
    bool named = false;
    for (const char* word : {"RGB:", "HSB:", "HSL:", "CMYK:", "Lab:", "Gray:", "XYZ:"}) {
        if (first == word) named = true;
    }
    if (!named) return false;
    ColorSpec a{ColorSpec::kXYZ, 1, 2, 3, 4};
    ColorSpec b{ColorSpec::kXYZ, 5, 6, 7, 8};
    a.FromText(text);
    b.FromText(text);
    if (a.space != b.space) return false;
    const int16_t ca[4] = {a.c0, a.c1, a.c2, a.c3};
    const int16_t cb[4] = {b.c0, b.c1, b.c2, b.c3};
    for (int i = 0; i < ComponentsOf(a.space); ++i) {
        if (ca[i] != cb[i]) return false;
    }
    return true;
}

std::string CodeList(const std::vector<uint32_t>& codes) {
    std::string list;
    for (uint32_t code : codes) list += (list.empty() ? "" : ", ") + KeyText(code);
    return list;
}

bool PutCode(const KeyForm& form, uint32_t key, const std::string& text, DescriptorStore& store, std::string& problem) {
    uint32_t code = 0;
    bool known = KeyFromText(text, code);
    if (known) known = std::find(form.codes.begin(), form.codes.end(), code) != form.codes.end();
    if (!known) {
        problem = "expects one of " + CodeList(form.codes);
        return false;
    }
    store.PutEnumerated(key, form.enumerationType, code);
    return true;
}

}  // namespace

const std::vector<std::string>& LengthUnitWords() {
    static const std::vector<std::string> words = {"pixels", "inches", "centimeters", "millimeters", "points", "picas"};
    return words;
}

const char* ParameterClassName(const FilterParameter& parameter) {
    if (As<LengthSliderParameter>(parameter)) return "LengthSliderParameter";
    if (As<SliderParameter>(parameter)) return "SliderParameter";
    if (As<CheckboxParameter>(parameter)) return "CheckboxParameter";
    if (As<RandomSeedParameter>(parameter)) return "RandomSeedParameter";
    if (As<ColorParameter>(parameter)) return "ColorParameter";
    if (As<DirectionParameter>(parameter)) return "DirectionParameter";
    if (As<LightingParameter>(parameter)) return "LightingParameter";
    if (As<ListboxParameter>(parameter)) return "ListboxParameter";
    if (As<TubeButtonParameter>(parameter)) return "TubeButtonParameter";
    if (As<LayerFillParameter>(parameter)) return "LayerFillParameter";
    if (As<BevelTypeParameter>(parameter)) return "BevelTypeParameter";
    if (As<ComplexCurveParameter>(parameter)) return "ComplexCurveParameter";
    if (As<ColorGradientParameter>(parameter)) return "ColorGradientParameter";
    if (As<ReflectionMapParameter>(parameter)) return "ReflectionMapParameter";
    return "FilterParameter";
}

std::string ScriptText(const DescriptorItem& item) {
    ScriptItem value;
    value.key = item.key;
    value.type = item.type;
    value.integer = item.integer;
    value.number = item.number;
    value.value = item.value;
    value.text = item.bytes;
    return ScriptItemText(value);
}

bool PutScriptValue(const FilterParameter& parameter, uint32_t key, const std::string& text, DescriptorStore& store,
                    std::string& problem) {
    const KeyForm form = FormOfKey(parameter, key);
    switch (form.form) {
        case ValueForm::Number: {
            double value = 0.0;
            if (!ParseNumber(text, value)) break;
            store.PutFloat(key, value);
            return true;
        }
        case ValueForm::Seed: {
            int32_t value = 0;
            if (!ParseSeed(text, value)) {
                problem = "expects a whole number from 0 to 65535";
                return false;
            }
            store.PutInteger(key, value);
            return true;
        }
        case ValueForm::Length:
            if (!ParseLength(text)) {
                problem = "expects a length such as '40 pixels' or '2.5 inches'";
                return false;
            }
            store.PutText(key, text);
            return true;
        case ValueForm::Flag:
            if (text != "0" && text != "1") {
                problem = "expects 0 or 1";
                return false;
            }
            store.PutBoolean(key, text == "1");
            return true;
        case ValueForm::Code: return PutCode(form, key, text, store, problem);
        case ValueForm::Colour: {
            std::string colourText;
            if (HexColourText(text, colourText)) {
                store.PutText(key, colourText);
                return true;
            }
            if (IsColourText(text)) {
                store.PutText(key, text);
                return true;
            }
            problem = "expects a colour such as '#ff8000' or 'RGB: 100.0% 50.2% 0.0% (255 128 0)'";
            return false;
        }
        case ValueForm::ContentFile:
        case ValueForm::None: problem = "cannot be set from the command line"; return false;
    }
    problem = "expects a number";
    return false;
}
