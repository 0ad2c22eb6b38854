#include "settings/GradientValue.h"

#include <algorithm>
#include <cstring>

#include "filters/FixedText.h"
#include "filters/TextScanner.h"
#include "settings/ValueTextFields.h"

namespace {

constexpr std::size_t kPrefixLength = sizeof GradientValue::kTextPrefix - 1;

std::string StopText(const GradientValueStop& stop) {
    std::string text = FixedText(stop.location, 3);
    text += ' ' + std::to_string(stop.mode) + ' ' + std::to_string(stop.channels) + ' ' + (stop.alpha != 0 ? "1" : "0");
    for (int16_t component : stop.components) text += ' ' + std::to_string(component);
    text += ' ' + FixedText(stop.stopValue, 3);
    return text;
}

// "%lf %d %d %d %hd %hd %hd %hd %hd %lf": every field up to the first that
// does not read is stored.
void ReadStop(std::string_view group, GradientValueStop& stop) {
    TextScanner scanner(group);
    int alpha = 0;
    if (!scanner.ReadDouble(stop.location) || !scanner.ReadInt(stop.mode) || !scanner.ReadInt(stop.channels)) return;
    if (!scanner.ReadInt(alpha)) return;
    stop.alpha = alpha != 0 ? 1 : 0;
    for (int16_t& component : stop.components) {
        if (!scanner.ReadShort(component)) return;
    }
    scanner.ReadDouble(stop.stopValue);
}

}  // namespace

void GradientValue::Clear() { std::memset(static_cast<void*>(this), 0, sizeof *this); }

std::string GradientValue::ToText() const {
    const int stopCount = std::clamp<int32_t>(count, 0, kMaxStops);
    std::string text = kTextPrefix + std::to_string(stopCount);
    for (int i = 0; i < stopCount; ++i) text += '/' + StopText(stops[i]);
    return text;
}

void GradientValue::FromText(std::string_view text) {
    Clear();
    count = ReadValueText(text, kPrefixLength, stops, kMaxStops, ReadStop);
}
