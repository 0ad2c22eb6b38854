#include "settings/ParameterLines.h"

#include <cstring>

#include "filters/CheckboxParameter.h"
#include "filters/ColorParameter.h"
#include "filters/DirectionParameter.h"
#include "filters/FixedText.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/LightingParameter.h"
#include "filters/ListboxParameter.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TextScanner.h"
#include "filters/TypeOnlyParameters.h"
#include "settings/BevelProfileValue.h"
#include "settings/GradientValue.h"
#include "settings/TextLines.h"

namespace {

template <typename P>
const P* As(const FilterParameter& parameter) {
    return dynamic_cast<const P*>(&parameter);
}

template <typename P>
P* As(FilterParameter& parameter) {
    return dynamic_cast<P*>(&parameter);
}

std::string Number(int32_t value) { return std::to_string(value); }
std::string Decimal3(double value) { return FixedText(value, 3); }

bool ReadDouble(std::string_view value, double& target) { return TextScanner(value).ReadDouble(target); }

bool ReadInt(std::string_view value, int& target) { return TextScanner(value).ReadInt(target); }

template <typename Record>
void ReadRecordText(std::string_view value, unsigned char* record) {
    Record read;
    read.FromText(value);
    std::memcpy(record, &read, sizeof read);
}

template <typename Record>
std::string RecordText(const unsigned char* record) {
    Record held;
    std::memcpy(&held, record, sizeof held);
    return held.ToText();
}

LineOutcome WriteLight(const LightingParameter& light, std::string& text) {
    for (int i = 0; i < 4; ++i) AppendKeyLine(text, light.keys[i], Decimal3(light.value->*kLightingNumbers[i].member));
    AppendKeyLine(text, light.keys[4], light.value->colour.ToText());
    return LineOutcome::kDone;
}

void ReadLight(LightingParameter& light, uint32_t key, std::string_view value) {
    for (int i = 0; i < 4; ++i) {
        if (key != light.keys[i]) continue;
        double read = 0.0;
        if (ReadDouble(value, read))
            light.value->*kLightingNumbers[i].member = ClampToRange(read, 0.0, kLightingNumbers[i].maximum);
        return;
    }
    if (key == light.keys[4]) light.value->colour.FromText(std::string(value));
}

}  // namespace

void AppendKeyLine(std::string& text, uint32_t key, std::string_view value) {
    text += Number(static_cast<int32_t>(key));
    text += ' ';
    AppendLine(text, value);
}

bool SplitKeyLine(std::string_view line, uint32_t& key, std::string_view& value) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return false;
    int number = 0;
    TextScanner(line).ReadInt(number);
    key = static_cast<uint32_t>(number);
    value = line.substr(blank + 1);
    return true;
}

LineOutcome WriteParameterLines(const FilterParameter& parameter, std::string& text) {
    if (const auto* slider = As<SliderParameter>(parameter)) {
        AppendKeyLine(text, slider->key, Decimal3(*slider->value));
    } else if (const auto* direction = As<DirectionParameter>(parameter)) {
        AppendKeyLine(text, direction->key, Decimal3(*direction->value));
    } else if (const auto* checkbox = As<CheckboxParameter>(parameter)) {
        AppendKeyLine(text, checkbox->key, *checkbox->value != 0 ? "1" : "0");
    } else if (const auto* seed = As<RandomSeedParameter>(parameter)) {
        AppendKeyLine(text, seed->key, Number(*seed->value));
    } else if (const auto* list = As<ListboxParameter>(parameter)) {
        AppendKeyLine(text, list->key, Number(*list->value));
    } else if (const auto* colour = As<ColorParameter>(parameter)) {
        AppendKeyLine(text, colour->key, colour->value->ToText());
    } else if (const auto* length = As<LengthSliderParameter>(parameter)) {
        AppendKeyLine(text, length->key, length->value->ToText());
    } else if (const auto* light = As<LightingParameter>(parameter)) {
        return WriteLight(*light, text);
    } else if (const auto* fill = As<LayerFillParameter>(parameter)) {
        AppendKeyLine(text, fill->keys[1], Number(static_cast<int32_t>(fill->value->behaviour)));
        AppendKeyLine(text, fill->keys[0], fill->value->colour.ToText());
    } else if (const auto* gradient = As<ColorGradientParameter>(parameter)) {
        AppendKeyLine(text, gradient->key, RecordText<GradientValue>(gradient->gradient));
    } else if (const auto* curve = As<ComplexCurveParameter>(parameter)) {
        AppendKeyLine(text, curve->key, RecordText<BevelProfileValue>(curve->curve));
    } else if (const auto* bevel = As<BevelTypeParameter>(parameter)) {
        AppendKeyLine(text, bevel->key, Number(*bevel->value));
    } else if (const auto* map = As<ReflectionMapParameter>(parameter)) {
        const std::string_view name = TextInArray(map->fileName, map->capacity);
        if (!FitsOnOneLine(name)) return LineOutcome::kUnwritable;
        AppendKeyLine(text, map->key, name);
    } else {
        return LineOutcome::kUnknownClass;
    }
    return LineOutcome::kDone;
}

