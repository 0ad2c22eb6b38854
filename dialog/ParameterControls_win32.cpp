// Building the control of each parameter kind and moving values between
// the control and the parameter's storage in the block.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "controls/VtBevelEditControl.h"
#include "controls/VtBevelTypeControl.h"
#include "controls/VtCheckboxControl.h"
#include "controls/VtColorControl.h"
#include "controls/VtColorGradientControl.h"
#include "controls/VtDirectionControl.h"
#include "controls/VtDropdownListControl.h"
#include "controls/VtFillBehaviourControl.h"
#include "controls/VtLengthSliderControl.h"
#include "controls/VtLightingControl.h"
#include "controls/VtRandomSeedControl.h"
#include "controls/VtSliderContainerControl.h"
#include "dialog/FilterDialogModel_win32.h"
#include "dialog/SettingsLibrary_win32.h"
#include "filters/CheckboxParameter.h"
#include "filters/ColorParameter.h"
#include "filters/DirectionParameter.h"
#include "filters/Filter.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/LightingParameter.h"
#include "filters/ListboxParameter.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TypeOnlyParameters.h"
#include "host/RunRecord.h"
#include "platform/ResourceStrings.h"
#include "pluginapi/PluginInterface.h"

namespace {

// Resource strings of the units a slider's label names.
constexpr int kDegreesUnitId = 10100;
constexpr int kPercentUnitId = 10101;

template <class P>
P* As(FilterParameter& parameter) {
    return dynamic_cast<P*>(&parameter);
}

// The value the defaults block holds where `value` lies in `block`.
template <class T>
const T& DefaultOf(const T* value, const ParameterBlock& block, const ParameterBlock& defaults) {
    const auto* start = reinterpret_cast<const unsigned char*>(&block);
    const auto* at = reinterpret_cast<const unsigned char*>(value);
    if (at < start || at + sizeof(T) > start + sizeof(ParameterBlock)) return *value;
    return *reinterpret_cast<const T*>(reinterpret_cast<const unsigned char*>(&defaults) + (at - start));
}

// Shown in the unit column, where a length shows its unit.
std::string SliderUnit(const SliderParameter& slider) {
    if (slider.unit == ps::FourCC("#Ang")) return LoadResourceString(kDegreesUnitId);
    if (slider.unit == ps::FourCC("#Prc")) return LoadResourceString(kPercentUnitId);
    return std::string();
}

// Lengths are recorded with two decimals: a changed length keeps exactly
// what its text form says, so a recorded run replays to the same pixels.
double TwoDecimals(double value) { return std::round(value * 100.0) / 100.0; }

// The flat gradient and bevel records, kept in a parameter's bytes.
static_assert(sizeof(GradientValue) == ColorGradientParameter::kRecordSize);
static_assert(sizeof(BevelProfileValue) == ComplexCurveParameter::kRecordSize);

template <class Value>
Value RecordAs(const unsigned char* bytes) {
    Value value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

template <class Value>
void StoreRecord(const Value& value, unsigned char* bytes) {
    std::memcpy(bytes, &value, sizeof value);
}

template <class Control, class Make>
ResultCode MakeControl(ParameterControl& bound, Make make) {
    std::unique_ptr<Control> control(new (std::nothrow) Control);
    if (control == nullptr) return ResultCode::OutOfMemory();
    const ResultCode result = make(*control);
    if (result.IsFailure()) return result;
    bound.control = control.get();
    bound.compound = dynamic_cast<ICompoundControl*>(control.get());
    Control* made = control.get();
    bound.preferredHeight = [made] { return made->PreferredHeight(); };
    bound.window = std::move(control);
    return ResultCode::Success();
}

}  // namespace

ResultCode FilterDialogModel::CreateParameterControl(FilterParameter& parameter, HWND parent, const RECT& rect,
                                                     ParameterControl& bound) {
    const HFONT font = dialog_.Font();
    EventNotifySink* changed = &parametersChangedSink_;
    const ParameterBlock& block = *Current().block;
    const ParameterBlock& defaults = Defaults();

    if (auto* length = As<LengthSliderParameter>(parameter)) {
        return MakeControl<VtLengthSliderControl>(bound, [&](VtLengthSliderControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, length->label);
            if (made.IsFailure()) return made;
            const LengthValue& byDefault = DefaultOf(length->value, block, defaults);
            const double pixelsPerInch = Current().filter->pixelsPerInch;
            c.SetUnit(context_.run != nullptr ? context_.run->rulerUnits : kLengthPixels, pixelsPerInch);
            c.SetRange(length->minimum, length->maximum, byDefault.unit);
            if (length->trackHigh > length->trackLow) {
                c.SetTrackRange(length->trackLow, length->trackHigh, byDefault.unit);
            } else {
                c.SetTrackRange(length->minimum, length->maximum, byDefault.unit);
            }
            c.SetDefaultValue(byDefault);
            c.SetChangeSink(changed);
            bound.show = [&c, length] { c.SetValue(*length->value); };
            bound.read = [&c, length, pixelsPerInch] {
                const LengthValue shown = c.GetValue();
                LengthValue& stored = *length->value;
                // A value only shown in another unit keeps its own form.
                if (std::fabs(shown.value - stored.In(shown.unit, pixelsPerInch)) <= 1e-9 * std::fabs(shown.value))
                    return;
                stored.value = TwoDecimals(shown.In(stored.unit, pixelsPerInch));
            };
            return made;
        });
    }
    if (auto* slider = As<SliderParameter>(parameter)) {
        return MakeControl<VtSliderContainerControl>(bound, [&](VtSliderContainerControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, slider->label);
            if (made.IsFailure()) return made;
            c.SetUnitCaption(SliderUnit(*slider));
            c.SetRange(slider->minimum, slider->maximum);
            if (slider->trackHigh > slider->trackLow) {
                c.SetTrackRange(slider->trackLow, slider->trackHigh);
            } else {
                c.SetTrackRange(slider->minimum, slider->maximum);
            }
            c.SetDefaultValue(DefaultOf(slider->value, block, defaults));
            c.SetChangeSink(changed);
            bound.show = [&c, slider] { c.SetValue(*slider->value); };
            bound.read = [&c, slider] { *slider->value = c.GetValue(); };
            return made;
        });
    }
    if (auto* colour = As<ColorParameter>(parameter)) {
        return MakeControl<VtColorControl>(bound, [&](VtColorControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, colour->label, &colours_);
            c.SetChangeSink(changed);
            bound.show = [&c, colour] { c.SetColour(*colour->value); };
            bound.read = [&c, colour] { *colour->value = c.GetColour(); };
            return made;
        });
    }
    if (auto* list = As<ListboxParameter>(parameter)) {
        return MakeControl<VtDropdownListControl>(bound, [&](VtDropdownListControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, list->label);
            if (made.IsFailure()) return made;
            for (const ListboxParameter::Item& item : list->items) c.AddItem(item.id, item.name);
            c.SetChangeSink(changed);
            bound.show = [&c, list] { c.SelectValue(*list->value); };
            bound.read = [&c, list] {
                const int32_t chosen = c.GetSelectedValue();
                if (list->FindById(chosen) != nullptr) *list->value = chosen;
            };
            return made;
        });
    }
    if (auto* lighting = As<LightingParameter>(parameter)) {
        return MakeControl<VtLightingControl>(bound, [&](VtLightingControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, &colours_);
            c.SetChangeSink(changed);
            bound.show = [&c, lighting] { c.SetValue(*lighting->value); };
            bound.read = [&c, lighting] { *lighting->value = c.GetValue(); };
            return made;
        });
    }
    if (auto* seed = As<RandomSeedParameter>(parameter)) {
        return MakeControl<VtRandomSeedControl>(bound, [&](VtRandomSeedControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, seed->label);
            c.SetChangeSink(changed);
            bound.show = [&c, seed] { c.SetSeed(*seed->value); };
            bound.read = [&c, seed] { *seed->value = static_cast<uint16_t>(c.GetSeed()); };
            return made;
        });
    }
    if (auto* direction = As<DirectionParameter>(parameter)) {
        return MakeControl<VtDirectionControl>(bound, [&](VtDirectionControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, direction->label);
            c.SetChangeSink(changed);
            bound.show = [&c, direction] { c.SetValue(*direction->value); };
            bound.read = [&c, direction] { *direction->value = c.GetValue(); };
            return made;
        });
    }
    if (auto* checkbox = As<CheckboxParameter>(parameter)) {
        return MakeControl<VtCheckboxControl>(bound, [&](VtCheckboxControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, checkbox->label);
            c.SetChangeSink(changed);
            bound.show = [&c, checkbox] { c.SetChecked(*checkbox->value != 0); };
            bound.read = [&c, checkbox] { *checkbox->value = c.IsChecked() ? 1 : 0; };
            return made;
        });
    }
    if (auto* fill = As<LayerFillParameter>(parameter)) {
        return MakeControl<VtFillBehaviourControl>(bound, [&](VtFillBehaviourControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, fill->label, &colours_);
            if (made.IsSuccess() && !fill->transparentAvailable)
                c.SetModeUnavailable(c.ModeIndex(kLayerFillTransparent), fill->transparentUnavailableHint);
            c.SetChangeSink(changed);
            bound.show = [&c, fill] { c.SetValue(*fill->value); };
            bound.read = [&c, fill] { *fill->value = c.GetValue(); };
            return made;
        });
    }
    if (auto* bevel = As<BevelTypeParameter>(parameter)) {
        return MakeControl<VtBevelTypeControl>(bound, [&](VtBevelTypeControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, bevel->label, bevel->choiceTextIds);
            c.SetChangeSink(changed);
            bound.show = [&c, bevel] { c.SetValue(*bevel->value); };
            bound.read = [&c, bevel] { *bevel->value = c.GetValue(); };
            return made;
        });
    }
    if (auto* gradient = As<ColorGradientParameter>(parameter)) {
        return MakeControl<VtColorGradientControl>(bound, [&](VtColorGradientControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, gradient->label, &colours_, &gradients_, &prompts_);
            c.SetChangeSink(changed);
            bound.show = [&c, gradient] { c.SetStops(StopsOfGradient(RecordAs<GradientValue>(gradient->gradient))); };
            bound.read = [&c, gradient] { StoreRecord(FlatGradient(c.GetStops()), gradient->gradient); };
            return made;
        });
    }
    if (auto* curve = As<ComplexCurveParameter>(parameter)) {
        return MakeControl<VtBevelEditControl>(bound, [&](VtBevelEditControl& c) {
            const ResultCode made = c.Create(parent, rect, 0, font, curve->label, &bevels_, &prompts_);
            c.SetChangeSink(changed);
            bound.show = [&c, curve] { c.SetPoints(PointsOfProfile(RecordAs<BevelProfileValue>(curve->curve))); };
            bound.read = [&c, curve] { StoreRecord(FlatProfile(c.GetPoints()), curve->curve); };
            return made;
        });
    }
    return CreateExtensionControl(parameter, parent, rect, bound);
}

ResultCode FilterDialogModel::CreateExtensionControl(FilterParameter&, HWND, const RECT&, ParameterControl&) {
    // No control: the parameter keeps its value (a reflection map, say).
    return ResultCode::Success();
}
