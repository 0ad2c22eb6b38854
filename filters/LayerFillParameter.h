// What happens to the selected area before an effect paints on it: filled
// with a colour ("fiB0"), made transparent ("fiB1") or kept ("fiB2"). Recorded
// under two keys: the colour as text (key 0) and the behaviour as an
// enumerated value of type "Fibe" (key 1).
#pragma once

#include <string>
#include <type_traits>

#include "filters/ColorSpec.h"
#include "filters/FilterParameter.h"
#include "pluginapi/PluginInterface.h"

inline constexpr uint32_t kLayerFillWithColour = ps::FourCC("fiB0");
inline constexpr uint32_t kLayerFillTransparent = ps::FourCC("fiB1");
inline constexpr uint32_t kLayerFillKeep = ps::FourCC("fiB2");
inline constexpr uint32_t kLayerFillEnumerationType = ps::FourCC("Fibe");

// String resources with the texts of the dialog's fill behaviour control.
inline constexpr int kLayerFillFirstTextId = 11200;
inline constexpr int kLayerFillLastTextId = 11208;
// What "make transparent" does on a layer without transparency: nothing.
inline constexpr int kNothingToMakeTransparentId = 11217;

// Plain data so that it can live inside a parameter record.
struct LayerFillValue {
    uint32_t behaviour;
    ColorSpec colour;
};

static_assert(std::is_trivial_v<LayerFillValue> && std::is_standard_layout_v<LayerFillValue>);

class LayerFillParameter : public FilterParameter {
public:
    LayerFillParameter(uint32_t colourKey, uint32_t behaviourKey, LayerFillValue* value)
        : keys{colourKey, behaviourKey}, value(value) {}

    // A behaviour other than the three becomes "fiB0"; the colour normalises.
    void Validate() override;
    ResultCode WriteToScript(const ScriptWriter& writer) const override;
    ResultCode ReadFromScript(const ScriptReader& reader, uint32_t key) override;
    int32_t KeyCount() const override { return 2; }
    uint32_t KeyAt(int32_t index) const override { return index >= 0 && index < 2 ? keys[index] : 0; }
    // The behaviours are named by the dialog's strings.
    KeyShape DescribeKey(int32_t index) const override;

    uint32_t keys[2];
    LayerFillValue* value;
    // Whether "make transparent" can change anything: not where the layer
    // has no transparency. Set with the other control states; while false,
    // the dialog greys that mode and shows `transparentUnavailableHint` over
    // it.
    bool transparentAvailable = true;
    std::string transparentUnavailableHint;
};
