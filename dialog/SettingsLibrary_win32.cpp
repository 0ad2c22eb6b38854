#include "dialog/SettingsLibrary_win32.h"

#include <algorithm>
#include <cmath>

namespace {

int16_t TruncatedComponent(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int16_t>(std::clamp(std::trunc(value), -32768.0, 32767.0));
}

// The first `limit` of `items` in ascending order of `key`; equal keys keep
// their order.
template <class Item, class Key>
std::vector<Item> FirstInOrder(std::vector<Item> items, std::size_t limit, Key key) {
    std::stable_sort(items.begin(), items.end(), [key](const Item& a, const Item& b) { return key(a) < key(b); });
    if (items.size() > limit) items.resize(limit);
    return items;
}

}  // namespace

GradientValue FlatGradient(const GradientStops& stops) {
    GradientValue flat;
    flat.Clear();
    const GradientStops ordered =
        FirstInOrder(stops, GradientValue::kMaxStops, [](const GradientStop& stop) { return stop.location; });
    flat.count = static_cast<int32_t>(ordered.size());
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        const GradientStop& stop = ordered[i];
        GradientValueStop& out = flat.stops[i];
        out.location = stop.location;
        out.mode = stop.mode;
        out.channels = stop.channels;
        out.alpha = stop.alpha ? 1 : 0;
        const int used = std::clamp(stop.channels, 0, 4) + (stop.alpha ? 1 : 0);
        for (int c = 0; c < used; ++c)
            out.components[c] = TruncatedComponent(stop.components[static_cast<std::size_t>(c)]);
        out.stopValue = stop.stopValue;
    }
    return flat;
}

GradientStops StopsOfGradient(const GradientValue& value) {
    GradientStops stops;
    const int count = std::clamp<int32_t>(value.count, 0, GradientValue::kMaxStops);
    for (int i = 0; i < count; ++i) {
        const GradientValueStop& in = value.stops[i];
        GradientStop stop;
        stop.location = in.location;
        stop.mode = in.mode;
        stop.channels = std::clamp<int32_t>(in.channels, 0, 4);
        stop.alpha = in.alpha != 0;
        for (std::size_t c = 0; c < stop.components.size(); ++c) stop.components[c] = in.components[c];
        stop.stopValue = in.stopValue;
        stops.push_back(stop);
    }
    return FirstInOrder(stops, stops.size(), [](const GradientStop& stop) { return stop.location; });
}

BevelProfileValue FlatProfile(const BevelPoints& points) {
    BevelProfileValue flat;
    flat.Clear();
    const BevelPoints ordered =
        FirstInOrder(points, BevelProfileValue::kMaxPoints, [](const BevelPoint& point) { return point.x; });
    flat.count = static_cast<int32_t>(ordered.size());
    for (std::size_t i = 0; i < ordered.size(); ++i)
        flat.points[i] = BevelProfilePoint{ordered[i].x, ordered[i].y, static_cast<unsigned char>(ordered[i].pointy)};
    return flat;
}

BevelPoints PointsOfProfile(const BevelProfileValue& value) {
    BevelPoints points;
    const int count = std::clamp<int32_t>(value.count, 0, BevelProfileValue::kMaxPoints);
    for (int i = 0; i < count; ++i)
        points.push_back(BevelPoint{value.points[i].x, value.points[i].y, value.points[i].pointy != 0});
    return FirstInOrder(points, points.size(), [](const BevelPoint& point) { return point.x; });
}
