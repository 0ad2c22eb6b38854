#include "parametertext/ValueTexts.h"

#include "filters/ColorSpec.h"
#include "filters/LengthValue.h"
#include "parametertext/ColourText.h"
#include "parametertext/ContentPaths.h"
#include "parametertext/LengthText.h"

namespace {

const ScriptItem* Find(const std::vector<ScriptItem>& items, uint32_t key) {
    for (const ScriptItem& item : items) {
        if (item.key == key) return &item;
    }
    return nullptr;
}

std::string ChoiceName(const KeyShape& shape, uint32_t code) {
    for (const KeyChoice& choice : shape.choices) {
        if (choice.code == code) return choice.name;
    }
    return KeyText(code);
}

}  // namespace

std::string SetFormText(const ParameterDescription& description, const std::vector<ScriptItem>& items) {
    const ScriptItem* item = Find(items, description.key);
    if (item == nullptr) return std::string();
    switch (description.shape.kind) {
        case KeyKind::Length: {
            LengthValue length{0.0, kLengthPixels};
            length.FromText(item->text);
            return LengthSetText(length);
        }
        case KeyKind::Choice: return ChoiceName(description.shape, item->value);
        case KeyKind::Colour: {
            ColorSpec colour = ColorSpec::RGB(0, 0, 0);
            colour.FromText(item->text);
            return ColourSetText(colour);
        }
        case KeyKind::ContentPath: {
            const ScriptItem* flag = Find(items, description.flagKey);
            return ContentPathSetText(item->text, flag != nullptr && flag->integer != 0);
        }
        case KeyKind::Number:
        case KeyKind::Flag:
        case KeyKind::Seed:
        case KeyKind::None: break;
    }
    const std::string text = ScriptItemText(*item);
    return text == "-" ? std::string() : text;
}
