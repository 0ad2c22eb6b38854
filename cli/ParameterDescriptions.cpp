#include "cli/ParameterDescriptions.h"

#include "cli/CommandDescriptors.h"
#include "content/ContentFolders.h"
#include "filters/DirectionParameter.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/LightingParameter.h"
#include "filters/ListboxParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "platform/LocalPath.h"
#include "platform/ResourceStrings.h"

namespace {

// The default of every key of `parameter` in script form; "-" for a key it
// does not record.
std::vector<std::string> DefaultTexts(const FilterParameter& parameter) {
    const int32_t keys = parameter.KeyCount();
    std::vector<std::string> texts(static_cast<std::size_t>(keys), "-");
    DescriptorStore store;
    if (WriteParameterToDescriptor(parameter, store).IsFailure()) return texts;
    for (int32_t i = 0; i < keys; ++i) {
        const DescriptorItem* item = store.Find(parameter.KeyAt(i));
        if (item != nullptr) texts[static_cast<std::size_t>(i)] = ScriptText(*item);
    }
    return texts;
}

std::string SliderUnitWord(uint32_t unit) {
    if (unit == ps::FourCC("#Prc")) return "percent";
    if (unit == ps::FourCC("#Ang")) return "degrees";
    if (unit == ps::FourCC("#Pxl")) return "pixels";
    return std::string();
}

void SetRange(KeyDescription& description, double minimum, double maximum, std::string unit = std::string()) {
    description.ranged = true;
    description.minimum = minimum;
    description.maximum = maximum;
    description.unit = std::move(unit);
}

// The range of a number key, which only these classes have.
void DescribeNumber(const FilterParameter& parameter, int32_t index, KeyDescription& description) {
    if (const auto* slider = dynamic_cast<const SliderParameter*>(&parameter)) {
        SetRange(description, slider->minimum, slider->maximum, SliderUnitWord(slider->unit));
    } else if (dynamic_cast<const DirectionParameter*>(&parameter) != nullptr) {
        SetRange(description, 0.0, 360.0, "degrees");
    } else if (dynamic_cast<const LightingParameter*>(&parameter) != nullptr && index >= 0 && index < 4) {
        // Direction and elevation are angles; brightness and sharpness plain numbers.
        SetRange(description, 0.0, kLightingNumbers[index].maximum, index < 2 ? "degrees" : "");
    }
}

std::vector<ValueChoice> CodeChoices(const FilterParameter& parameter, const std::vector<uint32_t>& codes) {
    std::vector<ValueChoice> choices;
    if (const auto* list = dynamic_cast<const ListboxParameter*>(&parameter)) {
        for (const ListboxParameter::Item& item : list->items) {
            if (item.code != 0) choices.push_back(ValueChoice{item.code, item.name});
        }
        return choices;
    }
    // The fill behaviours are named by the dialog's strings, in code order.
    for (std::size_t i = 0; i < codes.size(); ++i) {
        choices.push_back(ValueChoice{codes[i], LoadResourceString(kLayerFillFirstTextId + static_cast<int>(i))});
    }
    return choices;
}

std::string DefaultFile(const FilterParameter& parameter) {
    const auto* content = dynamic_cast<const TubeButtonParameter*>(&parameter);
    if (content == nullptr) return std::string();
    ContentReference reference;
    reference.relative = *content->relative;
    std::string path(content->path, content->pathCapacity);
    path.resize(path.find('\0') == std::string::npos ? path.size() : path.find('\0'));
    if (path.empty() || !SetReferencePath(reference, path)) return std::string();
    std::string fullPath;
    if (resolve(reference, fullPath).IsFailure()) return std::string();
    return LocalPath(fullPath);
}

KeyDescription Describe(const FilterParameter& parameter, int32_t index, const std::string& defaultText) {
    KeyDescription description;
    description.key = parameter.KeyAt(index);
    description.className = ParameterClassName(parameter);
    description.label = parameter.label;
    description.defaultText = defaultText;
    const KeyForm form = FormOfKey(parameter, description.key);
    description.form = form.form;
    switch (form.form) {
        case ValueForm::Number: DescribeNumber(parameter, index, description); break;
        case ValueForm::Seed: SetRange(description, 0.0, 65535.0); break;
        case ValueForm::Flag: SetRange(description, 0.0, 1.0); break;
        case ValueForm::Length:
            if (const auto* length = dynamic_cast<const LengthSliderParameter*>(&parameter)) {
                SetRange(description, length->minimum, length->maximum);
            }
            break;
        case ValueForm::Code: description.choices = CodeChoices(parameter, form.codes); break;
        case ValueForm::ContentFile: description.defaultFile = DefaultFile(parameter); break;
        case ValueForm::Colour:
        case ValueForm::None: break;
    }
    return description;
}

}  // namespace

std::vector<KeyDescription> DescribeParameters(const ParameterSet& set) {
    std::vector<KeyDescription> descriptions;
    for (std::size_t i = 0; i < set.Count(); ++i) {
        const FilterParameter& parameter = *set.At(i);
        const std::vector<std::string> defaults = DefaultTexts(parameter);
        for (int32_t k = 0; k < parameter.KeyCount(); ++k) {
            descriptions.push_back(Describe(parameter, k, defaults[static_cast<std::size_t>(k)]));
        }
    }
    return descriptions;
}

const char* ValueFormName(ValueForm form) {
    switch (form) {
        case ValueForm::Number: return "number";
        case ValueForm::Seed: return "seed";
        case ValueForm::Length: return "length";
        case ValueForm::Flag: return "flag";
        case ValueForm::Code: return "code";
        case ValueForm::Colour: return "colour";
        case ValueForm::ContentFile: return "content file";
        case ValueForm::None: break;
    }
    return "none";
}
