// A length with its unit, as length parameters and length controls hold it.
// Lengths convert through pixels with the document's resolution, and travel
// through scripting and named settings as one line of text such as
// "12.50 millimeters".
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

// The same codes as the host's ruler units.
enum LengthUnit : int32_t {
    kLengthPixels = 0,
    kLengthInches = 1,
    kLengthCentimeters = 2,
    kLengthMillimeters = 3,
    kLengthPoints = 4,
    kLengthPicas = 5,
};

// The resolution a length converts through when the host reports none.
inline constexpr double kDefaultPixelsPerInch = 72.0;

// Plain data so that it can live inside a parameter record.
struct LengthValue {
    double value;
    int32_t unit;  // a LengthUnit

    void Set(double newValue, int32_t newUnit) {
        value = newValue;
        unit = newUnit;
    }

    // The value in `target` units, converted through pixels at `pixelsPerInch`
    // (0, or anything that is not a positive number, counts as 72). The same
    // unit gives the value unchanged; an unknown unit on either side gives 0.
    double In(int32_t target, double pixelsPerInch) const;
    LengthValue Converted(int32_t target, double pixelsPerInch) const {
        return LengthValue{In(target, pixelsPerInch), target};
    }

    // "%.2f" and the unit's word: "2.50 inches"; empty for an unknown unit.
    // The decimal point is a point in every locale.
    std::string ToText() const;
    // Reads "<number> <unit word>". Anything else (fewer than two words, a
    // unit word not spelt exactly as ToText writes it, a number that is not
    // finite) leaves 0 pixels. Words after the second are ignored.
    void FromText(const std::string& text);
};

static_assert(std::is_trivial_v<LengthValue> && std::is_standard_layout_v<LengthValue>);
