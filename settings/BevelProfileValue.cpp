#include "settings/BevelProfileValue.h"

#include <algorithm>
#include <cstring>

#include "filters/FixedText.h"
#include "filters/TextScanner.h"
#include "settings/ValueTextFields.h"

namespace {

constexpr std::size_t kPrefixLength = sizeof BevelProfileValue::kTextPrefix - 1;

// "%lf %lf %d": every field up to the first that does not read is stored.
void ReadPoint(std::string_view group, BevelProfilePoint& point) {
    TextScanner scanner(group);
    int pointy = 0;
    if (!scanner.ReadDouble(point.x) || !scanner.ReadDouble(point.y) || !scanner.ReadInt(pointy)) return;
    point.pointy = pointy != 0 ? 1 : 0;
}

}  // namespace

void BevelProfileValue::Clear() { std::memset(static_cast<void*>(this), 0, sizeof *this); }

std::string BevelProfileValue::ToText() const {
    const int pointCount = std::clamp<int32_t>(count, 0, kMaxPoints);
    std::string text = kTextPrefix + std::to_string(pointCount);
    for (int i = 0; i < pointCount; ++i) {
        const BevelProfilePoint& point = points[i];
        text += '/' + FixedText(point.x, 3) + ' ' + FixedText(point.y, 3) + ' ' + (point.pointy != 0 ? "1" : "0");
    }
    return text;
}

void BevelProfileValue::FromText(std::string_view text) {
    Clear();
    count = ReadValueText(text, kPrefixLength, points, kMaxPoints, ReadPoint);
}
