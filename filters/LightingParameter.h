// A light: brightness and sharpness (0 to 100), direction (0 to 360 degrees),
// elevation (0 to 90 degrees) and colour, under five keys recorded as four
// floats and one text.
#pragma once

#include <type_traits>

#include "filters/ColorSpec.h"
#include "filters/FilterParameter.h"

// Plain data so that it can live inside a parameter record.
struct LightingValue {
    double brightness;
    double sharpness;
    double direction;
    double elevation;
    ColorSpec colour;
};

static_assert(std::is_trivial_v<LightingValue> && std::is_standard_layout_v<LightingValue>);

// The light's four numbers in key order (direction, elevation, brightness,
// sharpness), each with its range from 0 to `maximum`.
struct LightingNumber {
    double LightingValue::*member;
    double maximum;
};
inline constexpr LightingNumber kLightingNumbers[4] = {
    {&LightingValue::direction, 360.0},
    {&LightingValue::elevation, 90.0},
    {&LightingValue::brightness, 100.0},
    {&LightingValue::sharpness, 100.0},
};

class LightingParameter : public FilterParameter {
public:
    // Keys in recording order.
    LightingParameter(uint32_t directionKey, uint32_t elevationKey, uint32_t brightnessKey, uint32_t sharpnessKey,
                      uint32_t colourKey, LightingValue* value)
        : keys{directionKey, elevationKey, brightnessKey, sharpnessKey, colourKey}, value(value) {}

    void Validate() override;
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    // A float key's value is clamped to its field's range before it is stored.
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
    int32_t KeyCount() const override { return 5; }
    uint32_t KeyAt(int32_t index) const override { return index >= 0 && index < 5 ? keys[index] : 0; }
    KeyShape DescribeKey(int32_t index) const override;

    uint32_t keys[5];
    LightingValue* value;
};
