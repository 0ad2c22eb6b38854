#include "parametertext/LengthText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "filters/ScriptCapture.h"

namespace {

struct UnitSpelling {
    const char* word;
    int32_t unit;
};

constexpr UnitSpelling kSpellings[] = {
    {"px", kLengthPixels},
    {"pixel", kLengthPixels},
    {"pixels", kLengthPixels},
    {"in", kLengthInches},
    {"inch", kLengthInches},
    {"inches", kLengthInches},
    {"cm", kLengthCentimeters},
    {"centimeter", kLengthCentimeters},
    {"centimeters", kLengthCentimeters},
    {"centimetre", kLengthCentimeters},
    {"centimetres", kLengthCentimeters},
    {"mm", kLengthMillimeters},
    {"millimeter", kLengthMillimeters},
    {"millimeters", kLengthMillimeters},
    {"millimetre", kLengthMillimeters},
    {"millimetres", kLengthMillimeters},
    {"pt", kLengthPoints},
    {"point", kLengthPoints},
    {"points", kLengthPoints},
    {"pc", kLengthPicas},
    {"pica", kLengthPicas},
    {"picas", kLengthPicas},
};

std::string LowerTrimmed(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c != ' ' && c != '\t') result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

}  // namespace

bool ParseLengthText(const std::string& text, TypedLength& length) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos) return false;
    const char* begin = text.c_str() + start;
    char* end = nullptr;
    const double amount = std::strtod(begin, &end);
    // strtod also reads "inf", "nan" and hexadecimal numbers; none is a length.
    if (end == begin || !std::isfinite(amount) || std::isalpha(static_cast<unsigned char>(*begin))) return false;
    if (std::string(begin, static_cast<const char*>(end)).find_first_of("xX") != std::string::npos) return false;
    const std::string unit = LowerTrimmed(end);
    length = TypedLength{amount, kLengthPixels, false};
    if (unit.empty()) return true;
    if (unit == "%") {
        length.percent = true;
        return true;
    }
    for (const UnitSpelling& spelling : kSpellings) {
        if (unit == spelling.word) {
            length.unit = spelling.unit;
            return true;
        }
    }
    return false;
}

const char* LengthUnitAbbreviation(int32_t unit) {
    switch (unit) {
        case kLengthPixels: return "px";
        case kLengthInches: return "in";
        case kLengthCentimeters: return "cm";
        case kLengthMillimeters: return "mm";
        case kLengthPoints: return "pt";
        case kLengthPicas: return "pc";
        default: return "";
    }
}

std::string LengthSetText(const LengthValue& length) {
    return ShortestNumberText(length.value) + LengthUnitAbbreviation(length.unit);
}
