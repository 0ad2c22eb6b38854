#include "tests/settings/ParameterValues.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "filters/CheckboxParameter.h"
#include "filters/ColorParameter.h"
#include "filters/DirectionParameter.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/LightingParameter.h"
#include "filters/ListboxParameter.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/TypeOnlyParameters.h"
#include "settings/BevelProfileValue.h"
#include "settings/GradientValue.h"

namespace {

template <typename P>
P* As(FilterParameter& parameter) {
    return dynamic_cast<P*>(&parameter);
}
template <typename P>
const P* As(const FilterParameter& parameter) {
    return dynamic_cast<const P*>(&parameter);
}

double Uniform(std::mt19937& random, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
}
int Between(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

// What printf's "%.*f" and strtod make of `value`.
double Rounded(double value, int decimals) {
    char text[512];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return std::strtod(text, nullptr);
}

// A colour in its legal ranges, in any space.
ColorSpec RandomColour(std::mt19937& random) {
    const auto part = [&random](int high) { return static_cast<int16_t>(Between(random, 0, high)); };
    switch (Between(random, 0, 6)) {
        case ColorSpec::kHSB: return ColorSpec{ColorSpec::kHSB, part(359), part(255), part(255), 0};
        case ColorSpec::kHSL: return ColorSpec{ColorSpec::kHSL, part(359), part(255), part(255), 0};
        case ColorSpec::kCMYK: return ColorSpec{ColorSpec::kCMYK, part(255), part(255), part(255), part(255)};
        case ColorSpec::kLab: return ColorSpec{ColorSpec::kLab, part(255), part(255), part(255), 0};
        case ColorSpec::kGray: return ColorSpec{ColorSpec::kGray, part(255), 0, 0, 0};
        case ColorSpec::kXYZ: return ColorSpec{ColorSpec::kXYZ, part(32767), part(32767), part(32767), 0};
        default: return ColorSpec::RGB(part(255), part(255), part(255));
    }
}

std::string RandomPath(std::mt19937& random, std::size_t maxLength) {
    static const char kCharacters[] = "abc XYZ 019_-.\\/:()'";
    std::string path;
    const std::size_t length = static_cast<std::size_t>(Between(random, 1, static_cast<int>(maxLength)));
    for (std::size_t i = 0; i < length; ++i) path += kCharacters[Between(random, 0, sizeof kCharacters - 2)];
    return path;
}

void RandomGradient(std::mt19937& random, unsigned char* record) {
    GradientValue value;
    value.Clear();
    value.count = Between(random, 0, GradientValue::kMaxStops);
    for (int i = 0; i < value.count; ++i) {
        GradientValueStop& stop = value.stops[i];
        stop.location = Uniform(random, 0.0, 1.0);
        stop.mode = Between(random, 0, 1) == 0 ? 666 : Between(random, 0, 6);
        stop.channels = Between(random, 1, 4);
        stop.alpha = static_cast<unsigned char>(Between(random, 0, 1));
        for (int c = 0; c < stop.channels + stop.alpha; ++c)
            stop.components[c] = static_cast<int16_t>(Between(random, 0, 255));
        stop.stopValue = Uniform(random, -1.0, 1.0);
    }
    std::memcpy(record, &value, sizeof value);
}

void RandomCurve(std::mt19937& random, unsigned char* record) {
    BevelProfileValue value;
    value.Clear();
    value.count = Between(random, 0, BevelProfileValue::kMaxPoints);
    for (int i = 0; i < value.count; ++i) {
        value.points[i] = BevelProfilePoint{Uniform(random, 0.0, 1.0), Uniform(random, 0.0, 1.0),
                                            static_cast<unsigned char>(Between(random, 0, 1))};
    }
    std::memcpy(record, &value, sizeof value);
}

GradientValue ExpectedGradient(const unsigned char* record) {
    GradientValue value;
    std::memcpy(&value, record, sizeof value);
    for (int i = 0; i < value.count; ++i) {
        value.stops[i].location = Rounded(value.stops[i].location, 3);
        value.stops[i].stopValue = Rounded(value.stops[i].stopValue, 3);
    }
    return value;
}

BevelProfileValue ExpectedCurve(const unsigned char* record) {
    BevelProfileValue value;
    std::memcpy(&value, record, sizeof value);
    for (int i = 0; i < value.count; ++i) {
        value.points[i].x = Rounded(value.points[i].x, 3);
        value.points[i].y = Rounded(value.points[i].y, 3);
    }
    return value;
}

std::string Compare(const std::string& what, double expected, double actual) {
    if (expected == actual) return std::string();
    return what + ": expected " + std::to_string(expected) + ", read " + std::to_string(actual);
}

std::string CompareColour(const std::string& what, const ColorSpec& expected, const ColorSpec& actual) {
    return expected == actual ? std::string() : what + ": expected " + expected.ToText() + ", read " + actual.ToText();
}

template <class Value>
std::string CompareRecord(const std::string& what, const Value& expected, const unsigned char* record) {
    Value actual;
    std::memcpy(&actual, record, sizeof actual);
    return expected == actual ? std::string() : what + " differs";
}

}  // namespace

void SetRandomValue(FilterParameter& parameter, std::mt19937& random) {
    if (auto* slider = As<SliderParameter>(parameter)) {
        *slider->value = Uniform(random, slider->minimum, slider->maximum);
    } else if (auto* direction = As<DirectionParameter>(parameter)) {
        *direction->value = Uniform(random, 0.0, 360.0);
    } else if (auto* checkbox = As<CheckboxParameter>(parameter)) {
        *checkbox->value = static_cast<unsigned char>(Between(random, 0, 1));
    } else if (auto* seed = As<RandomSeedParameter>(parameter)) {
        *seed->value = static_cast<uint16_t>(Between(random, 0, 65535));
    } else if (auto* list = As<ListboxParameter>(parameter)) {
        if (!list->items.empty())
            *list->value =
                list->items[static_cast<std::size_t>(Between(random, 0, static_cast<int>(list->items.size()) - 1))].id;
    } else if (auto* colour = As<ColorParameter>(parameter)) {
        *colour->value = RandomColour(random);
    } else if (auto* length = As<LengthSliderParameter>(parameter)) {
        length->value->Set(Uniform(random, length->minimum, length->maximum), Between(random, 0, 5));
    } else if (auto* light = As<LightingParameter>(parameter)) {
        *light->value = LightingValue{Uniform(random, 0, 100), Uniform(random, 0, 100), Uniform(random, 0, 360),
                                      Uniform(random, 0, 90), RandomColour(random)};
    } else if (auto* fill = As<LayerFillParameter>(parameter)) {
        const uint32_t behaviours[3] = {kLayerFillWithColour, kLayerFillTransparent, kLayerFillKeep};
        *fill->value = LayerFillValue{behaviours[Between(random, 0, 2)], RandomColour(random)};
    } else if (auto* gradient = As<ColorGradientParameter>(parameter)) {
        RandomGradient(random, gradient->gradient);
    } else if (auto* curve = As<ComplexCurveParameter>(parameter)) {
        RandomCurve(random, curve->curve);
    } else if (auto* bevel = As<BevelTypeParameter>(parameter)) {
        *bevel->value = Between(random, 0, 3);
    } else if (auto* map = As<ReflectionMapParameter>(parameter)) {
        std::strcpy(map->fileName, RandomPath(random, map->capacity - 1).c_str());
    } else if (auto* tube = As<TubeButtonParameter>(parameter)) {
        std::strcpy(tube->path, RandomPath(random, 200).c_str());
        *tube->relative = static_cast<unsigned char>(Between(random, 0, 1));
    }
}

std::string DifferenceAfterRoundTrip(const FilterParameter& saved, const FilterParameter& loaded) {
    if (const auto* slider = As<SliderParameter>(saved)) {
        return Compare("slider", Rounded(*slider->value, 3), *As<SliderParameter>(loaded)->value);
    }
    if (const auto* direction = As<DirectionParameter>(saved)) {
        return Compare("direction", Rounded(*direction->value, 3), *As<DirectionParameter>(loaded)->value);
    }
    if (const auto* checkbox = As<CheckboxParameter>(saved)) {
        return Compare("checkbox", *checkbox->value, *As<CheckboxParameter>(loaded)->value);
    }
    if (const auto* seed = As<RandomSeedParameter>(saved)) {
        return Compare("seed", *seed->value, *As<RandomSeedParameter>(loaded)->value);
    }
    if (const auto* list = As<ListboxParameter>(saved)) {
        return Compare("list", *list->value, *As<ListboxParameter>(loaded)->value);
    }
    if (const auto* colour = As<ColorParameter>(saved)) {
        return CompareColour("colour", *colour->value, *As<ColorParameter>(loaded)->value);
    }
    if (const auto* length = As<LengthSliderParameter>(saved)) {
        const LengthValue& read = *As<LengthSliderParameter>(loaded)->value;
        return Compare("length", Rounded(length->value->value, 2), read.value) +
               Compare("length unit", length->value->unit, read.unit);
    }
    if (const auto* light = As<LightingParameter>(saved)) {
        const LightingValue& a = *light->value;
        const LightingValue& b = *As<LightingParameter>(loaded)->value;
        return Compare("brightness", Rounded(a.brightness, 3), b.brightness) +
               Compare("sharpness", Rounded(a.sharpness, 3), b.sharpness) +
               Compare("light direction", Rounded(a.direction, 3), b.direction) +
               Compare("elevation", Rounded(a.elevation, 3), b.elevation) +
               CompareColour("light colour", a.colour, b.colour);
    }
    if (const auto* fill = As<LayerFillParameter>(saved)) {
        const LayerFillValue& b = *As<LayerFillParameter>(loaded)->value;
        return Compare("fill behaviour", fill->value->behaviour, b.behaviour) +
               CompareColour("fill colour", fill->value->colour, b.colour);
    }
    if (const auto* gradient = As<ColorGradientParameter>(saved)) {
        const GradientValue expected = ExpectedGradient(gradient->gradient);
        return CompareRecord("gradient", expected, As<ColorGradientParameter>(loaded)->gradient);
    }
    if (const auto* curve = As<ComplexCurveParameter>(saved)) {
        const BevelProfileValue expected = ExpectedCurve(curve->curve);
        return CompareRecord("curve", expected, As<ComplexCurveParameter>(loaded)->curve);
    }
    if (const auto* bevel = As<BevelTypeParameter>(saved)) {
        return Compare("bevel type", *bevel->value, *As<BevelTypeParameter>(loaded)->value);
    }
    if (const auto* map = As<ReflectionMapParameter>(saved)) {
        return std::strcmp(map->fileName, As<ReflectionMapParameter>(loaded)->fileName) == 0 ? "" : "reflection map";
    }
    if (const auto* tube = As<TubeButtonParameter>(saved)) {
        const auto* read = As<TubeButtonParameter>(loaded);
        return std::string(std::strcmp(tube->path, read->path) == 0 ? "" : "tube path ") +
               Compare("relative", *tube->relative, *read->relative);
    }
    return "a parameter class the test does not know";
}