LineOutcome ReadParameterLine(FilterParameter& parameter, uint32_t key, std::string_view value) {
    int number = 0;
    if (auto* slider = As<SliderParameter>(parameter)) {
        ReadDouble(value, *slider->value);
    } else if (auto* direction = As<DirectionParameter>(parameter)) {
        ReadDouble(value, *direction->value);
    } else if (auto* checkbox = As<CheckboxParameter>(parameter)) {
        if (ReadInt(value, number)) *checkbox->value = number != 0 ? 1 : 0;
    } else if (auto* seed = As<RandomSeedParameter>(parameter)) {
        if (ReadInt(value, number)) *seed->value = static_cast<uint16_t>(static_cast<uint32_t>(number) & 0xFFFFu);
    } else if (auto* list = As<ListboxParameter>(parameter)) {
        if (ReadInt(value, number)) *list->value = number;
    } else if (auto* colour = As<ColorParameter>(parameter)) {
        colour->value->FromText(std::string(value));
    } else if (auto* length = As<LengthSliderParameter>(parameter)) {
        length->value->FromText(std::string(value));
    } else if (auto* light = As<LightingParameter>(parameter)) {
        ReadLight(*light, key, value);
    } else if (auto* fill = As<LayerFillParameter>(parameter)) {
        if (key == fill->keys[1] && ReadInt(value, number)) fill->value->behaviour = static_cast<uint32_t>(number);
        if (key == fill->keys[0]) fill->value->colour.FromText(std::string(value));
    } else if (auto* gradient = As<ColorGradientParameter>(parameter)) {
        ReadRecordText<GradientValue>(value, gradient->gradient);
    } else if (auto* curve = As<ComplexCurveParameter>(parameter)) {
        ReadRecordText<BevelProfileValue>(value, curve->curve);
    } else if (auto* bevel = As<BevelTypeParameter>(parameter)) {
        if (ReadInt(value, number)) *bevel->value = number;
    } else if (auto* map = As<ReflectionMapParameter>(parameter)) {
        StoreTextInArray(value, map->fileName, map->capacity);
    } else {
        return LineOutcome::kUnknownClass;
    }
    return LineOutcome::kDone;
}

std::string_view TextInArray(const char* array, std::size_t capacity) {
    const void* end = std::memchr(array, '\0', capacity);
    return std::string_view(
        array, end == nullptr ? capacity : static_cast<std::size_t>(static_cast<const char*>(end) - array));
}

bool StoreTextInArray(std::string_view text, char* array, std::size_t capacity) {
    if (text.size() >= capacity || text.find('\0') != std::string_view::npos) return false;
    std::memcpy(array, text.data(), text.size());
    array[text.size()] = '\0';
    return true;
}

bool FitsOnOneLine(std::string_view text) { return text.find_first_of("\r\n") == std::string_view::npos; }
