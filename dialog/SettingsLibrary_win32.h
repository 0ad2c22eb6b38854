// The gradient and bevel libraries of the settings layer as the editors see
// them (ILibrary), with the editors' values turned into the stored flat form
// and back:
//   - to the flat form: the first 25 stops (points) in ascending location
//     (x); each component truncated toward zero to a 16-bit integer; the
//     components a stop does not use (beyond its channels and its alpha) 0.
//   - from the flat form: the stops (points) in ascending location (x), a
//     channel count outside 0 to 4 brought to the nearest of them.
#pragma once

#include <string>
#include <vector>

#include "controls/BevelProfile.h"
#include "controls/GradientStops.h"
#include "controls/Library.h"
#include "settings/GradientLibrary.h"

GradientValue FlatGradient(const GradientStops& stops);
GradientStops StopsOfGradient(const GradientValue& value);
BevelProfileValue FlatProfile(const BevelPoints& points);
BevelPoints PointsOfProfile(const BevelProfileValue& value);

inline void ToFlat(const GradientStops& stops, GradientValue& flat) { flat = FlatGradient(stops); }
inline void FromFlat(const GradientValue& flat, GradientStops& stops) { stops = StopsOfGradient(flat); }
inline void ToFlat(const BevelPoints& points, BevelProfileValue& flat) { flat = FlatProfile(points); }
inline void FromFlat(const BevelProfileValue& flat, BevelPoints& points) { points = PointsOfProfile(flat); }

// A library of the settings layer in the editors' terms. The folders are
// not owned and must outlive it.
template <class EditorValue, class FlatValue>
class SettingsLibrary final : public ILibrary<EditorValue> {
public:
    explicit SettingsLibrary(const ISettingsFolders& folders) : library_(folders) {}

    ResultCode List(std::vector<std::string>& names) override { return library_.List(names); }
    ResultCode Load(const std::string& name, EditorValue& value) override {
        FlatValue flat;
        flat.Clear();
        const ResultCode result = library_.Load(name, flat);
        if (result.IsSuccess()) FromFlat(flat, value);
        return result;
    }
    ResultCode Save(const std::string& name, const EditorValue& value) override {
        FlatValue flat;
        ToFlat(value, flat);
        return library_.Save(name, flat);
    }
    ResultCode Delete(const std::string& name) override { return library_.Delete(name); }
    ResultCode Rename(const std::string& oldName, const std::string& newName) override {
        return library_.Rename(oldName, newName);
    }
    ResultCode Exists(const std::string& name, bool& exists) override { return library_.Exists(name, exists); }

private:
    ValueLibrary<FlatValue> library_;
};

using GradientSettingsLibrary = SettingsLibrary<GradientStops, GradientValue>;
using BevelSettingsLibrary = SettingsLibrary<BevelPoints, BevelProfileValue>;
