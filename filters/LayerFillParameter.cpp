#include "filters/LayerFillParameter.h"

#include <string>

#include "filters/ParameterScript.h"
#include "platform/ResourceStrings.h"

void LayerFillParameter::Validate() {
    const uint32_t b = value->behaviour;
    if (b != kLayerFillWithColour && b != kLayerFillTransparent && b != kLayerFillKeep) {
        value->behaviour = kLayerFillWithColour;
    }
    value->colour.Normalise();
}

ResultCode LayerFillParameter::WriteToScript(const ScriptWriter& writer) const {
    const ResultCode written = PutText(writer, keys[0], value->colour.ToText());
    if (written.IsFailure()) return written;
    return PutEnumerated(writer, keys[1], kLayerFillEnumerationType, value->behaviour);
}

ResultCode LayerFillParameter::ReadFromScript(const ScriptReader& reader, uint32_t key) {
    if (key != 0 && key == keys[0]) {
        std::string text;
        const ResultCode result = GetText(reader, text);
        if (result.IsSuccess()) value->colour.FromText(text);
        return result;
    }
    if (key != 0 && key == keys[1]) return GetEnumerated(reader, value->behaviour);
    return ResultCode::Failure();
}

KeyShape LayerFillParameter::DescribeKey(int32_t index) const {
    if (index == 0) return KeyShape::Of(KeyKind::Colour, "colour");
    if (index != 1) return KeyShape();
    KeyShape shape = KeyShape::Of(KeyKind::Choice);
    shape.enumerationType = kLayerFillEnumerationType;
    const uint32_t codes[] = {kLayerFillWithColour, kLayerFillTransparent, kLayerFillKeep};
    for (int i = 0; i < 3; ++i)
        shape.choices.push_back(KeyChoice{codes[i], LoadResourceString(kLayerFillFirstTextId + i)});
    return shape;
}
